#pragma once

#include <cstddef>
#include <vector>

namespace sopaly {

// One cell holds one Unicode code point, so Ñ or an accented vowel takes one
// cell like any other letter.
using Cell = char32_t;

inline constexpr Cell kEmptyCell = U'.';
// A cell that was allocated but never written (row 0 and column 0 of the
// solution grid, for instance).
inline constexpr Cell kBlankCell = U'\0';

// A grid indexed (row, column) with rows 0..rows() and columns 0..cols()
// allocated; the puzzle uses rows 1..rows() and columns 1..cols(). One
// contiguous block, so a copy is a single memcpy.
class Grid {
  public:
    Grid() = default;
    Grid(int rows, int cols, Cell fill = kBlankCell);

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    bool isEmpty() const { return cells_.empty(); }

    Cell at(int row, int col) const { return cells_[index(row, col)]; }
    Cell& at(int row, int col) { return cells_[index(row, col)]; }

    // True for 1 <= row <= rows() and 1 <= col <= cols().
    bool isUsedCell(int row, int col) const {
        return row >= 1 && row <= rows_ && col >= 1 && col <= cols_;
    }

    void fill(Cell value);
    // Makes it a grid of `rows` × `cols` cells of `fill`, as a new one would
    // be, in the memory it has: a batch builds puzzle after puzzle.
    void reset(int rows, int cols, Cell fill = kBlankCell);

    // Pointer access for walking a line of cells: one row down is
    // rowStride() cells on.
    Cell* cellPointer(int row, int col) { return cells_.data() + index(row, col); }
    const Cell* cellPointer(int row, int col) const { return cells_.data() + index(row, col); }
    std::ptrdiff_t rowStride() const { return cols_ + 1; }

    bool operator==(const Grid&) const = default;

  private:
    std::size_t index(int row, int col) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_ + 1) +
               static_cast<std::size_t>(col);
    }

    int rows_ = 0;
    int cols_ = 0;
    std::vector<Cell> cells_;
};

}  // namespace sopaly
