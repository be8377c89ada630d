// A batch run through the real main window, offscreen: the words of the
// word file committed one by one, then "&Generar y Guardar" with a count of
// puzzles, files written to a temporary program folder. The panel's half
// second of animation is part of the time, as the user sees it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include "Program.h"
#include "WordList.h"
#include "frmMain.h"

namespace {

QStringList wordFile() {
    QFile file(QStringLiteral(SOPALY_BENCH_WORDS));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", SOPALY_BENCH_WORDS);
        std::exit(1);
    }
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

void BM_BatchRun(benchmark::State& state) {
    const QStringList words = wordFile();
    QTemporaryDir folder;
    sopaly::Program program;
    program.setProgramFolder(folder.path());
    sopaly::frmMain* window = program.showMainWindow();
    for (auto _ : state) {
        state.PauseTiming();
        for (const QString& word : words) {
            window->txtInputWord->setText(word);
            window->txtInputWord_KeyPress(13);
        }
        window->txtNumOfPuzzles->setText(QString::number(state.range(0)));
        state.ResumeTiming();
        window->cmdAuto_Click();
    }
    const auto written = QDir(folder.path()).entryList({QStringLiteral("Tabloza*.txt")}).size();
    if (written != state.range(0)) state.SkipWithError("not every puzzle file was written");
    state.counters["puzzles"] = static_cast<double>(written);
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
