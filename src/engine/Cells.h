#pragma once

#include <QString>
#include <QStringView>
#include <cstddef>
#include <string>

#include "Grid.h"

namespace sopaly {

// The cells a listed word takes in the grid: one for each letter or digit,
// carrying the marks written after it, so that a letter keeps an accent no
// precomposed letter holds. Spaces, hyphens, dots and every other sign take
// no cell: a blank or a "-" inside a word would point straight at it.
std::u32string wordCells(QStringView word);
// The same into `cells`, which keeps its memory from word to word.
void assignWordCells(std::u32string& cells, QStringView word);
// How many cells the word takes: wordCells(word).size(), without a copy for
// a word of Latin letters.
std::size_t cellCount(QStringView word);

// Whether the word gives the grid anything to hide.
inline bool hasCells(QStringView word) {
    return !wordCells(word).empty();
}

// What a cell shows: its letter, with its marks when it carries any.
QString cellText(Cell cell);
void appendCellText(QString& text, Cell cell);

// Whether the cell's letter belongs to a script written from right to left.
bool isRightToLeftCell(Cell cell);

}  // namespace sopaly
