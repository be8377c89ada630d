#pragma once

#include <optional>
#include <vector>

namespace sopaly {

// A cell of the grid, counted from 1 like the engine's grids.
struct CellPos {
    int row = 0;
    int col = 0;
    bool operator==(const CellPos&) const = default;
};

// A straight run of cells: a start, a step of -1, 0 or 1 on each axis, and
// how many cells. One cell has the step {0, 0}.
struct CellLine {
    CellPos start;
    int dRow = 0;
    int dCol = 0;
    int length = 0;

    CellPos end() const {
        return {start.row + dRow * (length - 1), start.col + dCol * (length - 1)};
    }
    CellPos at(int i) const { return {start.row + dRow * i, start.col + dCol * i}; }
    bool holds(CellPos cell) const;
    bool operator==(const CellLine&) const = default;
};

// The line a drag from `from` to `to` selects in a rows × cols grid: the
// nearest of the eight directions, as long as the drag's reach along it,
// cut at the grid's edge. A drag that ends where it began is that cell.
CellLine snapSelection(CellPos from, CellPos to, int rows, int cols);

// Whether the two lines take the same cells, each read either way.
bool sameCells(const CellLine& a, const CellLine& b);

// The index of the first of `words` that `selection` covers exactly, read
// either way; none when no word lies there.
std::optional<int> matchWord(const std::vector<CellLine>& words, const CellLine& selection);

}  // namespace sopaly
