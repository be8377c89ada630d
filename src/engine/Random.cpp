#include "Random.h"

#include <ctime>

namespace sopaly {

namespace {

constexpr std::uint64_t kInitialSeed = 0x853c49e6748fea9bULL;

std::uint64_t splitMix64(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

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
    seed(splitMix64(clock_() + reseeds_ * 0x9e3779b97f4a7c15ULL));
}

}  // namespace sopaly
