#include "PuzzleWords.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

#include "Numbers.h"

namespace sopaly {

QStringList inListOrder(QStringList words) {
    const QCollator collator(QLocale(QLocale::Spanish, QLocale::Spain));
    std::stable_sort(words.begin(), words.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    return words;
}

PuzzleWords puzzleWords(const QStringList& pool, const std::vector<Placement>& placements,
                        const PuzzleSettings& builtWith) {
    PuzzleWords result;
    // The pool repeats its last word once more at its end; that copy is
    // never tried and stands for no word of the list.
    const auto last = std::max<qsizetype>(pool.size() - 2, 0);
    result.listCount = static_cast<int>(last);
    std::vector<bool> placed(static_cast<std::size_t>(last) + 1, false);
    for (const Placement& where : placements) {
        if (where.poolIndex >= 1 && where.poolIndex <= last) {
            placed[static_cast<std::size_t>(where.poolIndex)] = true;
        }
    }
    const double wordLimit = lenientNumber(builtWith.wordLimitText);
    for (qsizetype i = 1; i <= last; ++i) {
        if (placed[static_cast<std::size_t>(i)]) {
            result.placed << pool.at(i);
        } else if (wordLimit < static_cast<double>(i)) {
            result.beyondLimit << pool.at(i);
        } else {
            result.noRoom << pool.at(i);
        }
    }
    result.placed = inListOrder(result.placed);
    result.noRoom = inListOrder(result.noRoom);
    result.beyondLimit = inListOrder(result.beyondLimit);
    return result;
}

}  // namespace sopaly
