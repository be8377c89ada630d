// The translator's road: a pseudo-translation made from the template, every
// text wrapped in "⟦…⟧", must reach everything the user reads.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "CheckedRead.h"
#include "Form1.h"
#include "Form3.h"
#include "Program.h"
#include "SafeWrite.h"
#include "Startup.h"
#include "StatusText.h"
#include "TestEnvironment.h"
#include "TextFit.h"
#include "WebPage.h"
#include "WordListFile.h"
#include "frmMain.h"

using namespace sopaly;

namespace {

const QString kOpen = QStringLiteral("⟦");

// The template with each source as its own translation, inside the marks.
QByteArray pseudoTranslation(QByteArray ts) {
    QString text = QString::fromUtf8(ts);
    // A source holds no "<" of its own (the file writes it "&lt;"), so no
    // match runs on into the next message.
    static const QRegularExpression message(
        QStringLiteral(
            R"((<source>([^<]*)</source>\s*)<translation type="unfinished">\s*</translation>)"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression emptyMessage(
        QStringLiteral(R"((<source>([^<]*)</source>\s*)<translation type="unfinished"/>)"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression counted(
        QStringLiteral(R"((<source>([^<]*)</source>\s*)<translation type="unfinished">\s*)"
                       R"((?:<numerusform></numerusform>\s*)+</translation>)"),
        QRegularExpression::DotMatchesEverythingOption);
    const QString marked = QStringLiteral("\\1<translation>⟦\\2⟧</translation>");
    text.replace(message, marked).replace(emptyMessage, marked);
    text.replace(counted, QStringLiteral("\\1<translation><numerusform>⟦\\2⟧</numerusform>"
                                         "<numerusform>⟦\\2⟧</numerusform></translation>"));
    text.replace(QStringLiteral("sourcelanguage=\"es\""),
                 QStringLiteral("sourcelanguage=\"es\" language=\"eo\""));
    return text.toUtf8();
}

bool marked(const QString& text) {
    return text.startsWith(kOpen) && text.endsWith(QStringLiteral("⟧"));
}

}  // namespace

class TranslationTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString qm;

    // Every text the window shows: captions, menu items, buttons, tooltips.
    static QStringList textsOf(QWidget* window) {
        QStringList texts{window->windowTitle()};
        for (const QAction* action : window->findChildren<QAction*>()) {
            if (!action->isSeparator() && !action->text().isEmpty()) texts << action->text();
        }
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            if (!button->text().isEmpty()) texts << button->text();
        }
        for (const QGroupBox* frame : window->findChildren<QGroupBox*>()) texts << frame->title();
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->text().isEmpty() && label->pixmap().isNull()) texts << label->text();
        }
        for (const QWidget* widget : window->findChildren<QWidget*>()) {
            if (!widget->toolTip().isEmpty()) texts << widget->toolTip();
        }
        return texts;
    }

    static void verifyAllMarked(const QStringList& texts) {
        QVERIFY(!texts.isEmpty());
        for (const QString& text : texts) QVERIFY2(marked(text), qPrintable(text));
    }

  private slots:
    void initTestCase() {
        QFile ts(QStringLiteral(SOPALY_TRANSLATION_TEMPLATE));
        QVERIFY(ts.open(QIODevice::ReadOnly));
        const QString source = folder.filePath(QStringLiteral("sopaly_eo.ts"));
        QFile pseudo(source);
        QVERIFY(pseudo.open(QIODevice::WriteOnly));
        pseudo.write(pseudoTranslation(ts.readAll()));
        pseudo.close();
        qm = folder.filePath(QStringLiteral("sopaly_eo.qm"));
        QProcess lrelease;
        lrelease.start(QStringLiteral(SOPALY_LRELEASE),
                       {QStringLiteral("-silent"), source, QStringLiteral("-qm"), qm});
        QVERIFY(lrelease.waitForFinished(60000));
        QCOMPARE(lrelease.exitCode(), 0);
        QVERIFY(installProgramTranslation(*qApp, QLocale(QStringLiteral("eo")),
                                          {QStringLiteral("/nonexistent"), folder.path()}));
    }

    void init() { test::freshSettings(); }

    void mainWindowIsMarked() {
        Program program;
        frmMain* window = program.showMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        verifyAllMarked(textsOf(window));
        // The longer texts still show whole in the boxes sized for the Spanish.
        for (const QLabel* label :
             window->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^lblLabel1_")))) {
            QVERIFY2(clippedText(label).isEmpty(), qPrintable(clippedText(label)));
        }
        for (const QRadioButton* option : window->findChildren<QRadioButton*>()) {
            QVERIFY2(option->sizeHint().width() <= option->width(), qPrintable(option->text()));
        }
        // The standard keys stay the platform's.
        QCOMPARE(window->findChild<QAction*>(QStringLiteral("mnuOpenList"))->shortcut(),
                 QKeySequence(QKeySequence::Open));
    }

    void aboutAndPreviewAreMarked() {
        Form3 about(QString(), [] {});
        verifyAllMarked(textsOf(&about));
        Form1 preview(QString(), QStringLiteral("ABC"), {QStringLiteral("ABC")});
        verifyAllMarked(textsOf(&preview));
    }

    void messagesAreMarked_data() {
        QTest::addColumn<QString>("message");
        PuzzleWords words;
        words.listCount = 2;
        words.placed = QStringList{QStringLiteral("SOL")};
        words.noRoom = QStringList{QStringLiteral("ESTRELLA")};
        const QString status = puzzleWordsStatus(words);
        // The sentence after the count.
        QTest::newRow("word left out") << status.section(u'⟧', 1);
        QTest::newRow("list refused") << wordListReadMessage(
            QStringLiteral("/tmp/x.txt"), readRefusalReason(ReadRefusal::NotRegular));
        QTest::newRow("not written")
            << writeFailureMessage(QStringLiteral("/tmp/x.txt"), writeFailureReason(ENOSPC));
    }
    void messagesAreMarked() {
        QFETCH(QString, message);
        QVERIFY2(message.startsWith(kOpen), qPrintable(message));
    }

    // The web page speaks the program's language: its texts go in from here.
    void webPageIsMarked() {
        WorksheetPuzzle puzzle;
        puzzle.grid = Grid(5, 5, U'A');
        const QString page = QString::fromUtf8(webPage(puzzle));
        for (const QString& text : QStringList{"⟦Pista⟧", "⟦Rendirse⟧", "⟦Encontradas: %1 de 0⟧"}) {
            QVERIFY2(page.contains(text), qPrintable(text));
        }
    }

    // The sentence of a program that finds no display, from its own folder.
    void noDisplaySentenceIsMarked() {
        QTemporaryDir programFolder;
        const QString program = programFolder.filePath(QStringLiteral("sopaly"));
        QVERIFY(QFile::copy(QStringLiteral(SOPALY_PROGRAM), program));
        QVERIFY(QFile::copy(qm, programFolder.filePath(QStringLiteral("sopaly_eo.qm"))));
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(QString::fromLatin1(name));
        }
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("eo"));
        env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("eo"));
        run.setProcessEnvironment(env);
        run.start(program, {});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 1);
        const QString said = QString::fromLocal8Bit(run.readAllStandardError());
        QVERIFY2(said.startsWith(kOpen), qPrintable(said));
    }
};

QTEST_MAIN(TranslationTest)
#include "tst_translation.moc"
