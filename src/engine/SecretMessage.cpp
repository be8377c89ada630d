#include "SecretMessage.h"

#include <QChar>
#include <QList>

#include "Directions.h"

namespace sopaly {

std::u32string messageLetters(const QString& typed) {
    std::u32string letters;
    for (const char32_t c : typed.toUpper().normalized(QString::NormalizationForm_C).toUcs4()) {
        if (QChar::isLetterOrNumber(c)) letters += c;
    }
    return letters;
}

int freeCellCount(const Grid& grid) {
    int free = 0;
    for (int row = 1; row <= grid.rows(); ++row) {
        for (int col = 1; col <= grid.cols(); ++col) free += grid.at(row, col) == kEmptyCell;
    }
    return free;
}

int placeMessageLetters(Grid& grid, std::u32string_view letters,
                        std::vector<std::pair<int, int>>* cells) {
    const auto length = static_cast<int>(letters.size());
    const int free = freeCellCount(grid);
    if (free < length) return length - free;
    std::size_t next = 0;
    for (int row = 1; row <= grid.rows() && next < letters.size(); ++row) {
        for (int col = 1; col <= grid.cols() && next < letters.size(); ++col) {
            if (grid.at(row, col) != kEmptyCell) continue;
            grid.at(row, col) = letters[next++];
            if (cells) cells->emplace_back(row, col);
        }
    }
    return 0;
}

namespace {

char32_t folded(char32_t c) {
    if (c == U'\u00D1' || c == U'\u00F1') return c;
    if (QChar::decompositionTag(c) != QChar::Canonical) return c;
    const QString base = QChar::decomposition(c);
    return base.isEmpty() ? c : base.at(0).unicode();
}

std::u32string foldedWord(const QString& word) {
    std::u32string letters = word.toStdU32String();
    for (char32_t& c : letters) c = folded(c);
    return letters;
}

}  // namespace

bool readsThroughCells(const Grid& grid, const QStringList& pool,
                       const std::vector<std::pair<int, int>>& cells) {
    for (const QString& entry : pool) {
        const std::u32string word = foldedWord(entry);
        const auto length = static_cast<int>(word.size());
        if (length < 3) continue;
        for (const auto& [row, col] : cells) {
            for (int direction = 1; direction <= 8; ++direction) {
                const Step step = directionStep(direction);
                // The cell may hold any letter of the word: try each.
                for (int k = 0; k < length; ++k) {
                    const int firstRow = row - k * step.dRow;
                    const int firstCol = col - k * step.dCol;
                    int n = 0;
                    while (n < length) {
                        const int r = firstRow + n * step.dRow;
                        const int c = firstCol + n * step.dCol;
                        if (!grid.isUsedCell(r, c) ||
                            folded(grid.at(r, c)) != word[static_cast<std::size_t>(n)]) {
                            break;
                        }
                        ++n;
                    }
                    if (n == length) return true;
                }
            }
        }
    }
    return false;
}

QString secretMessageStatus(const SecretMessage& message) {
    if (message.missing == 1) {
        return QStringLiteral("El mensaje secreto no se puso: 1 de sus letras no cabe.");
    }
    if (message.missing > 1) {
        return QStringLiteral("El mensaje secreto no se puso: %1 de sus letras no caben.")
            .arg(message.missing);
    }
    if (message.unfair) {
        return QStringLiteral(
            "El mensaje secreto no se puso: hacía leer una palabra en dos sitios.");
    }
    return {};
}

}  // namespace sopaly
