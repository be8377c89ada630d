#include "Grid.h"

#include <algorithm>

namespace sopaly {

Grid::Grid(int rows, int cols, Cell fill) {
    reset(rows, cols, fill);
}

void Grid::reset(int rows, int cols, Cell fill) {
    rows_ = std::max(0, rows);
    cols_ = std::max(0, cols);
    cells_.assign(static_cast<std::size_t>(rows_ + 1) * static_cast<std::size_t>(cols_ + 1), fill);
}

void Grid::fill(Cell value) {
    std::fill(cells_.begin(), cells_.end(), value);
}

}  // namespace sopaly
