#pragma once

#include <cstdint>
#include <functional>

namespace sopaly {

// The program's one random generator: placement, fill letters and the banner
// all draw from the same object. A small PCG32, so reseeding from the clock
// at every placement try costs next to nothing.
class Random {
  public:
    // Returns the current time in some unit; only its changes matter.
    using Clock = std::function<std::uint64_t()>;

    // Starts with a fixed sequence; the clock is read only by reseedFromClock().
    explicit Random(Clock clock = systemClock());

    // Mixes the clock with a counter through a 64-bit finalizer, so that two
    // reseeds within one tick of the clock lead to independent draws.
    void reseedFromClock();
    // Leaves the generator as `count` reseeds would, the last of them read
    // from the clock by the caller's next reseedFromClock(): the counter
    // moves on, and a clock of the caller's own is read as often, so that it
    // stays in step. The system clock is not read, since no one else sees
    // those readings.
    void skipReseeds(std::uint64_t count);
    void seed(std::uint64_t value);

    // A uniform number in [0, 1), with 24 bits like a 32-bit float.
    float next() { return static_cast<float>(next32() >> 8) * (1.0F / 16777216.0F); }

    // floor(next() × n) for 0 < n < 256, the same draw in integer arithmetic:
    // next() is k / 2^24 exactly, so the floor is (k × n) >> 24.
    int below(int n) {
        return static_cast<int>(((next32() >> 8) * static_cast<std::uint32_t>(n)) >> 24);
    }

    static Clock systemClock();

  private:
    static constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
    static constexpr std::uint64_t kIncrement = 1442695040888963407ULL;

    // PCG32 (XSH RR): placement draws three numbers per try, so it is inline.
    std::uint32_t next32() {
        const std::uint64_t old = state_;
        state_ = old * kMultiplier + kIncrement;
        const auto xorShifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
        const auto rotation = static_cast<std::uint32_t>(old >> 59U);
        return (xorShifted >> rotation) | (xorShifted << ((32U - rotation) & 31U));
    }

    static std::uint64_t readSystemClock();

    Clock clock_;
    bool systemClock_ = false;  // clock_ is systemClock(): read it directly
    std::uint64_t state_ = 0;
    std::uint64_t reseeds_ = 0;
};

}  // namespace sopaly
