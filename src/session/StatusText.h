#pragma once

#include <QString>

#include "Puzzle.h"
#include "PuzzleWords.h"
#include "WordListFile.h"

namespace sopaly {

// The sentence at the foot of the main window after a build, for instance
// "12 de 14 palabras en la cuadrícula. No caben: BIBLIOTECA, UNIVERSIDAD."
QString puzzleWordsStatus(const PuzzleWords& words);

// The foot line of the main window for a built puzzle: the sentence above,
// then, for a larger print, whether the grid's letters print smaller on
// the page (gridShrunkNote, measured under a title of one line), then the
// words that read at more than one place (fairnessNotes).
QString puzzleStatus(const Puzzle& puzzle, const PuzzleSettings& builtWith);

// The foot line after a list file was read: how many words it added, and
// which of them a puzzle file cannot hold.
QString listOpenedLine(const QString& path, const WordListRead& read, int alreadyListed);

}  // namespace sopaly
