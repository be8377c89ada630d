#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "Puzzle.h"

namespace sopaly {

// Which words of the list a built puzzle holds, and why it holds no others.
// Each list is in the list's alphabetical order; a word the list holds twice
// appears as often as it was placed or left out.
struct PuzzleWords {
    int listCount = 0;        // the words the puzzle was built from
    QStringList placed;       // in the grid
    QStringList noRoom;       // tried, and no try fitted
    QStringList beyondLimit;  // never tried: past the word limit
};

// Reads what a build left behind: its word pool, the placements it returned
// and the settings it ran with (the word limit it read).
PuzzleWords puzzleWords(const QStringList& pool, const std::vector<Placement>& placements,
                        const PuzzleSettings& builtWith);

// The words of `words` in Spanish alphabetical order, as the list keeps them.
QStringList inListOrder(QStringList words);

}  // namespace sopaly
