#include "PuzzleFileReader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringDecoder>
#include <optional>

#include "CheckedRead.h"
#include "Shape.h"
#include "SolutionReading.h"
#include "WordList.h"
#include "WordListFile.h"

namespace sopaly {

namespace {

const QString kHeading = QStringLiteral("Sopaly!!! by ");
const QString kWordsHeading = QStringLiteral("Palabras Para Buscar:");
const QString kNoteHeading = QStringLiteral("********** NOTA *****************");

// The numbers of a message as text, so that every part is put in at once
// and a file name holding "%2" stays as it is.
QString number(int n) {
    return QString::number(n);
}

QStringList fileLines(const QByteArray& bytes) {
    QStringDecoder windows1252("windows-1252");
    QString text = windows1252.isValid() ? windows1252.decode(bytes) : QString::fromLatin1(bytes);
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r')) line.chop(1);
    }
    // The line end of the last line does not begin another one.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

// The lines of one file, read from the first to the last, with the number
// of the line last taken for the messages.
class LineReader {
  public:
    explicit LineReader(QStringList lines) : lines_(std::move(lines)) {}
    bool atEnd() const { return next_ >= lines_.size(); }
    const QString& peek() const { return lines_.at(next_); }
    QString take() { return lines_.at(next_++); }
    int number() const { return static_cast<int>(next_); }
    // A line of one space (or none) between the parts of the file.
    bool atSpacer() const { return !atEnd() && peek().trimmed().isEmpty() && peek().size() <= 1; }
    void skipSpacers() {
        while (atSpacer()) ++next_;
    }

  private:
    QStringList lines_;
    qsizetype next_ = 0;
};

// One grid line: a cell's character and a space for every column. A space
// in a cell's place is a cell outside the shape; "." an empty cell of the
// solution.
std::optional<std::vector<Cell>> gridRow(const QString& line, bool solution) {
    if (line.isEmpty() || line.size() % 2 != 0) return std::nullopt;
    std::vector<Cell> cells;
    for (qsizetype i = 0; i < line.size(); i += 2) {
        const QChar shown = line.at(i);
        if (line.at(i + 1) != u' ') return std::nullopt;
        if (shown == u' ') {
            cells.push_back(kOffShapeCell);
        } else if (shown.isLetterOrNumber() || (solution && shown == u'.')) {
            cells.push_back(shown.unicode());
        } else {
            return std::nullopt;
        }
    }
    return cells;
}

struct GridLines {
    std::vector<std::vector<Cell>> rows;
    QString refusal;
};

GridLines readGrid(LineReader& lines, const QString& name, bool solution, qsizetype width) {
    GridLines grid;
    while (!lines.atEnd() && !lines.atSpacer()) {
        const std::optional<std::vector<Cell>> row = gridRow(lines.take(), solution);
        const qsizetype expected = grid.rows.empty() ? width : qsizetype(grid.rows.front().size());
        if (!row || (expected > 0 && qsizetype(row->size()) != expected)) {
            grid.refusal =
                QCoreApplication::translate("PuzzleFileReader",
                                            "La línea %1 de %2 no es una fila de la cuadrícula.")
                    .arg(number(lines.number()), name);
            return grid;
        }
        grid.rows.push_back(*row);
    }
    return grid;
}

Grid toGrid(const std::vector<std::vector<Cell>>& rows, Cell corner) {
    const int height = static_cast<int>(rows.size());
    const int width = height > 0 ? static_cast<int>(rows.front().size()) : 0;
    Grid grid(height, width, corner);
    for (int r = 1; r <= height; ++r) {
        for (int c = 1; c <= width; ++c) grid.at(r, c) = rows[r - 1][c - 1];
    }
    return grid;
}

QString cutShort(const QString& name, int line) {
    return QCoreApplication::translate(
               "PuzzleFileReader", "%1 termina en la línea %2, antes de acabar el rompecabezas.")
        .arg(name, number(line));
}

// The agreement of the two grids, and of every solution letter with a word
// or the secret message; fills in the puzzle on success.
QString checkSolution(OpenedPuzzle& opened, const QString& name) {
    Puzzle& puzzle = opened.puzzle;
    for (int r = 1; r <= opened.rows; ++r) {
        for (int c = 1; c <= opened.cols; ++c) {
            const Cell key = puzzle.SolutionGrid.at(r, c);
            const Cell shown = puzzle.WordGrid.at(r, c);
            const bool agrees = key == kEmptyCell ? shown != kOffShapeCell : key == shown;
            if (!agrees) {
                return QCoreApplication::translate(
                           "PuzzleFileReader",
                           "La solución de %1 no coincide con la cuadrícula en la fila %2, "
                           "columna %3.")
                    .arg(name, number(r), number(c));
            }
        }
    }
    puzzle.WordPool = sortIntoPool(opened.words);
    puzzle.Placements = placementsInSolution(puzzle.SolutionGrid, puzzle.WordPool);
    const LeftoverLetters left =
        leftoverLetters(puzzle.SolutionGrid, puzzle.Placements, puzzle.WordPool);
    if (left.stray) {
        return QCoreApplication::translate(
                   "PuzzleFileReader",
                   "La letra de la fila %2, columna %3 de la solución de %1 no es de ninguna "
                   "palabra de la lista.")
            .arg(name, number(left.stray->first), number(left.stray->second));
    }
    puzzle.Message.typed = QString::fromUcs4(left.letters.data(), qsizetype(left.letters.size()));
    puzzle.Message.letters = static_cast<int>(left.letters.size());
    return {};
}

// The parts of the file in their order; the first that is not as the batch
// writes it refuses the file.
QString readParts(LineReader& lines, OpenedPuzzle& opened, const QString& name) {
    const QString notPuzzle =
        QCoreApplication::translate("PuzzleFileReader", "%1 no es un rompecabezas de Sopaly.")
            .arg(name);
    if (lines.atEnd() || !lines.take().startsWith(kHeading)) return notPuzzle;
    lines.skipSpacers();
    const GridLines shown = readGrid(lines, name, false, 0);
    if (!shown.refusal.isEmpty()) return shown.refusal;
    lines.skipSpacers();
    if (lines.atEnd()) return cutShort(name, lines.number());
    if (shown.rows.empty() || lines.take() != kWordsHeading) return notPuzzle;
    while (!lines.atEnd() && !lines.atSpacer()) opened.words << lines.take();
    if (opened.words.isEmpty())
        return QCoreApplication::translate("PuzzleFileReader",
                                           "%1 no tiene ninguna palabra para buscar.")
            .arg(name);
    lines.skipSpacers();
    const auto width = qsizetype(shown.rows.front().size());
    const GridLines key = readGrid(lines, name, true, width);
    if (!key.refusal.isEmpty()) return key.refusal;
    lines.skipSpacers();
    if (lines.atEnd()) return cutShort(name, lines.number());
    if (key.rows.size() != shown.rows.size()) {
        return QCoreApplication::translate("PuzzleFileReader",
                                           "La solución de %1 no tiene el tamaño de la cuadrícula.")
            .arg(name);
    }
    if (lines.take() != kNoteHeading) return notPuzzle;
    opened.rows = static_cast<int>(shown.rows.size());
    opened.cols = static_cast<int>(width);
    if (opened.rows < kSmallestGrid || opened.rows > kLargestGrid || opened.cols < kSmallestGrid ||
        opened.cols > kLargestGrid) {
        return QCoreApplication::translate(
                   "PuzzleFileReader",
                   "La cuadrícula de %1 tiene %2 × %3 casillas: Sopaly las hace de 5 a 20 por "
                   "lado.")
            .arg(name, number(opened.rows), number(opened.cols));
    }
    opened.puzzle.WordGrid = toGrid(shown.rows, kEmptyCell);
    opened.puzzle.SolutionGrid = toGrid(key.rows, kBlankCell);
    return checkSolution(opened, name);
}

}  // namespace

OpenedPuzzle readPuzzleFileBytes(const QByteArray& bytes, const QString& fileName) {
    OpenedPuzzle opened;
    LineReader lines(fileLines(bytes));
    opened.refusal = readParts(lines, opened, fileName);
    if (!opened.refusal.isEmpty()) return OpenedPuzzle{{}, {}, 0, 0, opened.refusal};
    return opened;
}

OpenedPuzzle readPuzzleFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const CheckedBytes file = readRegularFile(path, kLargestListFile);
    QString failure;
    if (!file.ok()) {
        failure = readRefusalReason(file.refusal);
    } else if (!isText(file.bytes)) {
        failure = readRefusalReason(ReadRefusal::NotRegular);
    }
    if (!failure.isEmpty()) {
        OpenedPuzzle refused;
        refused.refusal = QCoreApplication::translate("PuzzleFileReader",
                                                      "No se pudo abrir el rompecabezas %1: %2.")
                              .arg(name, failure);
        return refused;
    }
    return readPuzzleFileBytes(file.bytes, name);
}

}  // namespace sopaly
