#include "Shape.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "Directions.h"

namespace sopaly {

namespace {

// A cell centre on the rim of a circle or a diamond counts as inside.
constexpr double kRim = 1e-9;

// Each outline takes a point of the square [-1, 1] × [-1, 1], x to the right
// and y downwards, the grid stretched over it.
bool inCircle(double x, double y) {
    return x * x + y * y <= 1.0 + kRim;
}

bool inDiamond(double x, double y) {
    return std::abs(x) + std::abs(y) <= 1.0 + kRim;
}

bool inHeart(double x, double y) {
    // The heart curve (X² + Y² − 1)³ = X² Y³, its box (X within ±1.14, Y
    // from 1.24 at the lobes down to −1 at the tip) stretched over the square.
    const double hx = 1.14 * x;
    const double hy = 0.12 - 1.12 * y;
    const double r = hx * hx + hy * hy - 1.0;
    return r * r * r - hx * hx * hy * hy * hy <= 0.0;
}

bool inStar(double x, double y) {
    // Five points upwards, the inner corners at half the outer radius: a
    // star that still holds a third of its box. Its box runs from the top
    // point (1) down to the two lower points (−cos 36°).
    static const auto corners = [] {
        std::array<std::pair<double, double>, 10> points{};
        for (std::size_t k = 0; k < points.size(); ++k) {
            const double angle =
                std::numbers::pi / 2 + static_cast<double>(k) * std::numbers::pi / 5;
            const double radius = k % 2 == 0 ? 1.0 : 0.5;
            points[k] = {radius * std::cos(angle), radius * std::sin(angle)};
        }
        return points;
    }();
    const double sx = std::sin(2 * std::numbers::pi / 5) * x;
    const double sy = 1.0 - (y + 1.0) / 2.0 * (1.0 + std::cos(std::numbers::pi / 5));
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const auto [xi, yi] = corners[i];
        const auto [xj, yj] = corners[j];
        if ((yi > sy) != (yj > sy) && sx < xi + (sy - yi) * (xj - xi) / (yj - yi)) {
            inside = !inside;
        }
    }
    return inside;
}

bool inTree(double x, double y) {
    // Three tiers of branches, each wider than the one above, on a trunk.
    struct Tier {
        double top, bottom, topHalfWidth, bottomHalfWidth;
    };
    constexpr std::array<Tier, 3> tiers{{
        {-1.0, -0.3, 0.0, 0.55},
        {-0.5, 0.2, 0.2, 0.8},
        {-0.05, 0.72, 0.3, 1.0},
    }};
    for (const Tier& tier : tiers) {
        if (y < tier.top || y > tier.bottom) continue;
        const double along = (y - tier.top) / (tier.bottom - tier.top);
        const double halfWidth =
            tier.topHalfWidth + (tier.bottomHalfWidth - tier.topHalfWidth) * along;
        if (std::abs(x) <= halfWidth + kRim) return true;
    }
    return y > tiers.back().bottom && std::abs(x) <= 0.2 + kRim;
}

bool inShape(Shape shape, double x, double y) {
    switch (shape) {
        case Shape::Square:
            return true;
        case Shape::Circle:
            return inCircle(x, y);
        case Shape::Heart:
            return inHeart(x, y);
        case Shape::Star:
            return inStar(x, y);
        case Shape::Diamond:
            return inDiamond(x, y);
        case Shape::Tree:
            return inTree(x, y);
    }
    return true;
}

}  // namespace

QString shapeName(Shape shape) {
    switch (shape) {
        case Shape::Square:
            return QCoreApplication::translate("Shape", "Cuadrada");
        case Shape::Circle:
            return QCoreApplication::translate("Shape", "Círculo");
        case Shape::Heart:
            return QCoreApplication::translate("Shape", "Corazón");
        case Shape::Star:
            return QCoreApplication::translate("Shape", "Estrella");
        case Shape::Diamond:
            return QCoreApplication::translate("Shape", "Rombo");
        case Shape::Tree:
            return QCoreApplication::translate("Shape", "Árbol");
    }
    return {};
}

int smallestSide(Shape shape) {
    switch (shape) {
        case Shape::Square:
        case Shape::Diamond:
            return 5;
        case Shape::Circle:  // a rounded square below
        case Shape::Heart:   // a blob at 6 × 6
        case Shape::Tree:    // a block without a trunk below
            return 7;
        case Shape::Star:  // a house or a crown below
            return 11;
    }
    return 5;
}

QString shapeSizeNote(Shape shape, int rows, int cols) {
    const int least = smallestSide(shape);
    if (rows >= least && cols >= least) return {};
    // A whole sentence for each shape: the name's gender and article differ
    // from one language to another.
    QString note;
    switch (shape) {
        case Shape::Square:  // a square of any size is a square
            return {};
        case Shape::Diamond:
            note = QCoreApplication::translate(
                "Shape", "El rombo necesita al menos %1 × %1; a %2 × %3 apenas se reconoce.");
            break;
        case Shape::Circle:
            note = QCoreApplication::translate(
                "Shape", "El círculo necesita al menos %1 × %1; a %2 × %3 apenas se reconoce.");
            break;
        case Shape::Heart:
            note = QCoreApplication::translate(
                "Shape", "El corazón necesita al menos %1 × %1; a %2 × %3 apenas se reconoce.");
            break;
        case Shape::Star:
            note = QCoreApplication::translate(
                "Shape", "La estrella necesita al menos %1 × %1; a %2 × %3 apenas se reconoce.");
            break;
        case Shape::Tree:
            note = QCoreApplication::translate(
                "Shape", "El árbol necesita al menos %1 × %1; a %2 × %3 apenas se reconoce.");
            break;
    }
    return note.arg(least).arg(rows).arg(cols);
}

QString shapeKey(Shape shape) {
    switch (shape) {
        case Shape::Square:
            return QStringLiteral("cuadrada");
        case Shape::Circle:
            return QStringLiteral("circulo");
        case Shape::Heart:
            return QStringLiteral("corazon");
        case Shape::Star:
            return QStringLiteral("estrella");
        case Shape::Diamond:
            return QStringLiteral("rombo");
        case Shape::Tree:
            return QStringLiteral("arbol");
    }
    return {};
}

std::optional<Shape> shapeFromKey(QStringView key) {
    for (const Shape shape : kShapes) {
        if (key == shapeKey(shape)) return shape;
    }
    return std::nullopt;
}

double leastShare(Shape shape) {
    return shape == Shape::Star ? 1.0 / 3.0 : 0.5;
}

ShapeMask::ShapeMask(Shape shape, int rows, int cols)
    : rows_(std::max(rows, 0)), cols_(std::max(cols, 0)) {
    cells_.assign(static_cast<std::size_t>((rows_ + 1) * (cols_ + 1)), 0);
    const int cells = rows_ * cols_;
    const auto least = static_cast<int>(std::ceil(leastShare(shape) * cells - kRim));
    // Widened a little at a time; by 40 steps of 5 % the outline is seven
    // times its size and any of them covers the whole grid.
    double widening = 1.0;
    for (int step = 0; step <= 40; ++step, widening *= 1.05) {
        count_ = 0;
        for (int row = 1; row <= rows_; ++row) {
            const double y = ((2.0 * row - 1.0) / rows_ - 1.0) / widening;
            for (int col = 1; col <= cols_; ++col) {
                const double x = ((2.0 * col - 1.0) / cols_ - 1.0) / widening;
                const bool in = inShape(shape, x, y);
                cells_[static_cast<std::size_t>(row * (cols_ + 1) + col)] = in ? 1 : 0;
                count_ += in ? 1 : 0;
            }
        }
        if (count_ >= least) return;
    }
    std::fill(cells_.begin(), cells_.end(), 1);
    count_ = cells;
}

const ShapeMask& shapeMask(Shape shape, int rows, int cols) {
    thread_local ShapeMask last(Shape::Square, 0, 0);
    thread_local Shape lastShape = Shape::Square;
    if (lastShape != shape || last.rows() != std::max(rows, 0) ||
        last.cols() != std::max(cols, 0)) {
        last = ShapeMask(shape, rows, cols);
        lastShape = shape;
    }
    return last;
}

void cutToShape(Grid& grid, Shape shape) {
    if (shape == Shape::Square) return;
    const ShapeMask& mask = shapeMask(shape, grid.rows(), grid.cols());
    for (int row = 1; row <= grid.rows(); ++row) {
        for (int col = 1; col <= grid.cols(); ++col) {
            if (!mask.holds(row, col)) grid.at(row, col) = kOffShapeCell;
        }
    }
}

bool isShaped(const Grid& grid) {
    for (int row = 1; row <= grid.rows(); ++row) {
        for (int col = 1; col <= grid.cols(); ++col) {
            if (grid.at(row, col) == kOffShapeCell) return true;
        }
    }
    return false;
}

const ShapePlaces& ShapePlaces::of(Shape shape, int rows, int cols, bool easy) {
    thread_local ShapePlaces last(ShapeMask(Shape::Square, 0, 0), false);
    if (last.shape_ != shape || last.rows_ != rows || last.cols_ != cols ||
        last.directions_ != (easy ? 4 : 8)) {
        last = ShapePlaces(shapeMask(shape, rows, cols), easy);
        last.shape_ = shape;
    }
    return last;
}

ShapePlaces::ShapePlaces(const ShapeMask& mask, bool easy)
    : rows_(mask.rows()), cols_(mask.cols()), directions_(easy ? 4 : 8) {
    const int rows = mask.rows();
    const int cols = mask.cols();
    const auto width = static_cast<std::size_t>(cols + 2);
    // run[r][c]: how many shape cells a line holds from (r, c) on, in one
    // direction. Walking against the direction, each cell's run is one more
    // than the next cell's, so every run is known in one pass.
    std::vector<int> run(static_cast<std::size_t>(rows + 2) * width, 0);
    const auto at = [&](int row, int col) -> int& {
        return run[static_cast<std::size_t>(row) * width + static_cast<std::size_t>(col)];
    };
    for (int direction = 1; direction <= directions_; ++direction) {
        const Step step = directionStep(direction);
        std::fill(run.begin(), run.end(), 0);
        std::array<int, kLongestRun + 1> ofLength{};
        for (int i = 0; i < rows; ++i) {
            const int row = step.dRow > 0 ? rows - i : i + 1;
            for (int j = 0; j < cols; ++j) {
                const int col = step.dCol > 0 ? cols - j : j + 1;
                if (!mask.holds(row, col)) continue;
                const int length = std::min(at(row + step.dRow, col + step.dCol) + 1, kLongestRun);
                at(row, col) = length;
                ++ofLength[static_cast<std::size_t>(length)];
            }
        }
        // Longest runs first: the starts a word of length n may take are
        // then the first atLeast_[n] of the list.
        auto& counts = atLeast_[static_cast<std::size_t>(direction)];
        counts[kLongestRun] = ofLength[kLongestRun];
        for (int n = kLongestRun - 1; n >= 0; --n) {
            counts[static_cast<std::size_t>(n)] =
                counts[static_cast<std::size_t>(n + 1)] + ofLength[static_cast<std::size_t>(n)];
        }
        auto& starts = starts_[static_cast<std::size_t>(direction)];
        starts.assign(static_cast<std::size_t>(counts[1]), Start{0, 0});
        std::array<int, kLongestRun + 2> next{};
        for (int n = 1; n <= kLongestRun; ++n) {
            next[static_cast<std::size_t>(n)] =
                n < kLongestRun ? counts[static_cast<std::size_t>(n + 1)] : 0;
        }
        for (int row = 1; row <= rows; ++row) {
            for (int col = 1; col <= cols; ++col) {
                const int length = at(row, col);
                if (length == 0) continue;
                starts[static_cast<std::size_t>(next[static_cast<std::size_t>(length)]++)] =
                    Start{static_cast<short>(row), static_cast<short>(col)};
            }
        }
    }
}

int ShapePlaces::count(int length) const {
    if (length > kLongestRun) return 0;
    const auto n = static_cast<std::size_t>(std::max(length, 1));
    int total = 0;
    for (int direction = 1; direction <= directions_; ++direction) {
        total += atLeast_[static_cast<std::size_t>(direction)][n];
    }
    return total;
}

void ShapePlaces::draw(Random& random, int length, int& iRow, int& iCol, int& iDirection) const {
    const int total = count(length);
    if (total == 0) return;
    random.reseedFromClock();
    int pick = std::min(static_cast<int>(random.next() * static_cast<float>(total)), total - 1);
    const auto n = static_cast<std::size_t>(std::max(length, 1));
    for (int direction = 1; direction <= directions_; ++direction) {
        const int here = atLeast_[static_cast<std::size_t>(direction)][n];
        if (pick < here) {
            const Start start =
                starts_[static_cast<std::size_t>(direction)][static_cast<std::size_t>(pick)];
            iRow = start.row;
            iCol = start.col;
            iDirection = direction;
            return;
        }
        pick -= here;
    }
}

}  // namespace sopaly
