#pragma once

namespace sopaly {

// Direction codes of a placed word; easy puzzles draw 1 to 4 only.
enum Direction : int {
    LeftToRight = 1,
    RightToLeft = 2,
    TopToBottom = 3,
    BottomToTop = 4,
    DownRight = 5,
    UpLeft = 6,
    DownLeft = 7,
    UpRight = 8,
};

struct Step {
    int dRow;
    int dCol;
};

// The row and column step of a direction code; {0, 0} for a code outside 1..8.
constexpr Step directionStep(int direction) {
    switch (direction) {
        case LeftToRight:
            return {0, 1};
        case RightToLeft:
            return {0, -1};
        case TopToBottom:
            return {1, 0};
        case BottomToTop:
            return {-1, 0};
        case DownRight:
            return {1, 1};
        case UpLeft:
            return {-1, -1};
        case DownLeft:
            return {1, -1};
        case UpRight:
            return {-1, 1};
        default:
            return {0, 0};
    }
}

constexpr bool isDiagonal(int direction) {
    return direction >= DownRight && direction <= UpRight;
}

}  // namespace sopaly
