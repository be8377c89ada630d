// The secret message: its letters in the first free cells, and a grid that
// stays fair whatever the draws.
#include <QTest>
#include <set>

#include "Directions.h"
#include "Puzzle.h"
#include "SecretMessage.h"
#include "WordList.h"

using namespace sopaly;

namespace {

char32_t folded(char32_t c) {
    static const std::u32string accented = U"ÁÉÍÓÚÜ";
    static const std::u32string plain = U"AEIOUU";
    const auto at = accented.find(c);
    return at == std::u32string::npos ? c : plain[at];
}

using Cells = std::set<std::pair<int, int>>;

// Every place where `word` reads in `grid`, as the set of its cells, in any
// of the eight directions: a palindrome read both ways is one place.
std::set<Cells> placesOf(const Grid& grid, const std::u32string& word) {
    std::set<Cells> places;
    const auto length = static_cast<int>(word.size());
    for (int row = 1; row <= grid.rows(); ++row) {
        for (int col = 1; col <= grid.cols(); ++col) {
            for (int direction = 1; direction <= 8; ++direction) {
                const Step step = directionStep(direction);
                Cells cells;
                for (int k = 0; k < length; ++k) {
                    const int r = row + k * step.dRow;
                    const int c = col + k * step.dCol;
                    if (!grid.isUsedCell(r, c) ||
                        folded(grid.at(r, c)) != folded(word[static_cast<std::size_t>(k)])) {
                        break;
                    }
                    cells.insert({r, c});
                }
                if (static_cast<int>(cells.size()) == length) places.insert(cells);
            }
        }
    }
    return places;
}

}  // namespace

class SecretMessageTest : public QObject {
    Q_OBJECT

  private slots:
    void aMessageThatWouldMakeAWordReadTwiceIsBuiltAgainOrLeftOut_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("everPlaced");
        QTest::addColumn<bool>("everLeftOut");
        QTest::newRow("the list's words in it: built again, at times left out")
            << "¡Sol y mar, sol y más!" << true << true;
        QTest::newRow("a word of the list, its accent folded: left out unless split by a word")
            << "ratón" << true << true;
        QTest::newRow("no word of the list in it: always placed") << "Uy, Uy" << true << false;
    }
    void aMessageThatWouldMakeAWordReadTwiceIsBuiltAgainOrLeftOut() {
        QFETCH(QString, message);
        QFETCH(bool, everPlaced);
        QFETCH(bool, everLeftOut);
        WordList list;
        for (const char* word : {"sol", "mar", "raton", "pez", "luna"}) {
            list.add(*committedWord(QString::fromUtf8(word)));
        }
        const QStringList pool = sortIntoPool(list.words());
        PuzzleSettings settings;
        settings.rowsText = QStringLiteral("6");
        settings.colsText = QStringLiteral("6");
        settings.message = message;
        const std::u32string letters = messageLetters(message);
        Random random([] { return std::uint64_t{11}; });
        random.seed(2026);
        int placedMessages = 0;
        int leftOut = 0;
        for (int build = 0; build < 300; ++build) {
            Puzzle puzzle;
            const std::vector<Placement> placed = buildPuzzle(puzzle, pool, settings, random);
            const Grid& grid = puzzle.WordGrid;
            QCOMPARE(puzzle.Message.missing, 0);
            Cells inWords;
            for (const Placement& where : placed) {
                const QString word = pool.at(where.poolIndex);
                const Step step = directionStep(where.direction);
                for (int k = 0; k < static_cast<int>(word.size()); ++k) {
                    inWords.insert({where.row + k * step.dRow, where.col + k * step.dCol});
                }
            }
            // What the cells no word holds say, in reading order.
            std::u32string rest;
            for (int row = 1; row <= grid.rows(); ++row) {
                for (int col = 1; col <= grid.cols(); ++col) {
                    if (!inWords.count({row, col}) && grid.at(row, col) != kEmptyCell) {
                        rest += grid.at(row, col);
                    }
                }
            }
            if (puzzle.Message.placed()) {
                ++placedMessages;
                QVERIFY(!puzzle.Message.unfair);
                QVERIFY(rest == letters);
            } else {
                ++leftOut;
                QVERIFY(puzzle.Message.unfair);
                QVERIFY(rest.empty());
            }
            // No word reads through a letter of the message.
            for (const QString& word : list.words()) {
                for (const Cells& place : placesOf(grid, word.toStdU32String())) {
                    for (const auto& cell : place) {
                        QVERIFY2(inWords.count(cell), qPrintable(word));
                    }
                }
            }
        }
        QCOMPARE(placedMessages > 0, everPlaced);
        QCOMPARE(leftOut > 0, everLeftOut);
    }
};

QTEST_GUILESS_MAIN(SecretMessageTest)
#include "tst_secretmessage.moc"
