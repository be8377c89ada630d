#include "Selection.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sopaly {

bool CellLine::holds(CellPos cell) const {
    for (int i = 0; i < length; ++i) {
        if (at(i) == cell) return true;
    }
    return false;
}

namespace {

int sign(int value) {
    return (value > 0) - (value < 0);
}

bool inGrid(CellPos cell, int rows, int cols) {
    return cell.row >= 1 && cell.row <= rows && cell.col >= 1 && cell.col <= cols;
}

}  // namespace

CellLine snapSelection(CellPos from, CellPos to, int rows, int cols) {
    const int dRow = to.row - from.row;
    const int dCol = to.col - from.col;
    if (dRow == 0 && dCol == 0) return {from, 0, 0, 1};
    // The nearest of the eight directions: a multiple of 45 degrees.
    const double angle = std::atan2(static_cast<double>(dRow), static_cast<double>(dCol));
    const double octant = std::round(angle / (M_PI / 4.0));
    const int stepRow = sign(static_cast<int>(std::lround(std::sin(octant * M_PI / 4.0) * 2)));
    const int stepCol = sign(static_cast<int>(std::lround(std::cos(octant * M_PI / 4.0) * 2)));
    // The drag's reach along that direction, in whole cells.
    int reach = 0;
    if (stepRow == 0) {
        reach = std::abs(dCol);
    } else if (stepCol == 0) {
        reach = std::abs(dRow);
    } else {
        reach = static_cast<int>(std::lround((std::abs(dRow) + std::abs(dCol)) / 2.0));
    }
    CellLine line{from, stepRow, stepCol, reach + 1};
    while (line.length > 1 && !inGrid(line.end(), rows, cols)) --line.length;
    return line;
}

bool sameCells(const CellLine& a, const CellLine& b) {
    if (a.length != b.length) return false;
    return (a.start == b.start && a.end() == b.end()) || (a.start == b.end() && a.end() == b.start);
}

std::optional<int> matchWord(const std::vector<CellLine>& words, const CellLine& selection) {
    const auto found = std::find_if(words.begin(), words.end(), [&](const CellLine& word) {
        return sameCells(word, selection);
    });
    if (found == words.end()) return std::nullopt;
    return static_cast<int>(found - words.begin());
}

}  // namespace sopaly
