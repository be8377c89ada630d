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

QString puzzleWordsStatus(const PuzzleWords& words) {
    QString text = (words.listCount == 1 ? QStringLiteral("%1 de %2 palabra en la cuadrícula.")
                                         : QStringLiteral("%1 de %2 palabras en la cuadrícula."))
                       .arg(words.placed.size())
                       .arg(words.listCount);
    if (!words.noRoom.isEmpty()) {
        text += QStringLiteral(" No caben: %1.").arg(words.noRoom.join(QStringLiteral(", ")));
    }
    if (!words.beyondLimit.isEmpty()) {
        text += QStringLiteral(" Fuera del máximo: %1.")
                    .arg(words.beyondLimit.join(QStringLiteral(", ")));
    }
    return text;
}

QString puzzleStatus(const Puzzle& puzzle, const PuzzleSettings& builtWith) {
    QStringList sentences = fairnessNotes(puzzle, builtWith.lowerCase);
    PuzzleWords words = puzzleWords(puzzle.WordPool, puzzle.Placements, builtWith);
    // The words are named as the grid and the list show them.
    if (builtWith.lowerCase) {
        for (QStringList* named : {&words.placed, &words.noRoom, &words.beyondLimit}) {
            for (QString& word : *named) word = word.toLower();
        }
    }
    sentences.prepend(puzzleWordsStatus(words));
    if (const QString message = secretMessageStatus(puzzle.Message); !message.isEmpty()) {
        sentences << message;
    }
    if (const QString small =
            shapeSizeNote(builtWith.shape, puzzle.WordGrid.rows(), puzzle.WordGrid.cols());
        !small.isEmpty()) {
        sentences << small;
    }
    return sentences.join(u' ');
}

}  // namespace sopaly
