#pragma once

#include <QString>

#include "Puzzle.h"
#include "PuzzleWords.h"

namespace sopaly {

// The sentence at the foot of the main window after a build, for instance
// "12 de 14 palabras en la cuadrícula. No caben: BIBLIOTECA, UNIVERSIDAD."
QString puzzleWordsStatus(const PuzzleWords& words);

// The foot line of the main window for a built puzzle: the sentence above,
// then the words that read at more than one place (fairnessNotes).
QString puzzleStatus(const Puzzle& puzzle, const PuzzleSettings& builtWith);

}  // namespace sopaly
