#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>
#include <vector>

#include "Grid.h"
#include "Random.h"

namespace sopaly {

// The outline a puzzle's grid takes. The square is every cell, as always.
enum class Shape { Square, Circle, Heart, Star, Diamond, Tree };

inline constexpr std::array<Shape, 6> kShapes{Shape::Square, Shape::Circle,  Shape::Heart,
                                              Shape::Star,   Shape::Diamond, Shape::Tree};

// A cell outside the shape: no cell at all. Words never hold a control
// character, so no word can cross it, and the fill only fills ".".
inline constexpr Cell kOffShapeCell = U'\u0001';

// The name the Options menu gives it: "Cuadrada", "Círculo"...
QString shapeName(Shape shape);
// The word that stands for it in the settings file.
QString shapeKey(Shape shape);
std::optional<Shape> shapeFromKey(QStringView key);

// The fewest rows, and the fewest columns, at which the shape still looks
// like its name (found by drawing every shape at every size from 5 to 20);
// the square looks like one at any size.
int smallestSide(Shape shape);

// What the foot line says of a grid too small for its shape: "La estrella
// necesita al menos 11 × 11; a 10 × 10 apenas se reconoce." Empty when the
// shape fits.
QString shapeSizeNote(Shape shape, int rows, int cols);

// The share of the grid's cells the shape holds at least, whatever the
// grid's size: half, but a star has thin points and holds a third.
double leastShare(Shape shape);

// The cells of a rows × cols grid that the shape holds, indexed (row, column)
// from 1 like a Grid. The outline is stretched to the grid's rows and columns;
// where a small grid's cells would leave it short of its least share, it is
// widened about its centre until it holds that share.
class ShapeMask {
  public:
    ShapeMask(Shape shape, int rows, int cols);

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    bool holds(int row, int col) const {
        return row >= 1 && row <= rows_ && col >= 1 && col <= cols_ &&
               cells_[static_cast<std::size_t>(row * (cols_ + 1) + col)] != 0;
    }
    int count() const { return count_; }

  private:
    int rows_ = 0;
    int cols_ = 0;
    int count_ = 0;
    std::vector<unsigned char> cells_;
};

// The mask of a shape at a size, made once and kept while builds ask for the
// same shape and size.
const ShapeMask& shapeMask(Shape shape, int rows, int cols);

// Marks every cell of rows 1..rows(), columns 1..cols() outside the shape as
// kOffShapeCell. The square leaves the grid as it is.
void cutToShape(Grid& grid, Shape shape);

// Whether the grid has a cell outside its shape.
bool isShaped(const Grid& grid);

// Where a word may start in a shaped grid: the starts and directions from
// which a line of the word's length runs over the shape's cells only. In a
// heart most random starts of a square's road would lie outside it or run
// out of it; drawing among these wastes no try on them.
class ShapePlaces {
  public:
    // `easy` leaves the diagonals out, as the square's road does.
    ShapePlaces(const ShapeMask& mask, bool easy);

    // The places of a shape at a size, made once and kept while builds ask
    // for the same: they depend on the shape alone, not on the words.
    static const ShapePlaces& of(Shape shape, int rows, int cols, bool easy);

    // How many starts and directions hold a line of `length` cells.
    int count(int length) const;

    // Reseeds `random` from its clock, as RandPos does, and draws one of the
    // count(length) places. Leaves the outputs alone when there is none.
    void draw(Random& random, int length, int& iRow, int& iCol, int& iDirection) const;

  private:
    static constexpr int kLongestRun = 32;
    Shape shape_ = Shape::Square;
    int rows_ = 0;
    int cols_ = 0;
    struct Start {
        short row;
        short col;
    };
    int directions_ = 8;
    // The starts of each direction, longest run first, and how many of them
    // run at least n cells.
    std::array<std::vector<Start>, 9> starts_;
    std::array<std::array<int, kLongestRun + 1>, 9> atLeast_{};
};

}  // namespace sopaly
