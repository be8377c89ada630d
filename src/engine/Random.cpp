#include "Random.h"

#include <ctime>

namespace sopaly {

namespace {

constexpr std::uint64_t kInitialSeed = 0x853c49e6748fea9bULL;

}  // namespace

Random::Random(Clock clock) : clock_(std::move(clock)) {
    using Read = std::uint64_t (*)();
    const Read* read = clock_.target<Read>();
    systemClock_ = read != nullptr && *read == &Random::readSystemClock;
    seed(kInitialSeed);
}

std::uint64_t Random::readSystemClock() {
    // The coarse wall clock is read without leaving user space and costs a
    // third of the fine one; its few-millisecond ticks are no loss, since
    // the counter keeps reseeds within one tick apart.
    timespec now{};
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000000ULL +
           static_cast<std::uint64_t>(now.tv_nsec);
}

Random::Clock Random::systemClock() {
    return &Random::readSystemClock;
}

void Random::seed(std::uint64_t value) {
    // PCG's own seeding (step from 0, add the seed, step again), folded.
    state_ = (kIncrement + value) * kMultiplier + kIncrement;
}

void Random::reseedFromClock() {
    ++reseeds_;
    // SplitMix64: the clock plus the counter times the golden gamma, then
    // its finalizer. Seeds one step apart would otherwise start PCG on
    // correlated sequences, and the first draws after a reseed are the only
    // ones placement takes, so the row of one try would foretell the next.
    std::uint64_t z =
        (systemClock_ ? readSystemClock() : clock_()) + reseeds_ * 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30U)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27U)) * 0x94d049bb133111ebULL;
    seed(z ^ (z >> 31U));
}

void Random::skipReseeds(std::uint64_t count) {
    reseeds_ += count;
    if (systemClock_) return;
    for (std::uint64_t k = 0; k < count; ++k) clock_();
}

}  // namespace sopaly
