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

// The row and column step of each direction code; {0, 0} for a code outside 1..8.
inline constexpr Step kDirectionSteps[9] = {{0, 0}, {0, 1},   {0, -1}, {1, 0}, {-1, 0},
                                            {1, 1}, {-1, -1}, {1, -1}, {-1, 1}};

constexpr Step directionStep(int direction) {
    return direction >= 1 && direction <= 8 ? kDirectionSteps[direction] : Step{0, 0};
}

}  // namespace sopaly
