#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "Grid.h"
#include "Puzzle.h"
#include "Selection.h"

namespace sopaly {

// A finished puzzle as a game on screen shows it: its own copy, so that a
// new build in the main window leaves a game in progress alone.
struct PlayPuzzle {
    Grid grid;  // rows 1..rows(), columns 1..cols(); kOffShapeCell outside a shape
    // The words to find in the order the worksheet lists them, as shown,
    // and where each lies.
    QStringList words;
    std::vector<CellLine> places;
    bool lowerCase = false;
    bool hideList = false;

    int rows() const { return grid.rows(); }
    int cols() const { return grid.cols(); }
    bool inShape(CellPos cell) const;
    // What a cell shows: its letter in the puzzle's case; empty outside the shape.
    QString letter(CellPos cell) const;
};

// The game of a finished puzzle: `listed` are the placed words in the
// worksheet's order; each is matched to a placement of the same word of
// `pool`, so that a word placed twice is found twice.
PlayPuzzle playPuzzle(const Grid& grid, const QStringList& pool,
                      const std::vector<Placement>& placements, const QStringList& listed,
                      bool lowerCase, bool hideList);

}  // namespace sopaly
