// A batch run through the real main window, offscreen: the words of the
// word file committed one by one, then "&Generar y Guardar" with a count of
// puzzles, files written to a temporary program folder. The panel's half
// second of animation is part of the time, as the user sees it.
//
// The counter "ratio" sets the batch against what it cannot do without,
// measured in the same run: the puzzles themselves (the median time of one
// build and finish through the engine, as BM_BuildAndFinish/100 takes it,
// times the count) plus the panel's animation (a batch of one). A batch that
// adds nothing beyond those has a ratio of 1.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <vector>

#include "BenchWords.h"
#include "Program.h"
#include "Puzzle.h"
#include "frmMain.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

template <typename T>
T median(std::vector<T> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// One build and finish through the engine alone, median over many.
double enginePuzzleSeconds() {
    const QStringList pool = sopaly::sortIntoPool(benchList());
    const sopaly::PuzzleSettings settings;
    sopaly::Random random;
    sopaly::Puzzle puzzle;
    std::vector<double> times;
    for (int i = 0; i < 1000; ++i) {
        const auto start = std::chrono::steady_clock::now();
        sopaly::buildPuzzle(puzzle, pool, settings, random);
        QString text = sopaly::ShowFinishedWord(puzzle, settings, random);
        benchmark::DoNotOptimize(text);
        times.push_back(secondsSince(start));
    }
    return median(times);
}

// The words typed one by one, and the count of puzzles.
void prepareBatch(sopaly::frmMain& window, const QStringList& words, int count) {
    for (const QString& word : words) {
        window.txtInputWord->setText(word);
        window.txtInputWord_KeyPress(13);
    }
    window.txtNumOfPuzzles->setText(QString::number(count));
}

// The press of the batch button until its run has ended, in seconds.
double runSeconds(sopaly::frmMain& window) {
    const auto start = std::chrono::steady_clock::now();
    window.cmdAuto_Click();
    // The run goes on in the window's event loop, a puzzle at each turn.
    while (window.batchRunning()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return secondsSince(start);
}

// A batch of `count` through the window, in seconds.
double batchSeconds(sopaly::frmMain& window, const QStringList& words, int count) {
    prepareBatch(window, words, count);
    return runSeconds(window);
}

void BM_BatchRun(benchmark::State& state) {
    const QStringList words = benchLines();
    const auto count = static_cast<int>(state.range(0));
    QTemporaryDir folder;
    sopaly::Program program;
    program.setProgramFolder(folder.path());
    sopaly::frmMain* window = program.showMainWindow();
    std::vector<double> batches;
    for (auto _ : state) {
        state.PauseTiming();
        prepareBatch(*window, words, count);
        state.ResumeTiming();
        batches.push_back(runSeconds(*window));
    }
    const auto written = QDir(folder.path()).entryList({QStringLiteral("Tabloza*.txt")}).size();
    if (written != count) state.SkipWithError("not every puzzle file was written");
    state.counters["puzzles"] = static_cast<double>(written);

    const double puzzle = enginePuzzleSeconds();
    std::vector<double> panel;
    for (int i = 0; i < 3; ++i) panel.push_back(batchSeconds(*window, words, 1));
    const double floor = count * puzzle + median(panel);
    state.counters["engine_puzzle_us"] = puzzle * 1e6;
    state.counters["panel_s"] = median(panel);
    state.counters["ratio"] = median(batches) / floor;
}

}  // namespace

BENCHMARK(BM_BatchRun)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
