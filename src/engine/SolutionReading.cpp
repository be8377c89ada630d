#include "SolutionReading.h"

#include "Cells.h"
#include "Directions.h"

namespace sopaly {

namespace {

bool readsAt(const Grid& grid, const std::u32string& cells, int row, int col, int direction) {
    const Step step = directionStep(direction);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int r = row + step.dRow * static_cast<int>(i);
        const int c = col + step.dCol * static_cast<int>(i);
        if (!grid.isUsedCell(r, c) || grid.at(r, c) != cells[i]) return false;
    }
    return true;
}

std::vector<Placement> placesOf(const Grid& grid, const std::u32string& cells, int poolIndex) {
    std::vector<Placement> places;
    if (cells.empty()) return places;
    for (int row = 1; row <= grid.rows(); ++row) {
        for (int col = 1; col <= grid.cols(); ++col) {
            if (grid.at(row, col) != cells.front()) continue;
            for (int direction = 1; direction <= 8; ++direction) {
                if (readsAt(grid, cells, row, col, direction)) {
                    places.push_back({poolIndex, row, col, direction});
                }
            }
        }
    }
    return places;
}

template <typename Visit>
void forEachCell(const Placement& where, std::size_t length, Visit visit) {
    const Step step = directionStep(where.direction);
    for (std::size_t i = 0; i < length; ++i) {
        visit(where.row + step.dRow * static_cast<int>(i),
              where.col + step.dCol * static_cast<int>(i));
    }
}

}  // namespace

std::vector<Placement> placementsInSolution(const Grid& solution, const QStringList& pool) {
    std::vector<Placement> placements;
    Grid covered(solution.rows(), solution.cols(), 0);
    // The pool's last word is a copy of the one before it.
    for (qsizetype index = 1; index + 1 < pool.size(); ++index) {
        const std::u32string cells = wordCells(pool.at(index));
        const std::vector<Placement> places = placesOf(solution, cells, static_cast<int>(index));
        if (places.empty()) continue;
        const Placement* chosen = &places.front();
        for (const Placement& place : places) {
            bool own = false;
            forEachCell(place, cells.size(),
                        [&](int r, int c) { own = own || covered.at(r, c) == 0; });
            if (own) {
                chosen = &place;
                break;
            }
        }
        forEachCell(*chosen, cells.size(), [&](int r, int c) { covered.at(r, c) = 1; });
        placements.push_back(*chosen);
    }
    return placements;
}

LeftoverLetters leftoverLetters(const Grid& solution, const std::vector<Placement>& placements,
                                const QStringList& pool) {
    Grid covered(solution.rows(), solution.cols(), 0);
    for (const Placement& where : placements) {
        forEachCell(where, cellCount(pool.at(where.poolIndex)),
                    [&](int r, int c) { covered.at(r, c) = 1; });
    }
    LeftoverLetters left;
    bool freeCellSeen = false;
    for (int row = 1; row <= solution.rows(); ++row) {
        for (int col = 1; col <= solution.cols(); ++col) {
            const Cell cell = solution.at(row, col);
            if (covered.at(row, col) != 0 || cell == kOffShapeCell) continue;
            if (cell == kEmptyCell) {
                freeCellSeen = true;
            } else if (freeCellSeen) {
                if (!left.stray) left.stray = std::pair{row, col};
            } else {
                left.letters.push_back(cell);
            }
        }
    }
    return left;
}

}  // namespace sopaly
