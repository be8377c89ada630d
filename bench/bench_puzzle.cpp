// Builds and finishes one 20 × 20 master puzzle per iteration, the way the
// start and finish buttons do, from the first N words of the word file.
#include <benchmark/benchmark.h>

#include <QFile>
#include <cstdlib>

#include "Puzzle.h"
#include "WordList.h"

namespace {

QStringList committedList(qsizetype count) {
    QFile file(QStringLiteral(SOPALY_BENCH_WORDS));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", SOPALY_BENCH_WORDS);
        std::exit(1);
    }
    sopaly::WordList list;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& line : lines.first(std::min(count, lines.size()))) {
        if (const auto word = sopaly::committedWord(line)) list.add(*word);
    }
    return list.words();
}

void BM_BuildAndFinish(benchmark::State& state) {
    const QStringList words = committedList(state.range(0));
    sopaly::PuzzleSettings settings;  // 20 × 20, word limit 100, master
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

}  // namespace

BENCHMARK(BM_BuildAndFinish)->Arg(100)->Arg(30)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
