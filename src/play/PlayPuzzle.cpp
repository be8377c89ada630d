#include "PlayPuzzle.h"

#include "Cells.h"
#include "Directions.h"
#include "Shape.h"

namespace sopaly {

bool PlayPuzzle::inShape(CellPos cell) const {
    return grid.isUsedCell(cell.row, cell.col) && grid.at(cell.row, cell.col) != kOffShapeCell &&
           grid.at(cell.row, cell.col) != kBlankCell;
}

QString PlayPuzzle::letter(CellPos cell) const {
    if (!inShape(cell)) return {};
    const QString text = cellText(grid.at(cell.row, cell.col));
    return lowerCase ? text.toLower() : text;
}

PlayPuzzle playPuzzle(const Grid& grid, const QStringList& pool,
                      const std::vector<Placement>& placements, const QStringList& listed,
                      bool lowerCase, bool hideList) {
    PlayPuzzle game;
    game.grid = grid;
    game.lowerCase = lowerCase;
    game.hideList = hideList;
    std::vector<bool> taken(placements.size(), false);
    for (const QString& word : listed) {
        for (std::size_t i = 0; i < placements.size(); ++i) {
            const Placement& placed = placements[i];
            if (taken[i] || pool.value(placed.poolIndex) != word) continue;
            taken[i] = true;
            const Step step = directionStep(placed.direction);
            game.words << (lowerCase ? word.toLower() : word);
            game.places.push_back({{placed.row, placed.col},
                                   step.dRow,
                                   step.dCol,
                                   static_cast<int>(cellCount(word))});
            break;
        }
    }
    return game;
}

}  // namespace sopaly
