// The lists and titles teachers really have, through the real window: words
// typed, pasted and opened from small files, built into grids, shown in the
// box, the preview and the worksheets, told in the status line.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "Directions.h"
#include "Form1.h"
#include "Program.h"
#include "TestEnvironment.h"
#include "WindowTestTools.h"
#include "WordList.h"
#include "Worksheet.h"
#include "frmMain.h"

using namespace sopaly;

namespace {

QByteArray utf16(const QString& text, QSysInfo::Endian order) {
    QByteArray bytes =
        order == QSysInfo::LittleEndian ? QByteArray("\xFF\xFE", 2) : QByteArray("\xFE\xFF", 2);
    for (const QChar c : text) {
        const char high = static_cast<char>(c.unicode() >> 8);
        const char low = static_cast<char>(c.unicode() & 0xFF);
        if (order == QSysInfo::LittleEndian) {
            bytes += low;
            bytes += high;
        } else {
            bytes += high;
            bytes += low;
        }
    }
    return bytes;
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The characters that only steer the direction of the text around them.
bool isDirectionMark(QChar c) {
    return c == u'\u200E' || c == u'\u200F' || (c >= u'\u2066' && c <= u'\u2069');
}

// The cells of one shown row: where each starts in the line's text and how
// many code units it takes (a letter and the marks it carries).
QList<std::pair<int, int>> rowCells(const QString& line) {
    QList<std::pair<int, int>> cells;
    for (int i = 0; i < line.size();) {
        if (line.at(i) == u' ' || isDirectionMark(line.at(i))) {
            ++i;
            continue;
        }
        int end = i + (line.at(i).isHighSurrogate() ? 2 : 1);
        while (end < line.size() && line.at(end).isMark()) ++end;
        cells.append({i, end - i});
        i = end;
    }
    return cells;
}

// Where the middle of each cell of each row of `document` lies on screen,
// from the document's own layout: what the eye sees, left to right.
QList<QList<double>> cellCentres(QTextDocument* document, int firstBlock, int rows) {
    QList<QList<double>> centres;
    for (int r = 0; r < rows; ++r) {
        const QTextBlock block = document->findBlockByNumber(firstBlock + r);
        QTextLayout* layout = block.layout();
        QList<double> row;
        if (!layout || layout->lineCount() != 1) return {};
        const QTextLine line = layout->lineAt(0);
        for (const auto& [start, length] : rowCells(block.text())) {
            int from = start;
            int to = start + length;
            row << (line.cursorToX(&from) + line.cursorToX(&to)) / 2;
        }
        centres << row;
    }
    return centres;
}

// Where the first cell of each row begins on screen.
QList<double> rowStarts(QTextDocument* document, int rows) {
    QList<double> starts;
    for (int r = 0; r < rows; ++r) {
        const QTextBlock block = document->findBlockByNumber(r);
        QTextLayout* layout = block.layout();
        const QList<std::pair<int, int>> cells = rowCells(block.text());
        if (!layout || layout->lineCount() != 1 || cells.isEmpty()) return {};
        const QTextLine line = layout->lineAt(0);
        int from = cells.first().first;
        int to = from + cells.first().second;
        starts << std::min(line.cursorToX(&from), line.cursorToX(&to));
    }
    return starts;
}

// The tokens of a row of the box that are not empty cells.
QStringList shownLetters(const QString& boxText) {
    QStringList letters;
    for (QString token :
         boxText.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        token.removeIf(isDirectionMark);
        if (!token.isEmpty() && token != u".") letters << token;
    }
    std::sort(letters.begin(), letters.end());
    return letters;
}

QStringList splitCells(const QString& cells) {
    QStringList list;
    for (const auto& [start, length] : rowCells(cells)) list << cells.mid(start, length);
    std::sort(list.begin(), list.end());
    return list;
}

// A word a word-search list holds, made of letters only: PALABRAA, PALABRAB...
QString madeUpWord(int n) {
    QString word = QStringLiteral("PALABRA");
    word += QChar(u'A' + n / 26);
    word += QChar(u'A' + n % 26);
    return word;
}

// What is wrong with the cells' places, row by row: nothing when each row
// shows its cells one after the other from left to right.
QString leftToRightFault(const QList<QList<double>>& centres, int side) {
    if (centres.size() != side) return QStringLiteral("%1 rows laid out").arg(centres.size());
    for (int r = 0; r < side; ++r) {
        const QList<double>& row = centres.at(r);
        if (row.size() != side) return QStringLiteral("row %1: %2 cells").arg(r).arg(row.size());
        for (int c = 1; c < side; ++c) {
            if (row.at(c) <= row.at(c - 1)) {
                return QStringLiteral("row %1: cell %2 at %3, cell %4 at %5")
                    .arg(r)
                    .arg(c - 1)
                    .arg(row.at(c - 1))
                    .arg(c)
                    .arg(row.at(c));
            }
        }
    }
    return {};
}

struct WordBox {
    QString text;
    QRectF box;  // in points from the page's top-left corner
};

// Every word of a PDF page with its box, as pdftotext finds it.
QList<WordBox> pageWords(const QString& pdf, int page, QSizeF* pageSize) {
    const QString html =
        run(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
             QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    const QRegularExpression pageTag(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    const auto size = pageTag.match(html);
    if (pageSize) *pageSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    const QRegularExpression wordTag(
        QStringLiteral("<word xMin=\"([\\d.-]+)\" yMin=\"([\\d.-]+)\" xMax=\"([\\d.-]+)\" "
                       "yMax=\"([\\d.-]+)\">([^<]*)</word>"));
    QList<WordBox> words;
    for (auto it = wordTag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString text = m.captured(5);
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
        text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        words << WordBox{text, QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                      QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))};
    }
    return words;
}

const QString kLongTitle = QStringLiteral(
    "Sopa de letras de los animales de la granja y del bosque — Unidad 5 — Ciencias Naturales "
    "3.º B");

}  // namespace

class RealWordsTest : public WindowTest {
    Q_OBJECT

    QString nextOpenPath;
    QString nextSavePath;

    QString path(const QString& name) const { return folder->filePath(name); }

    void enter(const QString& typed) {
        window->txtInputWord->setText(typed);
        QTest::keyClick(window->txtInputWord, Qt::Key_Return);
    }

    void paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(window->txtInputWord, Qt::Key_V, Qt::ControlModifier);
    }

    void openList(const QString& name, const QByteArray& bytes) {
        nextOpenPath = path(name);
        QVERIFY(writeBytes(nextOpenPath, bytes));
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
    }

    // Takes `typed` into the list by the road the data row names.
    void takeIn(const QString& road, const QString& typed) {
        if (road == u"enter") {
            enter(typed);
        } else if (road == u"paste") {
            paste(typed + u'\n');
        } else {
            openList(QStringLiteral("lista.txt"), typed.toUtf8() + "\r\n");
        }
    }

    void build(const QString& side, const QString& limit = QStringLiteral("100")) {
        window->txtGridRows->setText(side);
        window->txtGridCol->setText(side);
        window->txtWordCount->setText(limit);
        QTest::keyClick(window, Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(window->cmdFinish->isEnabled());
    }

    void chooseFromFileMenu(Qt::Key item) {
        QTest::keyClick(window, Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(window->mnuFile->isVisible());
        QTest::keyClick(window->mnuFile, item);
        QTRY_VERIFY(!window->mnuFile->isVisible());
    }

    QString statusText() const { return window->lblPuzzleWords->text(); }

  private slots:
    void init() {
        QVERIFY(openWindow());
        window->prompts.chooseOpenFile = [this](const QString&, const QString&) { return nextOpenPath; };
        window->prompts.chooseSaveFile = [this](const QString&, const QString&) { return nextSavePath; };
        window->prompts.askPuzzleName = [] { return QStringLiteral("Prueba"); };
    }
    void cleanup() { closeWindow(); }

    void aWordKeepsOnlyWhatPrintsOnEveryRoadIn_data() {
        QTest::addColumn<QString>("road");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QString>("cells");  // what the grid shows of it
        for (const char* road : {"enter", "paste", "file"}) {
            const auto row = [road](const char* name) {
                return &(QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(road, name)))
                         << QString::fromLatin1(road));
            };
            *row("zero-width space") << QStringLiteral("ca\u200Bsa") << "CASA"
                                     << "CASA";
            *row("byte-order mark inside") << QStringLiteral("ca\uFEFFsa") << "CASA"
                                           << "CASA";
            *row("direction marks and joiners") << QStringLiteral("\u200Fso\u200Dl\u2066") << "SOL"
                                                << "SOL";
            *row("variation selector") << QStringLiteral("sol\uFE0F") << "SOL"
                                       << "SOL";
            // A file of so few bytes with a control among them is no text.
            if (QByteArrayView(road) != "file") {
                *row("a bell") << QStringLiteral("m\u0007ar") << "MAR"
                               << "MAR";
            }
            *row("no-break space") << QStringLiteral("la\u00A0casa") << "LA CASA"
                                   << "LACASA";
            *row("decomposed enye") << QStringLiteral("nin\u0303o") << "NIÑO"
                                    << "NIÑO";
            *row("a mark no letter absorbs")
                << QStringLiteral("q\u0301eso") << QStringLiteral("Q\u0301ESO")
                << QStringLiteral("Q\u0301ESO");
        }
    }
    void aWordKeepsOnlyWhatPrintsOnEveryRoadIn() {
        QFETCH(QString, road);
        QFETCH(QString, typed);
        QFETCH(QString, listed);
        QFETCH(QString, cells);
        takeIn(road, typed);
        QCOMPARE(window->wordList().words(), QStringList{listed});
        build(QStringLiteral("10"));
        QCOMPARE(window->session().placements().size(), std::size_t{1});
        QCOMPARE(shownLetters(window->txtWordText()), splitCells(cells));
    }

    void rowsShowTheirCellsLeftToRightWhateverTheyHold_data() {
        QTest::addColumn<QStringList>("words");
        QTest::newRow("Hebrew") << QStringList{QStringLiteral("שלום"), QStringLiteral("ספר")};
        QTest::newRow("Arabic") << QStringList{QStringLiteral("سلام"), QStringLiteral("كتاب")};
        QTest::newRow("Hebrew with Spanish")
            << QStringList{QStringLiteral("שלום"), QStringLiteral("casa"), QStringLiteral("12")};
    }
    void rowsShowTheirCellsLeftToRightWhateverTheyHold() {
        QFETCH(QStringList, words);
        for (const QString& word : words) enter(word);
        build(QStringLiteral("6"));
        // The placed grid, its empty cells shown as dots, then the finished one.
        for (int shown = 0; shown < 2; ++shown) {
            const QList<QList<double>> box = cellCentres(window->txtWord->document(), 0, 6);
            QCOMPARE(leftToRightFault(box, 6), QString());
            // Every row starts at the box's left edge, where a left-to-right row does.
            const QList<double> starts = rowStarts(window->txtWord->document(), 6);
            QCOMPARE(starts.size(), 6);
            for (const double start : starts) QVERIFY(qAbs(start - starts.first()) < 1);
            if (shown == 0) QTest::mouseClick(window->cmdFinish, Qt::LeftButton);
        }
        QVERIFY(window->cmdExport->isEnabled());

        QTest::mouseClick(window->cmdExport, Qt::LeftButton);
        QTRY_VERIFY(window->preview());
        // The preview's text: the name, a blank line, then the rows.
        QCOMPARE(leftToRightFault(cellCentres(window->preview()->rtf->document(), 2, 6), 6),
                 QString());
    }

    void aListFileIsReadAsItWasWritten_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("refusal");  // in the one message; empty when none
        const QString nandu = QStringLiteral("ñandú\r\ncasa\r\ncamión\r\n");
        const QStringList listed{"CAMIÓN", "CASA", "ÑANDÚ"};
        QTest::newRow("UTF-16 LE") << utf16(nandu, QSysInfo::LittleEndian) << listed << QString();
        QTest::newRow("UTF-16 BE") << utf16(nandu, QSysInfo::BigEndian) << listed << QString();
        QTest::newRow("UTF-8 lines and one Windows-1252 line")
            << QByteArray("\xC3\xB1\x61nd\xC3\xBA\ncasa\ncami\xF3n\n") << listed << QString();
        QTest::newRow("a tab and a form feed are text")
            << QByteArray("casa\t\ncami\xC3\xB3n\f\n\xC3\xB1\x61nd\xC3\xBA\n") << listed
            << QString();
        QTest::newRow("a PNG renamed .txt")
            << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0", 29)
            << QStringList{} << "no es un archivo de texto";
        QTest::newRow("one NUL byte")
            << QByteArray("casa\nsol\0\nmar\n", 14) << QStringList{} << "no es un archivo de texto";
        QTest::newRow("a tenth control bytes is still text")
            << QByteArray("sol\x01mar\nl\n") << QStringList{"L", "SOLMAR"} << QString();
        QTest::newRow("more than a tenth control bytes")
            << QByteArray("sol\x01mar\x02l\n") << QStringList{} << "no es un archivo de texto";
        QTest::newRow("far more than a tenth control bytes")
            << QByteArray("ab\x01\x02\x03\x04\x05\x06\x07\x0E\x0F\x10\x11\x12 sol mar luna\n")
            << QStringList{} << "no es un archivo de texto";
    }
    void aListFileIsReadAsItWasWritten() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, listed);
        QFETCH(QString, refusal);
        openList(QStringLiteral("lista.txt"), bytes);
        QCOMPARE(window->wordList().words(), listed);
        if (refusal.isEmpty()) {
            QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
        } else {
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages.first().contains(QDir::toNativeSeparators(nextOpenPath)),
                     qPrintable(messages.first()));
            QVERIFY2(messages.first().contains(refusal), qPrintable(messages.first()));
            QVERIFY(!window->cmdStart->isEnabled());
        }
    }

    void openingAListSaysWhatItAdded_data() {
        QTest::addColumn<QStringList>("before");  // entered first
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("added");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("message");  // in the one message; empty when none
        QByteArray forty;
        for (int n = 0; n < 40; ++n) forty += madeUpWord(n).toUtf8() + "\n";
        QTest::newRow("forty words, three already listed")
            << QStringList{madeUpWord(0), madeUpWord(7), madeUpWord(39), QStringLiteral("sol")}
            << forty << 40 << "40 palabras añadidas de lista.txt (3 ya estaban en la lista)."
            << QString();
        QTest::newRow("one new word") << QStringList{} << QByteArray("sol\n") << 1
                                      << "1 palabra añadida de lista.txt." << QString();
        QTest::newRow("one word already listed")
            << QStringList{QStringLiteral("sol")} << QByteArray("sol\n") << 1
            << "1 palabra añadida de lista.txt (1 ya estaba en la lista)." << QString();
        QTest::newRow("entries without a letter")
            << QStringList{} << QByteArray("sol\n\xE2\x80\x94\n...\n") << 1
            << "1 palabra añadida de lista.txt. Sin letras ni números, no se añadieron: «—», "
               "«...»."
            << QString();
        QTest::newRow("a word the puzzle files cannot hold")
            << QStringList{} << QByteArray("\xC5\x82\xC3\xB3\x64\xC5\xBA\nsol\n") << 2
            << "2 palabras añadidas de lista.txt. «Generar y Guardar» no puede guardar estas "
               "letras en sus archivos: ŁÓDŹ: Ł, Ź."
            << QString();
        QTest::newRow("empty file")
            << QStringList{} << QByteArray() << 0 << QString() << "no tiene ninguna palabra";
        QTest::newRow("blank lines only") << QStringList{} << QByteArray(" \r\n\r\n\t\r\n") << 0
                                          << QString() << "no tiene ninguna palabra";
    }
    void openingAListSaysWhatItAdded() {
        QFETCH(QStringList, before);
        QFETCH(QByteArray, bytes);
        QFETCH(int, added);
        QFETCH(QString, status);
        QFETCH(QString, message);
        for (const QString& word : before) enter(word);
        openList(QStringLiteral("lista.txt"), bytes);
        QCOMPARE(window->wordList().count(), before.size() + added);
        QCOMPARE(statusText(), status);
        if (message.isEmpty()) {
            QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
        } else {
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages.first().contains(QDir::toNativeSeparators(nextOpenPath)),
                     qPrintable(messages.first()));
            QVERIFY2(messages.first().contains(message), qPrintable(messages.first()));
        }
    }

    void aWordTheFullListCannotTakeIsToldOnceAndStaysInTheBox_data() {
        QTest::addColumn<QString>("road");
        QTest::newRow("Enter") << "enter";
        QTest::newRow("paste") << "paste";
    }
    void aWordTheFullListCannotTakeIsToldOnceAndStaysInTheBox() {
        QFETCH(QString, road);
        openList(QStringLiteral("llena.txt"), QByteArray("a\n").repeated(kMostWordsInList));
        QCOMPARE(window->wordList().count(), kMostWordsInList);
        messages.clear();
        if (road == u"enter") {
            enter(QStringLiteral("sol"));
        } else {
            paste(QStringLiteral("sol\nmar\n"));
        }
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(QStringLiteral("32.767")), qPrintable(messages.first()));
        QCOMPARE(window->txtInputWord->text(), QStringLiteral("sol"));
        QCOMPARE(window->wordList().count(), kMostWordsInList);
    }

    void aLongTitleFitsItsPage_data() {
        QTest::addColumn<Qt::Key>("menuItem");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("cut");  // ends with "…"
        QTest::newRow("worksheet, 95 characters") << Qt::Key_H << kLongTitle << false;
        QTest::newRow("classroom set, 95 characters") << Qt::Key_J << kLongTitle << false;
        QTest::newRow("worksheet, one word wider than the page")
            << Qt::Key_H << QStringLiteral("Supercalifragilisticoespialidoso").repeated(3) << false;
        QTest::newRow("worksheet, far too long")
            << Qt::Key_H << QString(kLongTitle + u' ').repeated(5).trimmed() << true;
    }
    void aLongTitleFitsItsPage() {
        QFETCH(Qt::Key, menuItem);
        QFETCH(QString, title);
        QFETCH(bool, cut);
        for (const char* word : {"vaca", "oveja", "cerdo", "zorro", "lobo"}) enter(word);
        build(QStringLiteral("10"));
        QTest::keyClick(window, Qt::Key_V, Qt::AltModifier);
        QTRY_VERIFY(window->cmdExport->isEnabled());
        window->prompts.askWorksheetName = [title](const QString&) { return std::optional(title); };
        window->prompts.askVersionCount = [](int) { return std::optional<int>(1); };
        nextSavePath = path(QStringLiteral("hoja.pdf"));
        chooseFromFileMenu(menuItem);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));

        const QString expected =
            menuItem == Qt::Key_J ? title + QStringLiteral(" — versión 1") : title;
        const WorksheetPuzzle sheet =
            worksheetPuzzle(title, window->session().puzzle(), window->session().placements(), window->session().builtWith());
        for (const auto& [page, kind] :
             {std::pair{1, PageKind::Worksheet}, std::pair{2, PageKind::AnswerKey}}) {
            QSizeF size;
            const QList<WordBox> words = pageWords(nextSavePath, page, &size);
            QVERIFY(!words.isEmpty());
            const double gridTop =
                worksheetGridMm(worksheetPageSize(), sheet, kind).top() * 72 / 25.4;
            QStringList titleWords;
            QList<double> lineTops;
            for (const WordBox& word : words) {
                QVERIFY2(word.box.left() >= 0 && word.box.right() <= size.width(),
                         qPrintable(QStringLiteral("%1 at %2..%3 of %4")
                                        .arg(word.text)
                                        .arg(word.box.left())
                                        .arg(word.box.right())
                                        .arg(size.width())));
                if (word.box.bottom() >= gridTop || word.text == u"Solución") continue;
                titleWords << word.text;
                if (std::none_of(lineTops.cbegin(), lineTops.cend(),
                                 [&word](double top) { return qAbs(top - word.box.top()) < 2; })) {
                    lineTops << word.box.top();
                }
            }
            QVERIFY2(lineTops.size() <= 2, qPrintable(titleWords.join(u' ')));
            const QString shown = titleWords.join(u' ');
            QString whole = expected;
            whole.remove(u' ');
            QString joined = shown;
            joined.remove(u' ');
            if (cut) {
                QVERIFY2(shown.endsWith(u'…'), qPrintable(shown));
                QVERIFY2(whole.startsWith(joined.chopped(1)), qPrintable(shown));
            } else {
                QCOMPARE(joined, whole);
            }
        }
    }

    void onlyAWordsLettersAndDigitsTakeCells_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QString>("cells");
        QTest::newRow("two words") << "arco iris"
                                   << "ARCO IRIS"
                                   << "ARCOIRIS";
        QTest::newRow("hyphen") << "saca-puntas"
                                << "SACA-PUNTAS"
                                << "SACAPUNTAS";
        QTest::newRow("digits kept, punctuation not") << "r2-d2!"
                                                      << "R2-D2!"
                                                      << "R2D2";
        QTest::newRow("apostrophe and dot") << "o'higgins s.a."
                                            << "O'HIGGINS S.A."
                                            << "OHIGGINSSA";
    }
    void onlyAWordsLettersAndDigitsTakeCells() {
        QFETCH(QString, typed);
        QFETCH(QString, listed);
        QFETCH(QString, cells);
        enter(typed);
        QCOMPARE(window->wordList().words(), QStringList{listed});
        build(QStringLiteral("12"));
        QCOMPARE(window->session().placements().size(), std::size_t{1});
        const Placement where = window->session().placements().front();
        const Step step = directionStep(where.direction);
        QString read;
        for (int k = 0; k < cells.size(); ++k) {
            const Cell cell =
                window->session().puzzle().WordGrid.at(where.row + k * step.dRow, where.col + k * step.dCol);
            read += QString::fromUcs4(&cell, 1);
        }
        QCOMPARE(read, cells);
        QCOMPARE(shownLetters(window->txtWordText()), splitCells(cells));
        // The status line and the puzzle's words name it as typed.
        QVERIFY2(statusText().startsWith(QStringLiteral("1 de 1 palabra ")),
                 qPrintable(statusText()));
    }

    void theLongestWordIsTheOneWithTheMostLetters() {
        for (const char* word : {"a b c", "casa", "sol"}) enter(QString::fromUtf8(word));
        build(QStringLiteral("10"));
        QCOMPARE(window->session().puzzle().WordPool, (QStringList{QString(), "CASA", "A B C", "SOL", "SOL"}));
    }

    void anEntryWithNoLetterOrDigitIsRefused_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("dash") << QStringLiteral("—");
        QTest::newRow("dots") << QStringLiteral("...");
        QTest::newRow("marks") << QStringLiteral("¡¿?!");
    }
    void anEntryWithNoLetterOrDigitIsRefused() {
        QFETCH(QString, typed);
        enter(typed);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(typed), qPrintable(messages.first()));
        QCOMPARE(window->wordList().count(), 0);
        QCOMPARE(window->txtInputWord->text(), typed);
        QVERIFY(!window->cmdStart->isEnabled());
    }

    void aWordThePuzzleFilesCannotHoldIsNamedWhenItEnters() {
        enter(QStringLiteral("łódź"));
        QCOMPARE(window->wordList().words(), QStringList{QStringLiteral("ŁÓDŹ")});
        QVERIFY(messages.isEmpty());
        QCOMPARE(statusText(), QStringLiteral("«Generar y Guardar» no puede guardar estas letras "
                                              "en sus archivos: ŁÓDŹ: Ł, Ź."));
        QTest::mouseClick(window->cmdAuto, Qt::LeftButton);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(QStringLiteral("ŁÓDŹ: Ł, Ź")),
                 qPrintable(messages.first()));
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList());
    }

    void theStatusLineShowsItsWholeTextInUpToThreeLines_data() {
        QTest::addColumn<int>("wordCount");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("whole");  // the status's text; empty: not checked
        QTest::newRow("one word") << 1 << 1 << "1 de 1 palabra en la cuadrícula.";
        QTest::newRow("95 words left out") << 95 << 3 << QString();
    }
    void theStatusLineShowsItsWholeTextInUpToThreeLines() {
        QFETCH(int, wordCount);
        QFETCH(int, lines);
        QFETCH(QString, whole);
        const QRect client = window->centralWidget()->geometry();
        const int height = window->height();
        if (wordCount == 1) {
            enter(QStringLiteral("sol"));
        } else {
            QStringList words;
            for (int n = 0; n < wordCount; ++n) words << madeUpWord(n);
            paste(words.join(u'\n'));
        }
        build(QStringLiteral("5"));
        if (!whole.isEmpty()) QCOMPARE(statusText(), whole);
        const QString text = statusText();
        QCOMPARE(window->lblPuzzleWords->toolTip(), text);
        const QStringList shown = window->lblPuzzleWords->property("shownLines").toStringList();
        QCOMPARE(shown.size(), lines);
        // Each line ends where a word does; the last one is cut with "…" when
        // the text goes on.
        QString rest = text;
        for (int i = 0; i < shown.size(); ++i) {
            QString line = shown.at(i);
            const bool last = i == shown.size() - 1;
            if (last && line.endsWith(u'…')) {
                line.chop(1);
                QVERIFY(rest.size() > line.size());
                QVERIFY2(rest.at(line.size()) == u' ', qPrintable(line));
            }
            QVERIFY2(rest.startsWith(line.trimmed()), qPrintable(line));
            rest = rest.mid(line.trimmed().size());
            if (!last) QVERIFY2(rest.startsWith(u' '), qPrintable(line));
            rest = rest.trimmed();
        }
        // The window grew by the lines; the client area kept its place and size.
        QTRY_COMPARE(window->centralWidget()->geometry(), client);
        const int lineSpacing = window->lblPuzzleWords->fontMetrics().lineSpacing();
        QTRY_VERIFY(window->height() >= height + (lines - 1) * lineSpacing);
        QVERIFY(window->statusBar()->geometry().top() >= client.bottom());
        // Cleared, the window goes back to its size.
        QTest::keyClick(window, Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(window->height(), height);
        QCOMPARE(window->centralWidget()->geometry(), client);
    }
};

QTEST_MAIN(RealWordsTest)
#include "tst_realwords.moc"
