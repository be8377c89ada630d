#include "Random.h"

#include <ctime>

namespace sopaly {

namespace {

constexpr std::uint64_t kInitialSeed = 0x853c49e6748fea9bULL;

}  // namespace

Random::Random(Clock clock) : clock_(std::move(clock)) {
    seed(kInitialSeed);
}

Random::Clock Random::systemClock() {
    // The coarse wall clock is read without leaving user space and costs a
    // third of the fine one; its few-millisecond ticks are no loss, since
    // the counter keeps reseeds within one tick apart.
    return [] {
        timespec now{};
        clock_gettime(CLOCK_REALTIME_COARSE, &now);
        return static_cast<std::uint64_t>(now.tv_sec) * 1000000000ULL +
               static_cast<std::uint64_t>(now.tv_nsec);
    };
}

void Random::seed(std::uint64_t value) {
    // PCG's own seeding (step from 0, add the seed, step again), folded.
    state_ = (kIncrement + value) * kMultiplier + kIncrement;
}

void Random::reseedFromClock() {
    // The counter keeps reseeds within one clock tick apart.
    ++reseeds_;
    // PCG's output permutation scrambles the state well enough that the
    // seed needs no mixing of its own: a multiply by an odd constant keeps
    // distinct (clock, counter) pairs apart, and this runs at every try.
    seed(clock_() + reseeds_ * 0x9e3779b97f4a7c15ULL);
}

}  // namespace sopaly
