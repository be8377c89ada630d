#pragma once

#include "Selection.h"

namespace sopaly {

class PlayGrid;

// Screen readers meet the grid as a table of rows × columns cells, each
// named by its letter, its row and its column; the keyboard cursor's cell
// has the focus. Installed once; every PlayGrid gets it.
void installPlayGridAccessibility();

// The index among the table's children of a cell of the grid.
int playGridChildIndex(const PlayGrid& grid, CellPos cell);

}  // namespace sopaly
