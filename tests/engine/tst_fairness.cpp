// What a child finds in a finished puzzle, read here by a reader of its own:
// every cell, every word, all eight directions, accents folded.
#include <QFile>
#include <QTest>
#include <algorithm>
#include <map>
#include <set>

#include "Directions.h"
#include "Puzzle.h"
#include "RudeWords.h"
#include "WordList.h"

using namespace sopaly;

namespace {

const QStringList kClassList = {
    QStringLiteral("sol"),     QStringLiteral("mar"),   QStringLiteral("pez"),
    QStringLiteral("oso"),     QStringLiteral("luna"),  QStringLiteral("gato"),
    QStringLiteral("perro"),   QStringLiteral("casa"),  QStringLiteral("árbol"),
    QStringLiteral("canción"), QStringLiteral("ratón"), QStringLiteral("león"),
    QStringLiteral("búho"),    QStringLiteral("niño"),  QStringLiteral("flor")};

QStringList committed(const QStringList& typed) {
    QStringList words;
    for (const QString& line : typed) {
        if (const auto word = committedWord(line)) words << *word;
    }
    return words;
}

QStringList hundredWords() {
    QFile file(QStringLiteral(SOPALY_TEST_WORDS100));
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read the hundred words");
    return committed(QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts));
}

PuzzleSettings sized(int side, bool easy = false) {
    PuzzleSettings settings;
    settings.rowsText = QString::number(side);
    settings.colsText = QString::number(side);
    settings.easy = easy;
    settings.rudeWords = readRudeWords(QStringLiteral(SOPALY_TEST_PROGRAM_FILES));
    return settings;
}

// The letter as a child reads it: a vowel without its accent, Ñ as Ñ.
char32_t plain(char32_t letter) {
    if (letter == U'Ñ') return letter;
    const QList<uint> parts =
        QString::fromUcs4(&letter, 1).normalized(QString::NormalizationForm_D).toUcs4();
    return parts.isEmpty() ? letter : static_cast<char32_t>(parts.first());
}

std::u32string plain(const QString& word) {
    std::u32string text;
    for (const uint letter : word.toUcs4()) text.push_back(plain(static_cast<char32_t>(letter)));
    return text;
}

bool isAccented(char32_t letter) {
    return letter != U'Ñ' && plain(letter) != letter;
}

using Cell2 = std::pair<int, int>;
// A place is a set of cells in a line: its two ends, the smaller first.
using Place = std::pair<Cell2, Cell2>;

Place placeOf(Cell2 a, Cell2 b) {
    return a < b ? Place{a, b} : Place{b, a};
}

// Every place where each word of three letters or more reads.
std::map<std::u32string, std::set<Place>> readings(const Grid& grid,
                                                   const std::set<std::u32string>& words) {
    std::map<std::u32string, std::set<Place>> found;
    std::vector<char32_t> letters;
    for (int r = 0; r <= grid.rows(); ++r) {
        for (int c = 0; c <= grid.cols(); ++c) letters.push_back(plain(grid.at(r, c)));
    }
    const auto at = [&](int r, int c) { return letters[r * (grid.cols() + 1) + c]; };
    for (int r = 1; r <= grid.rows(); ++r) {
        for (int c = 1; c <= grid.cols(); ++c) {
            for (int dr = -1; dr <= 1; ++dr) {
                for (int dc = -1; dc <= 1; ++dc) {
                    if (dr == 0 && dc == 0) continue;
                    for (const std::u32string& word : words) {
                        if (word.size() < 3 || word[0] != at(r, c)) continue;
                        const int n = static_cast<int>(word.size());
                        const int er = r + (n - 1) * dr;
                        const int ec = c + (n - 1) * dc;
                        if (er < 1 || er > grid.rows() || ec < 1 || ec > grid.cols()) continue;
                        bool reads = true;
                        for (int k = 1; k < n && reads; ++k) {
                            reads = at(r + k * dr, c + k * dc) == word[static_cast<std::size_t>(k)];
                        }
                        if (reads) found[word].insert(placeOf({r, c}, {er, ec}));
                    }
                }
            }
        }
    }
    return found;
}

struct Segment {
    QString word;
    int row, col, dRow, dCol, length;
    Place place() const {
        return placeOf({row, col}, {row + (length - 1) * dRow, col + (length - 1) * dCol});
    }
    bool holds(Cell2 cell) const {
        for (int k = 0; k < length; ++k) {
            if (cell == Cell2{row + k * dRow, col + k * dCol}) return true;
        }
        return false;
    }
    bool holds(const Place& place) const { return holds(place.first) && holds(place.second); }
};

std::vector<Segment> segments(const Puzzle& puzzle) {
    std::vector<Segment> all;
    for (const Placement& p : puzzle.Placements) {
        const QString word = puzzle.WordPool.at(p.poolIndex);
        const Step step = directionStep(p.direction);
        all.push_back({word, p.row, p.col, step.dRow, step.dCol,
                       static_cast<int>(word.toStdU32String().size())});
    }
    return all;
}

// The first reading of the guarded words that is not explained by a placed
// word: neither the word's own place nor a place inside another placed word.
// Empty when there is none.
QString unexplainedReading(const Grid& grid, const std::vector<Segment>& placed,
                           const QStringList& listed, const QStringList& rude) {
    std::set<std::u32string> words;
    for (const QString& word : listed + rude) words.insert(plain(word));
    const auto found = readings(grid, words);
    for (const auto& [word, places] : found) {
        for (const Place& place : places) {
            const bool explained = std::any_of(placed.begin(), placed.end(),
                                               [&](const Segment& s) { return s.holds(place); });
            if (!explained) {
                return QStringLiteral("%1 at (%2,%3)-(%4,%5)")
                    .arg(QString::fromStdU32String(word))
                    .arg(place.first.first)
                    .arg(place.first.second)
                    .arg(place.second.first)
                    .arg(place.second.second);
            }
        }
    }
    return {};
}

// Whether every word keeps a cell that no other word covers.
bool everyWordKeepsACell(const std::vector<Segment>& all) {
    return std::all_of(all.begin(), all.end(), [&](const Segment& s) {
        for (int k = 0; k < s.length; ++k) {
            const Cell2 cell{s.row + k * s.dRow, s.col + k * s.dCol};
            if (std::none_of(all.begin(), all.end(),
                             [&](const Segment& o) { return &o != &s && o.holds(cell); })) {
                return true;
            }
        }
        return false;
    });
}

struct Tally {
    int puzzles = 0;
    int rebuilt = 0;
    int keptUnfair = 0;
    int leftOut = 0;
};

}  // namespace

class FairnessTest : public QObject {
    Q_OBJECT
  private slots:
    void everyWordReadsOnlyWhereItWasPlacedAndNoWordThatFitsIsLeftOut_data() {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<int>("side");
        QTest::addColumn<bool>("easy");
        QTest::addColumn<int>("puzzles");
        QTest::newRow("class list, 15 x 15 master") << committed(kClassList) << 15 << false << 200;
        QTest::newRow("class list, 15 x 15 easy") << committed(kClassList) << 15 << true << 50;
        QTest::newRow("class list with GIRASOL, 10 x 10 master")
            << committed(kClassList + QStringList{QStringLiteral("girasol")}) << 10 << false << 100;
        QTest::newRow("hundred words, 20 x 20 master") << hundredWords() << 20 << false << 60;
    }
    void everyWordReadsOnlyWhereItWasPlacedAndNoWordThatFitsIsLeftOut() {
        QFETCH(QStringList, list);
        QFETCH(int, side);
        QFETCH(bool, easy);
        QFETCH(int, puzzles);
        const PuzzleSettings settings = sized(side, easy);
        QVERIFY(settings.rudeWords.contains(QStringLiteral("COÑO")));
        const QStringList pool = sortIntoPool(list);
        Tally tally;
        for (int seed = 1; seed <= puzzles; ++seed) {
            Random random([seed, t = std::uint64_t{0}]() mutable {
                return static_cast<std::uint64_t>(seed) * 1000003 + ++t;
            });
            Puzzle puzzle;
            buildPuzzle(puzzle, pool, settings, random);
            ShowFinishedWord(puzzle, settings, random);
            ++tally.puzzles;
            tally.rebuilt += puzzle.Fairness.rebuilds > 0;
            tally.keptUnfair += !puzzle.Fairness.readTwice.isEmpty();

            const std::vector<Segment> placed = segments(puzzle);
            const QString chance =
                unexplainedReading(puzzle.WordGrid, placed, list, settings.rudeWords);
            QVERIFY2(
                chance.isEmpty(),
                qPrintable(QStringLiteral("seed %1: %2 reads by chance").arg(seed).arg(chance)));

            // A word read inside another placed word is named on the foot line.
            const QStringList notes = fairnessNotes(puzzle);
            std::set<std::u32string> listed;
            for (const QString& word : list) listed.insert(plain(word));
            const auto found = readings(puzzle.WordGrid, listed);
            for (const QString& word : list) {
                const auto it = found.find(plain(word));
                if (it == found.end()) continue;
                // A word left out is listed nowhere; reading inside another is no
                // second place for it.
                if (std::none_of(placed.begin(), placed.end(),
                                 [&](const Segment& s) { return s.word == word; })) {
                    continue;
                }
                int own = 0;
                for (const Place& place : it->second) {
                    const bool isOwn = std::any_of(
                        placed.begin(), placed.end(),
                        [&](const auto& s) { return s.word == word && s.place() == place; });
                    own += isOwn;
                    if (isOwn) continue;
                    for (const Segment& host : placed) {
                        if (host.word == word || !host.holds(place)) continue;
                        const QString note =
                            QStringLiteral("%1 se lee también dentro de %2.").arg(word, host.word);
                        QVERIFY2(notes.contains(note), qPrintable(note));
                    }
                }
                const auto times = std::count_if(placed.begin(), placed.end(),
                                                 [&](const Segment& s) { return s.word == word; });
                QVERIFY(own <= times);
            }

            // A word left out has no place that fits, fairly, in the grid as placed.
            std::set<int> placedIndexes;
            for (const Placement& p : puzzle.Placements) placedIndexes.insert(p.poolIndex);
            for (qsizetype i = 1; i + 1 < pool.size(); ++i) {
                if (placedIndexes.count(static_cast<int>(i)) == 1) continue;
                ++tally.leftOut;
                const std::u32string word = pool.at(i).toStdU32String();
                const int n = static_cast<int>(word.size());
                for (int direction = 1; direction <= (easy ? 4 : 8); ++direction) {
                    const Step step = directionStep(direction);
                    for (int r = 1; r <= side; ++r) {
                        for (int c = 1; c <= side; ++c) {
                            const int er = r + (n - 1) * step.dRow;
                            const int ec = c + (n - 1) * step.dCol;
                            // Left to right stops short of the last column,
                            // top to bottom short of the last row.
                            const int lastRow = direction == TopToBottom ? side - 1 : side;
                            const int lastCol = direction == LeftToRight ? side - 1 : side;
                            if (er < 1 || er > lastRow || ec < 1 || ec > lastCol) continue;
                            Grid trial = puzzle.SolutionGrid;
                            bool fits = true;
                            for (int k = 0; k < n && fits; ++k) {
                                char32_t& cell = trial.at(r + k * step.dRow, c + k * step.dCol);
                                fits =
                                    cell == kEmptyCell || cell == word[static_cast<std::size_t>(k)];
                                cell = word[static_cast<std::size_t>(k)];
                            }
                            if (!fits) continue;
                            std::vector<Segment> withIt = placed;
                            withIt.push_back({pool.at(i), r, c, step.dRow, step.dCol, n});
                            if (!everyWordKeepsACell(withIt)) continue;
                            QVERIFY2(!unexplainedReading(trial, withIt, list, settings.rudeWords)
                                          .isEmpty(),
                                     qPrintable(QStringLiteral("seed %1: %2 fits at %3,%4 (%5)")
                                                    .arg(seed)
                                                    .arg(pool.at(i))
                                                    .arg(r)
                                                    .arg(c)
                                                    .arg(direction)));
                        }
                    }
                }
            }
        }
        qInfo("%d puzzles: %d built again, %d kept with a word read twice, %d words left out",
              tally.puzzles, tally.rebuilt, tally.keptUnfair, tally.leftOut);
        QCOMPARE(tally.keptUnfair, 0);
    }

    void aboutAThirdOrMoreOfTheAccentedLettersLieOutsideTheWords() {
        const PuzzleSettings settings = sized(15);
        const QStringList pool = sortIntoPool(committed(kClassList));
        Random random([t = std::uint64_t{0}]() mutable { return ++t; });
        int accentedInWords = 0;
        int accentedOutside = 0;
        int wordCells = 0;
        int fillCells = 0;
        std::set<char32_t> fillLetters;
        for (int n = 0; n < 300; ++n) {
            Puzzle puzzle;
            buildPuzzle(puzzle, pool, settings, random);
            ShowFinishedWord(puzzle, settings, random);
            for (int r = 1; r <= 15; ++r) {
                for (int c = 1; c <= 15; ++c) {
                    const char32_t letter = puzzle.WordGrid.at(r, c);
                    const bool inWord = puzzle.SolutionGrid.at(r, c) != kEmptyCell;
                    (inWord ? wordCells : fillCells) += 1;
                    if (!inWord) fillLetters.insert(letter);
                    if (isAccented(letter)) (inWord ? accentedInWords : accentedOutside) += 1;
                }
            }
        }
        const int accented = accentedInWords + accentedOutside;
        qInfo("accented cells: %d in the words, %d outside", accentedInWords, accentedOutside);
        QVERIFY(accentedInWords > 0);
        QVERIFY2(3 * accentedOutside >= accented, "the accents give their words away");
        // No flood either: the fill holds accents about as densely as the words.
        const double inWordsShare = double(accentedInWords) / wordCells;
        const double outsideShare = double(accentedOutside) / fillCells;
        QVERIFY2(outsideShare <= 1.5 * inWordsShare && outsideShare >= 0.5 * inWordsShare,
                 qPrintable(QStringLiteral("%1 of the fill, %2 of the words")
                                .arg(outsideShare)
                                .arg(inWordsShare)));
        for (const char32_t letter : kFillLetters) QVERIFY(fillLetters.count(letter) == 1);
    }

    void aWordTheTriesMissGoesToTheOnlyPlaceThatFits() {
        // A 20 x 20 grid full of X but for five cells on a diagonal, one of
        // them already an A: GATOS fits there one way only, from (4,10) down
        // to the left, and the tries hit it once in some 3200.
        int scanned = 0;
        for (std::uint64_t seed = 1; seed <= 10; ++seed) {
            std::uint64_t readings = 0;
            Random random([&readings, seed] { return seed << 32 | ++readings; });
            Puzzle puzzle;
            const PuzzleSettings settings = sized(20);
            allocateGrids(puzzle, settings);
            puzzle.WordGrid.fill(U'X');
            for (int k = 0; k < 5; ++k) puzzle.WordGrid.at(4 + k, 10 - k) = kEmptyCell;
            puzzle.WordGrid.at(5, 9) = U'A';
            puzzle.WordPool = {QString(), QStringLiteral("GATOS"), QStringLiteral("GATOS")};
            const std::vector<Placement> placed = FitWordOnGrid(puzzle, settings, random);
            QCOMPARE(placed.size(), std::size_t{1});
            QCOMPARE(placed[0].row, 4);
            QCOMPARE(placed[0].col, 10);
            QCOMPARE(placed[0].direction, int(DownLeft));
            scanned += readings == 1001;
        }
        // Most seeds spend every try and find the place by the scan.
        QVERIFY(scanned >= 5);
    }

    void aWordWithNoPlaceAtAllIsLeftOut() {
        Random random([t = std::uint64_t{0}]() mutable { return ++t; });
        Puzzle puzzle;
        const PuzzleSettings settings = sized(5);
        allocateGrids(puzzle, settings);
        puzzle.WordGrid.fill(U'X');
        puzzle.WordGrid.at(3, 3) = kEmptyCell;
        puzzle.WordPool = {QString(), QStringLiteral("SOL"), QStringLiteral("SOL")};
        QVERIFY(FitWordOnGrid(puzzle, settings, random).empty());
    }

    void aWordInsideAnotherIsNamedNotRefused_data() {
        QTest::addColumn<QString>("outer");
        QTest::addColumn<QString>("inner");
        QTest::newRow("forwards") << QStringLiteral("GIRASOL") << QStringLiteral("SOL");
        QTest::newRow("backwards") << QStringLiteral("OMAR") << QStringLiteral("RAMO");
        QTest::newRow("with an accent") << QStringLiteral("CANCIÓN") << QStringLiteral("CION");
    }
    void aWordInsideAnotherIsNamedNotRefused() {
        QFETCH(QString, outer);
        QFETCH(QString, inner);
        Random random([t = std::uint64_t{0}]() mutable { return ++t; });
        Puzzle puzzle;
        const PuzzleSettings settings = sized(10);
        buildPuzzle(puzzle, sortIntoPool({inner, outer}), settings, random);
        ShowFinishedWord(puzzle, settings, random);
        QCOMPARE(puzzle.Placements.size(), std::size_t{2});
        QCOMPARE(fairnessNotes(puzzle),
                 QStringList{QStringLiteral("%1 se lee también dentro de %2.").arg(inner, outer)});
    }

    void aRudeWordInsideAListedWordStays() {
        Random random([t = std::uint64_t{0}]() mutable { return ++t; });
        Puzzle puzzle;
        const PuzzleSettings settings = sized(12);
        QVERIFY(settings.rudeWords.contains(QStringLiteral("PUTA")));
        buildPuzzle(puzzle, sortIntoPool({QStringLiteral("COMPUTADORA")}), settings, random);
        ShowFinishedWord(puzzle, settings, random);
        QCOMPARE(puzzle.Placements.size(), std::size_t{1});
        QVERIFY(fairnessNotes(puzzle).isEmpty());
    }
};

QTEST_APPLESS_MAIN(FairnessTest)
#include "tst_fairness.moc"
