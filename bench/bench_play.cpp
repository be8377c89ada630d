// The play window at the size of a 4K whiteboard: one step of a drag (the
// selection moves on and what changed is painted again), a full repaint of
// a 20 × 20 grid, and opening the window on a finished puzzle.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>

#include "BenchWords.h"
#include "PlayGrid.h"
#include "PlayWindow.h"
#include "PuzzleSession.h"
#include "Worksheet.h"

namespace {

// 3840 × 2160 device pixels: at QT_SCALE_FACTOR=2, a high-dpi 4K screen.
QSize fourK() {
    return QSize(3840, 2160) / qApp->devicePixelRatio();
}

// A finished 20 × 20 master puzzle of the word file's first 20 words.
sopaly::WorksheetPuzzle benchSheet() {
    static sopaly::Random random;
    sopaly::PuzzleSession session(random);
    const sopaly::PuzzleSettings settings;
    session.start(benchList(20), settings);
    session.finish(settings);
    return session.worksheet(QStringLiteral("Banco"));
}

// Paints whatever the widgets have asked to paint again.
void paintPending(QWidget* window) {
    QCoreApplication::sendPostedEvents(window, QEvent::UpdateRequest);
}

void moveTo(QWidget* grid, QPoint point) {
    QMouseEvent move(QEvent::MouseMove, point, grid->mapToGlobal(point), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(grid, &move);
}

void BM_DragStep(benchmark::State& state) {
    sopaly::PlayWindow window(benchSheet());
    window.resize(fourK());
    window.show();
    QCoreApplication::processEvents();
    sopaly::PlayGrid* grid = window.grid;
    const QPoint start = grid->cellCentre({10, 10});
    QMouseEvent press(QEvent::MouseButtonPress, start, grid->mapToGlobal(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(grid, &press);
    // The finger goes round the start cell, through every direction and
    // every reach, as a drag looking for a word does.
    std::vector<QPoint> path;
    for (int reach = 1; reach <= 9; ++reach) {
        for (const auto& [dRow, dCol] :
             {std::pair{0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}}) {
            path.push_back(grid->cellCentre({10 + dRow * reach, 10 + dCol * reach}));
        }
    }
    std::size_t step = 0;
    for (auto _ : state) {
        moveTo(grid, path[step++ % path.size()]);
        paintPending(&window);
    }
    state.counters["grid_px"] = grid->width();
}

void BM_FullRepaint(benchmark::State& state) {
    sopaly::PlayWindow window(benchSheet());
    window.resize(fourK());
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) window.grid->repaint();
    state.counters["grid_px"] = window.grid->width();
}

void BM_OpenWindow(benchmark::State& state) {
    const sopaly::WorksheetPuzzle sheet = benchSheet();
    for (auto _ : state) {
        auto* window = new sopaly::PlayWindow(sheet);
        window->resize(fourK());
        window->show();
        QCoreApplication::processEvents();
        window->repaint();
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
