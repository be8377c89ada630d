#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <cmath>

#include "Form1.h"
#include "FullFolder.h"
#include "Preview.h"

using namespace sopaly;

namespace {

const QString kGrid =
    QStringLiteral("S O L K T \r\nB E X Q M \r\nZ U C P A \r\nH W I D R \r\nF Y N G V \r\n");

constexpr int px(int twips) {
    return twips / 15;
}

struct PdfWord {
    QString text;
    double xMin = 0;
    double xMax = 0;
    double yMin = 0;
};

struct PdfPage {
    double width = 0;
    QList<PdfWord> words;
    QString text() const {
        QStringList all;
        for (const PdfWord& word : words) all << word.text;
        return all.join(u' ');
    }
    QList<PdfWord> find(const QString& text) const {
        QList<PdfWord> found;
        for (const PdfWord& word : words) {
            if (word.text == text) found << word;
        }
        return found;
    }
};

// The words of a PDF's pages with their boxes, as pdftotext reads them.
QList<PdfPage> readPdf(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {"-bbox", path, "-"});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    QList<PdfPage> pages;
    static const QRegularExpression tag(
        R"re(<page width="([\d.]+)"|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        if (!match.captured(1).isEmpty()) {
            pages.append(PdfPage{match.captured(1).toDouble(), {}});
        } else if (!pages.isEmpty()) {
            pages.last().words.append(PdfWord{match.captured(5), match.captured(2).toDouble(),
                                              match.captured(4).toDouble(),
                                              match.captured(3).toDouble()});
        }
    }
    return pages;
}

bool havePdfToText() {
    return !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QList<QPointer<Form1>> made_;
    QStringList messages_;
    QStringList printed_;  // the PDF files the printer factory handed out

    // A preview of the worked example whose printer writes PDF files into the
    // test's folder and whose messages the test reads.
    Form1* makeForm(const QString& name = "Playa", const QString& display = kGrid,
                    const QStringList& words = {"MAR", "SOL"}) {
        auto* form = new Form1(name, display, words);
        made_.append(form);
        form->prompts.showMessage = [this](const QString& text) { messages_.append(text); };
        form->setPrinterFactory([this] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            const QString path =
                dir_.filePath(QStringLiteral("job%1.pdf").arg(printed_.size() + 1));
            printer->setOutputFileName(path);
            printed_.append(path);
            return printer;
        });
        return form;
    }

  private slots:
    void init() {
        messages_.clear();
        printed_.clear();
    }
    void cleanup() {
        for (const QPointer<Form1>& form : made_) delete form.data();
        made_.clear();
    }

    void theWindowIsAFixedToolWindowCaptionedForPrinting() {
        Form1* form = makeForm();
        QCOMPARE(form->windowTitle(), QString("Imprimir Rompecabezas"));
        const Qt::WindowFlags flags = form->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->minimumSize(), QSize(px(9315), px(7935)));
        QCOMPARE(form->maximumSize(), QSize(px(9315), px(7935)));
        QVERIFY(form->testAttribute(Qt::WA_DeleteOnClose));
    }

    void theControlsStandWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("preview") << "rtf" << QString() << QRect(240, 240, 8775, 7335);
        QTest::newRow("close") << "Command1"
                               << "&Cerrar" << QRect(7560, 7680, 1455, 255);
        QTest::newRow("print") << "Command2"
                               << "&Imprimir" << QRect(240, 7680, 1455, 255);
        QTest::newRow("save PDF") << "Command3"
                                  << "&Guardar PDF" << QRect(3900, 7680, 1455, 255);
    }
    void theControlsStandWhereTheLayoutPutsThem() {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        Form1* form = makeForm();
        auto* widget = form->findChild<QWidget*>(control);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(),
                 QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())));
        if (auto* button = qobject_cast<QPushButton*>(widget)) QCOMPARE(button->text(), caption);
    }

    void thePreviewShowsABoldTwelvePointCourier() {
        Form1* form = makeForm();
        for (const QFont& font : {form->rtf->font(), form->rtf->document()->defaultFont()}) {
            QCOMPARE(font.family(), QString("Courier"));
            QCOMPARE(font.pointSize(), 12);
            QVERIFY(font.bold());
            QCOMPARE(font.styleHint(), QFont::TypeWriter);
        }
        // Whatever font stands in for Courier here, its letters are all of a width.
        QVERIFY(QFontInfo(form->rtf->font()).fixedPitch());
    }

    void thePreviewHoldsTheTextBuiltFromItsThreeValues() {
        const QStringList words{"MAR", "SOL", "LUNA"};
        Form1* form = makeForm("Playa", kGrid, words);
        QString expected = previewText("Playa", kGrid, words);
        expected.replace("\r\n", "\n");
        QCOMPARE(form->rtf->toPlainText(), expected);
    }

    void everyParagraphIsCentred() {
        Form1* form = makeForm();
        const QTextDocument* document = form->rtf->document();
        QCOMPARE(document->blockCount(), 1 + 1 + 5 + 3 + 1);
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        }
    }

    void theWindowOpensCentredOnTheScreen() {
        Form1* form = makeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        const QPoint screenCentre = form->screen()->geometry().center();
        const QPoint windowCentre = form->frameGeometry().center();
        QVERIFY2((screenCentre - windowCentre).manhattanLength() <= 2,
                 qPrintable(QString("%1,%2").arg(windowCentre.x()).arg(windowCentre.y())));
    }

    void tabGoesFromThePreviewToCloseThenPrint() {
        Form1* form = makeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
        form->rtf->setFocus();
        QTRY_VERIFY(form->rtf->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY(form->Command1->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY(form->Command2->hasFocus());
    }

    void closeUnloadsTheWindow() {
        QPointer<Form1> form = makeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QTRY_VERIFY(form.isNull());
    }

    void printingSendsNameGridAndWordsToThePrinter() {
        if (!havePdfToText()) QSKIP("pdftotext is not installed");
        Form1* form = makeForm();
        QTest::mouseClick(form->Command2, Qt::LeftButton);
        QCOMPARE(messages_, QStringList());
        QCOMPARE(printed_.size(), 1);
        const QList<PdfPage> pages = readPdf(printed_.first());
        QCOMPARE(pages.size(), 1);
        const QString text = pages.first().text();
        QVERIFY2(text.contains("Playa S O L K T B E X Q M"), qPrintable(text));
        QVERIFY2(text.contains("F Y N G V 1. MAR 2. SOL"), qPrintable(text));
    }

    void thePrintedPageKeepsThePreviewsCentringAndFixedPitch() {
        if (!havePdfToText()) QSKIP("pdftotext is not installed");
        Form1* form = makeForm();
        QTest::mouseClick(form->Command2, Qt::LeftButton);
        const QList<PdfPage> pages = readPdf(printed_.value(0));
        QCOMPARE(pages.size(), 1);
        const PdfPage& page = pages.first();
        for (const char* word : {"Playa", "MAR"}) {
            const QList<PdfWord> found = page.find(word);
            QCOMPARE(found.size(), 1);
            const double centre = (found.first().xMin + found.first().xMax) / 2;
            // The text is centred between equal margins; the word list's line
            // is only nearly so, since it ends in spaces.
            QVERIFY2(std::abs(centre - page.width / 2) < page.width / 8,
                     qPrintable(QString::number(centre)));
        }
        const double playa = page.find("Playa").first().xMin + page.find("Playa").first().xMax;
        QVERIFY(std::abs(playa / 2 - page.width / 2) < 2.0);
        // A narrow and a wide letter take the same room.
        const PdfWord i = page.find("I").value(0);
        const PdfWord w = page.find("W").value(0);
        QVERIFY(i.xMax > i.xMin);
        QCOMPARE(qRound((i.xMax - i.xMin) * 100), qRound((w.xMax - w.xMin) * 100));
    }

    void printingASelectionPrintsOnlyTheSelection() {
        if (!havePdfToText()) QSKIP("pdftotext is not installed");
        Form1* form = makeForm();
        const QString all = form->rtf->toPlainText();
        const qsizetype start = all.indexOf("B E X");
        QTextCursor cursor(form->rtf->document());
        cursor.setPosition(int(start));
        cursor.setPosition(int(all.indexOf("H W I")) + 5, QTextCursor::KeepAnchor);
        form->rtf->setTextCursor(cursor);

        QTest::mouseClick(form->Command2, Qt::LeftButton);
        QCOMPARE(messages_, QStringList());
        const QList<PdfPage> pages = readPdf(printed_.value(0));
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages.first().text(), QString("B E X Q M Z U C P A H W I"));
        // The selection keeps the preview's centring, its first piece included.
        const PdfWord b = pages.first().find("B").value(0);
        QVERIFY(b.xMin > pages.first().width / 4);
    }

    void printingTwiceWithoutClosingPrintsTwice() {
        if (!havePdfToText()) QSKIP("pdftotext is not installed");
        Form1* form = makeForm();
        QTest::mouseClick(form->Command2, Qt::LeftButton);
        QTest::mouseClick(form->Command2, Qt::LeftButton);
        QCOMPARE(printed_.size(), 2);
        for (const QString& path : printed_) {
            const QList<PdfPage> pages = readPdf(path);
            QCOMPARE(pages.size(), 1);
            QVERIFY(pages.first().text().startsWith("Playa S O L K T"));
        }
    }

    void withoutAPrinterTheUserIsToldAndThePreviewStaysOpen() {
        Form1* form = makeForm();
        int asked = 0;
        form->setPrinterFactory([&asked] {
            ++asked;
            return std::unique_ptr<QPrinter>();
        });
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QTest::mouseClick(form->Command2, Qt::LeftButton);
        QCOMPARE(asked, 1);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_.first().contains("impresora"));
        QVERIFY(form->isVisible());
    }

    void theDefaultPrinterIsTheSystemsOrNone() {
        const bool none = QPrinterInfo::defaultPrinter().isNull();
        QCOMPARE(Form1::defaultPrinter() == nullptr, none);
        if (!none) QSKIP("this machine has a default printer; the test prints on none");
        auto* form = new Form1("Playa", kGrid, {"MAR"});
        made_.append(form);
        form->prompts.showMessage = [this](const QString& text) { messages_.append(text); };
        QTest::mouseClick(form->Command2, Qt::LeftButton);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_.first().contains("impresora"));
    }

    void aJobThatCannotStartIsReportedByItsTarget() {
        Form1* form = makeForm();
        const QString target = dir_.filePath("no/such/folder/job.pdf");
        form->setPrinterFactory([target] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(target);
            return printer;
        });
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(".*"));
        QTest::mouseClick(form->Command2, Qt::LeftButton);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_.first().contains(target));
        QVERIFY(form->isVisible());
    }

    void savingAsPdfWritesTheSamePage() {
        if (!havePdfToText()) QSKIP("pdftotext is not installed");
        Form1* form = makeForm();
        const QString chosen = dir_.filePath("Playa");
        form->prompts.chooseSaveFile = [chosen](const QString&, const QString&) { return chosen; };
        QTest::mouseClick(form->Command3, Qt::LeftButton);
        QCOMPARE(messages_, QStringList());
        QVERIFY(printed_.isEmpty());
        QVERIFY(QFile::exists(chosen + ".pdf"));

        QTest::mouseClick(form->Command2, Qt::LeftButton);
        QCOMPARE(readPdf(chosen + ".pdf").value(0).text(),
                 readPdf(printed_.value(0)).value(0).text());
    }

    void cancellingTheSaveDialogDoesNothing() {
        Form1* form = makeForm();
        form->prompts.chooseSaveFile = [](const QString&, const QString&) { return QString(); };
        const QStringList before = QDir(dir_.path()).entryList(QDir::Files);
        QTest::mouseClick(form->Command3, Qt::LeftButton);
        QCOMPARE(messages_, QStringList());
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), before);
    }

    void aPdfThatCannotBeSavedIsReported() {
        Form1* form = makeForm();
        const QString chosen = dir_.filePath("missing/folder/Playa.pdf");
        form->prompts.chooseSaveFile = [chosen](const QString&, const QString&) { return chosen; };
        QTest::mouseClick(form->Command3, Qt::LeftButton);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_.first().contains(chosen));
    }

    void aPdfSavedOnAFullDiskKeepsTheEarlierFileAndIsReportedOnce() {
        FullFolder full;
        if (!full.reasonUnavailable().isEmpty()) QSKIP(qPrintable(full.reasonUnavailable()));
        const QString chosen = full.filePath(QStringLiteral("Playa.pdf"));
        Form1* form = makeForm();
        form->prompts.chooseSaveFile = [chosen](const QString&, const QString&) { return chosen; };
        QTest::mouseClick(form->Command3, Qt::LeftButton);
        QCOMPARE(messages_, QStringList());
        QFile saved(chosen);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray good = saved.readAll();
        saved.close();
        QVERIFY(good.trimmed().endsWith("%%EOF"));

        full.fill();
        QTest::mouseClick(form->Command3, Qt::LeftButton);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_.first().contains(chosen));
        QVERIFY(messages_.first().contains(QStringLiteral("disco lleno")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), good);
        QCOMPARE(full.entries(), QStringList{QStringLiteral("Playa.pdf")});
    }
};

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
