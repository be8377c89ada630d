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

// The sentence at the foot of the main window after a build, for instance
// "12 de 14 palabras en la cuadrícula. No caben: BIBLIOTECA, UNIVERSIDAD."
QString puzzleWordsStatus(const PuzzleWords& words);

// The foot line of the main window for a built puzzle: the sentence above,
// then the words that read at more than one place (fairnessNotes).
QString puzzleStatus(const Puzzle& puzzle, const PuzzleSettings& builtWith);

// The words of `words` in Spanish alphabetical order, as the list keeps them.
QStringList inListOrder(QStringList words);

}  // namespace sopaly
