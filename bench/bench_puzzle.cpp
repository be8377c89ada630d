// Builds and finishes one 20 × 20 master puzzle per iteration, the way the
// start and finish buttons do, from the first N words of the word file.
#include <benchmark/benchmark.h>

#include "BenchWords.h"
#include "Puzzle.h"
#include "RudeWords.h"

namespace {

void buildAndFinish(benchmark::State& state, sopaly::Shape shape) {
    const QStringList words = benchList(state.range(0));
    sopaly::PuzzleSettings settings;  // 20 × 20, word limit 100, master
    settings.shape = shape;
    // The rude words the program ships, as the window passes them.
    settings.rudeWords = sopaly::readRudeWords(QStringLiteral(SOPALY_BENCH_PROGRAM_FILES));
    sopaly::Random random;
    sopaly::Puzzle puzzle;
    double placed = 0;
    for (auto _ : state) {
        const auto placements =
            sopaly::buildPuzzle(puzzle, sopaly::sortIntoPool(words), settings, random);
        QString text = sopaly::ShowFinishedWord(puzzle, settings, random);
        benchmark::DoNotOptimize(text);
        placed += static_cast<double>(placements.size());
    }
    state.counters["words_placed"] = benchmark::Counter(placed, benchmark::Counter::kAvgIterations);
}

void BM_BuildAndFinish(benchmark::State& state) {
    buildAndFinish(state, sopaly::Shape::Square);
}

// The same in a 20 × 20 heart: the tries are drawn among the places that lie
// on the shape.
void BM_BuildAndFinishHeart(benchmark::State& state) {
    buildAndFinish(state, sopaly::Shape::Heart);
}

}  // namespace

BENCHMARK(BM_BuildAndFinish)->Arg(100)->Arg(30)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildAndFinishHeart)->Arg(30)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
