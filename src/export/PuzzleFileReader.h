#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "Puzzle.h"

namespace sopaly {

// A puzzle file that "Generar y Guardar" wrote, read back: the puzzle as the
// engine keeps a finished one (both grids, the pool of the listed words,
// where each word reads in the solution, the secret message's letters),
// the words in the file's order, and the grid's size.
struct OpenedPuzzle {
    Puzzle puzzle;
    QStringList words;
    int rows = 0;
    int cols = 0;
    // Why the file is not such a puzzle, naming it; empty when it is.
    QString refusal;
};

// Reads the bytes of the file called `fileName`. Every check that fails
// gives one sentence: the layout (the heading, the grid's rows, the words,
// the solution, the note), the size (5 to 20 cells a side), the solution
// agreeing with the grid on every letter it holds, and every letter of the
// solution being a listed word's or the secret message's.
OpenedPuzzle readPuzzleFileBytes(const QByteArray& bytes, const QString& fileName);

// The same for the file at `path`, read as a word list is: a regular file,
// no larger than 1 MiB, and text.
OpenedPuzzle readPuzzleFile(const QString& path);

}  // namespace sopaly
