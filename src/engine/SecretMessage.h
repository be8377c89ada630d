#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Grid.h"

namespace sopaly {

// How the secret message of one build went.
struct SecretMessage {
    QString typed;        // as the user typed it; empty when there was none
    int letters = 0;      // how many of the grid's cells it took
    int missing = 0;      // letters that found no free cell: it was left out
    bool unfair = false;  // it made a word read twice: the puzzle was built without it

    bool placed() const { return letters > 0; }
};

// The letters of a typed message that go into the grid: its letters and
// digits, in capitals, composed; spaces and punctuation do not count.
std::u32string messageLetters(const QString& typed);

// Why a typed message goes into no puzzle: it has no letter or digit.
QString messageWithoutLettersSentence(const QString& typed);
// How many cells of rows 1..rows(), columns 1..cols() are empty (".").
int freeCellCount(const Grid& grid);

// Writes `letters` into the first empty cells in reading order (row by row,
// left to right) when there are enough of them, and returns 0; else leaves the grid as it is and
// returns how many letters find no cell. `cells`, if given, receives the
// (row, column) of each letter written.
int placeMessageLetters(Grid& grid, std::u32string_view letters,
                        std::vector<std::pair<int, int>>* cells = nullptr);

// What the line at the foot of the window adds about the message; empty
// when it went in or there was none.
QString secretMessageStatus(const SecretMessage& message);

// The foot line after a set of `total` puzzles of which `without` went
// without the message: what it said, less such a sentence of an earlier set,
// then "El mensaje secreto no cupo en 2 de 30 versiones." (or "rompecabezas",
// as `set` says), when `without` is not 0.
enum class ShortfallOf { Puzzles, Versions };
QString withMessageShortfall(const QString& footLine, int without, int total, ShortfallOf set);

}  // namespace sopaly
