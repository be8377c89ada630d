#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include "Directions.h"
#include "Product.h"
#include "Puzzle.h"
#include "PuzzleFile.h"
#include "SafeWrite.h"
#include "Shape.h"

using namespace sopaly;

namespace {

// Writes `word` into `grid` cell by cell from (row, col) along `direction`.
void place(Grid& grid, std::u32string_view word, int row, int col, int direction) {
    const Step step = directionStep(direction);
    for (char32_t letter : word) {
        grid.at(row, col) = letter;
        row += step.dRow;
        col += step.dCol;
    }
}

// A grid of rows x cols used cells, "." everywhere.
Grid clearedGrid(int rows, int cols) {
    return Grid(rows, cols, kEmptyCell);
}

// The solution with every "." replaced, in row order, by the next letter of
// `fill`.
Grid filled(const Grid& solution, std::u32string_view fill) {
    Grid grid = solution;
    std::size_t next = 0;
    for (int r = 1; r <= grid.rows(); ++r) {
        for (int c = 1; c <= grid.cols(); ++c) {
            if (grid.at(r, c) == kEmptyCell) grid.at(r, c) = fill[next++ % fill.size()];
        }
    }
    return grid;
}

QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    // Every line ends in CR LF, so the split leaves one empty piece at the end.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    for (QByteArray& line : lines) {
        if (line.endsWith('\r')) line.chop(1);
    }
    return lines;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    return file.readAll();
}

}  // namespace

class PuzzleFileTest : public QObject {
    Q_OBJECT
  private slots:
    void theWorkedExampleIsWrittenByteForByte() {
        Grid solution = clearedGrid(5, 5);
        place(solution, U"SOL", 1, 1, LeftToRight);
        place(solution, U"MAR", 2, 5, TopToBottom);
        const Grid puzzle = filled(solution, U"KTBEXQZUCPHWIDFYNGV");

        const QByteArray bytes = puzzleFileBytes(puzzle, solution, 5, 5, {"MAR", "SOL"});

        const QByteArray banner =
            ("Sopaly!!! by " + productAuthor() + " (" + productBaseAddress() + ")").toLatin1();
        const QList<QByteArray> expected = {
            banner,
            " ",
            " ",
            "S O L K T ",
            "B E X Q M ",
            "Z U C P A ",
            "H W I D R ",
            "F Y N G V ",
            " ",
            " ",
            " ",
            "Palabras Para Buscar:",
            "MAR",
            "SOL",
            " ",
            " ",
            " ",
            "S O L . . ",
            ". . . . M ",
            ". . . . A ",
            ". . . . R ",
            ". . . . . ",
            " ",
            " ",
            "********** NOTA *****************",
            " Importa este archivo a Word y",
            " cambia la fuente a Courier New.",
            "*********************************",
        };
        QCOMPARE(expected.size(), 28);
        QCOMPARE(bytes, expected.join("\r\n") + "\r\n");
    }

    void theFileHoldsTwoLinesPerRowOnePerWordAndSixteenMore_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("5 x 5, two words") << 5 << 5 << QStringList{"MAR", "SOL"};
        QTest::newRow("20 x 20, no words") << 20 << 20 << QStringList{};
        QTest::newRow("7 x 3, twelve words")
            << 7 << 3 << QStringList{"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L"};
        QTest::newRow("5 x 12, a word with blanks") << 5 << 12 << QStringList{"  HOLA MUNDO "};
    }
    void theFileHoldsTwoLinesPerRowOnePerWordAndSixteenMore() {
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(QStringList, words);
        Grid solution = clearedGrid(rows, cols);
        place(solution, U"SOL", 1, 1, TopToBottom);
        const Grid puzzle = filled(solution, U"QWERTY");

        const QByteArray bytes = puzzleFileBytes(puzzle, solution, rows, cols, words);
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
        QCOMPARE(bytes.count("\r\n"), bytes.count('\r'));

        const QList<QByteArray> lines = linesOf(bytes);
        QCOMPARE(lines.size(), 2 * rows + words.size() + 16);

        const int puzzleStart = 3;
        const int wordsStart = puzzleStart + rows + 4;
        const int solutionStart = wordsStart + static_cast<int>(words.size()) + 3;
        for (int i :
             {1, 2, puzzleStart + rows, puzzleStart + rows + 1, puzzleStart + rows + 2,
              wordsStart + int(words.size()), wordsStart + int(words.size()) + 1,
              wordsStart + int(words.size()) + 2, solutionStart + rows, solutionStart + rows + 1}) {
            QCOMPARE(lines.at(i), QByteArray(" "));
        }
        QCOMPARE(lines.at(wordsStart - 1), QByteArray("Palabras Para Buscar:"));
        for (int i = 0; i < words.size(); ++i) {
            QCOMPARE(QString::fromLatin1(lines.at(wordsStart + i)), words.at(i));
        }
        for (int r = 0; r < rows; ++r) {
            for (const auto& [start, grid] :
                 {std::pair<int, const Grid*>{puzzleStart, &puzzle},
                  std::pair<int, const Grid*>{solutionStart, &solution}}) {
                const QByteArray line = lines.at(start + r);
                QCOMPARE(line.size(), 2 * cols);
                for (int c = 0; c < cols; ++c) {
                    QCOMPARE(char32_t(uchar(line.at(2 * c))), grid->at(r + 1, c + 1));
                    QCOMPARE(line.at(2 * c + 1), ' ');
                }
            }
        }
    }

    void everyListedWordIsWrittenEvenOneThatTheGridDoesNotHold() {
        Grid solution = clearedGrid(5, 5);
        place(solution, U"SOL", 1, 1, LeftToRight);
        const QStringList words{"SOL", "ELEFANTES", "LUNA"};  // only SOL was placed
        const QList<QByteArray> lines =
            linesOf(puzzleFileBytes(filled(solution, U"X"), solution, 5, 5, words));
        const qsizetype heading = lines.indexOf("Palabras Para Buscar:");
        QVERIFY(heading > 0);
        QCOMPARE(lines.mid(heading + 1, 3), (QList<QByteArray>{"SOL", "ELEFANTES", "LUNA"}));
    }

    void charactersBeyondAsciiTakeTheirSingleWindows1252Byte_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Ñ") << QStringLiteral("AÑO") << QByteArray("A\xD1O");
        QTest::newRow("accented vowels")
            << QStringLiteral("ÁÉÍÓÚÜ") << QByteArray("\xC1\xC9\xCD\xD3\xDA\xDC");
        QTest::newRow("euro sign") << QStringLiteral("€") << QByteArray("\x80");
        QTest::newRow("curly quotes") << QStringLiteral("“A”")
                                      << QByteArray(
                                             "\x93"
                                             "A\x94");
    }
    void charactersBeyondAsciiTakeTheirSingleWindows1252Byte() {
        QFETCH(QString, word);
        QFETCH(QByteArray, bytes);
        const QList<QByteArray> lines =
            linesOf(puzzleFileBytes(clearedGrid(5, 5), clearedGrid(5, 5), 5, 5, {word}));
        QCOMPARE(lines.at(lines.indexOf("Palabras Para Buscar:") + 1), bytes);
    }

    void anEnyeInTheGridIsOneByteAndKeepsTheLineLength() {
        Grid solution = clearedGrid(5, 5);
        place(solution, U"AÑO", 2, 1, LeftToRight);
        const QList<QByteArray> lines =
            linesOf(puzzleFileBytes(filled(solution, U"Ñ"), solution, 5, 5, {}));
        QCOMPARE(lines.at(3), QByteArray("\xD1 \xD1 \xD1 \xD1 \xD1 "));
        QCOMPARE(lines.at(4), QByteArray("A \xD1 O \xD1 \xD1 "));
    }

    void fieldsBeyondTheGridPrintTheGridAtItsOwnSize_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("printedRows");
        QTest::addColumn<int>("printedCols");
        QTest::newRow("fields larger") << 30 << 40 << 5 << 6;
        QTest::newRow("more rows only") << 9 << 6 << 5 << 6;
        QTest::newRow("fields smaller") << 3 << 2 << 3 << 2;
        QTest::newRow("no rows") << 0 << 6 << 0 << 6;
        QTest::newRow("negative fields") << -4 << -1 << 0 << 0;
    }
    void fieldsBeyondTheGridPrintTheGridAtItsOwnSize() {
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(int, printedRows);
        QFETCH(int, printedCols);
        Grid solution = clearedGrid(5, 6);
        place(solution, U"LUNA", 5, 3, LeftToRight);
        const Grid puzzle = filled(solution, U"BCD");

        const QList<QByteArray> lines =
            linesOf(puzzleFileBytes(puzzle, solution, rows, cols, {"LUNA"}));
        QCOMPARE(lines.size(), 2 * printedRows + 1 + 16);
        const QByteArray bottom = printedRows > 0 ? lines.at(3 + printedRows - 1) : QByteArray();
        for (int r = 0; r < printedRows; ++r) QCOMPARE(lines.at(3 + r).size(), 2 * printedCols);
        if (printedRows == 5 && printedCols == 6) QCOMPARE(bottom, QByteArray("B C L U N A "));
    }

    void aSolutionCellNeverWrittenPrintsAsNothingButItsSpace() {
        const Grid never(5, 5, kBlankCell);
        const QList<QByteArray> lines =
            linesOf(puzzleFileBytes(filled(clearedGrid(5, 5), U"Z"), never, 5, 5, {}));
        for (int r = 0; r < 5; ++r) QCOMPARE(lines.at(3 + 5 + 4 + 3 + r), QByteArray(5, ' '));
    }

    void writingTheSamePuzzleTwiceGivesTheSameBytes() {
        Grid solution = clearedGrid(8, 8);
        place(solution, U"PLAYA", 3, 7, DownLeft);
        const Grid puzzle = filled(solution, U"MNÑOP");
        const QStringList words{"PLAYA", "ÑANDÚ"};
        const QByteArray first = puzzleFileBytes(puzzle, solution, 8, 8, words);
        QCOMPARE(puzzleFileBytes(puzzle, solution, 8, 8, words), first);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("Tabloza1.txt");
        QString error;
        QVERIFY(writeFileAtomically(path, first, &error));
        const QByteArray once = readAll(path);
        QVERIFY(writeFileAtomically(path, puzzleFileBytes(puzzle, solution, 8, 8, words), &error));
        QCOMPARE(readAll(path), once);
        QCOMPARE(once, first);
    }

    void thePuzzleFileOfAPuzzleUsesTheSizeFieldsWholeNumbers() {
        Puzzle puzzle;
        PuzzleSettings settings;
        settings.rowsText = "5.5";  // a whole number of 6
        settings.colsText = "4.5";  // a whole number of 4
        allocateGrids(puzzle, settings);
        puzzle.SolutionGrid = puzzle.WordGrid;
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("Tabloza7.txt");
        QString error;
        FileWriter writer;
        QVERIFY2(writePuzzleFile(writer, path, puzzle, settings, {"OLA"}, &error),
                 qPrintable(error));
        const QByteArray bytes = readAll(path);
        // OLA has no place in the grid: the file does not list it.
        QCOMPARE(bytes, puzzleFileBytes(puzzle.WordGrid, puzzle.SolutionGrid, 6, 4, {}));
        QCOMPARE(linesOf(bytes).size(), 2 * 6 + 0 + 16);
        QCOMPARE(linesOf(bytes).at(3), QByteArray(". . . . "));
    }

    void aShapedPuzzlesFileHasSpacesOutsideTheShapeAndCapitalsInLowerCaseToo() {
        PuzzleSettings settings;
        settings.rowsText = "9";
        settings.colsText = "9";
        settings.shape = Shape::Heart;
        settings.lowerCase = true;
        Random random;
        Puzzle puzzle;
        buildPuzzle(puzzle, {QString(), "NIÑO", "SOL", "SOL"}, settings, random);
        ShowFinishedWord(puzzle, settings, random);
        const QList<QByteArray> lines =
            linesOf(puzzleFileBytes(puzzle.WordGrid, puzzle.SolutionGrid, 9, 9, {"NIÑO", "SOL"}));
        const ShapeMask mask(Shape::Heart, 9, 9);
        for (const int first : {3, 3 + 9 + 3 + 1 + 2 + 3}) {  // the puzzle, the solution
            for (int row = 1; row <= 9; ++row) {
                const QByteArray& line = lines.at(first + row - 1);
                QCOMPARE(line.size(), 18);
                for (int col = 1; col <= 9; ++col) {
                    const char cell = line.at(2 * (col - 1));
                    if (!mask.holds(row, col)) {
                        QCOMPARE(cell, ' ');
                    } else if (first == 3) {
                        QVERIFY2(QChar::fromLatin1(cell).isUpper(), line.constData());
                    }
                }
            }
        }
    }

    void theFirstWordWithoutAWindows1252ByteIsFound_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("found");  // empty: none
        QTest::newRow("all Spanish")
            << QStringList{"MAR", "AÑO", "CORAZÓN", "PINGÜINO"} << QString();
        QTest::newRow("no words") << QStringList{} << QString();
        QTest::newRow("a Chinese word") << QStringList{"MAR", "中文", "SOL"} << "中文";
        QTest::newRow("the first of two") << QStringList{"ŁÓDŹ", "中文"} << "ŁÓDŹ";
        QTest::newRow("beyond the BMP") << QStringList{"SOL", "A😀"} << "A😀";
        QTest::newRow("a character the converter drops")
            << QStringList{QStringLiteral("CERO\uFEFFANCHO")} << QStringLiteral("CERO\uFEFFANCHO");
        QTest::newRow("a lone surrogate")
            << QStringList{"OK", QString(QChar(0xD800))} << QString(QChar(0xD800));
    }
    void theFirstWordWithoutAWindows1252ByteIsFound() {
        QFETCH(QStringList, words);
        QFETCH(QString, found);
        const std::optional<QString> word = firstUnencodableWord(words);
        QCOMPARE(word.has_value(), !found.isEmpty());
        if (word) QCOMPARE(*word, found);
    }

    void theCodePageTableAgreesWithThePlatformConverter() {
        if (!QStringEncoder("windows-1252").isValid()) QSKIP("no Windows-1252 converter here");
        int encodable = 0;
        for (char32_t u = 0; u < 0x10000; ++u) {
            if (u >= 0xD800 && u < 0xE000) continue;
            const QString text(QChar(static_cast<char16_t>(u)));
            bool byConverter = false;
            bool byTable = false;
            const QByteArray converted = encodeWindows1252(text, &byConverter);
            const QByteArray tabled = detail::encodeWindows1252ByTable(text, &byTable);
            QCOMPARE(byTable, byConverter);
            if (byTable) {
                QCOMPARE(tabled, converted);
                ++encodable;
            }
        }
        // Every byte stands for exactly one character.
        QCOMPARE(encodable, 256);
        bool lossless = true;
        QCOMPARE(detail::encodeWindows1252ByTable(u"A😀B", &lossless), QByteArray("A\x1A"
                                                                                 "B"));
        QVERIFY(!lossless);
    }
};

QTEST_GUILESS_MAIN(PuzzleFileTest)
#include "tst_puzzlefile.moc"
