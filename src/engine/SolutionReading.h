#pragma once

#include <QStringList>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Grid.h"
#include "Puzzle.h"

namespace sopaly {

// Where each word of `pool` (element 0 empty, longest first, the last word
// repeated, as the engine keeps it) reads in `solution`, in any of the eight
// directions; a word that reads nowhere has no placement. Longer words are
// found first, and a word that also reads inside a longer one is taken
// where it has a cell of its own, when it has such a place.
std::vector<Placement> placementsInSolution(const Grid& solution, const QStringList& pool);

// The letters of `solution` that no placement covers, in reading order:
// a secret message takes the first free cells, so they must be exactly
// that. `stray` names the first letter that is not, if any.
struct LeftoverLetters {
    std::u32string letters;
    std::optional<std::pair<int, int>> stray;  // (row, column)
};
LeftoverLetters leftoverLetters(const Grid& solution, const std::vector<Placement>& placements,
                                const QStringList& pool);

}  // namespace sopaly
