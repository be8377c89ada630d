// A classroom set as the menu item makes it: 30 versions of a 20 × 20
// master puzzle from the first 30 words of the word file, each built and
// finished, the worksheets and answer keys drawn into one PDF, and the PDF
// written through the checked write path.
#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "BenchWords.h"
#include "ClassroomRun.h"
#include "ClassroomSet.h"
#include "SafeWrite.h"

namespace {

void BM_ClassroomSetPdf(benchmark::State& state) {
    const auto versions = static_cast<int>(state.range(0));
    const QStringList words = benchList(30);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("clase.pdf"));
    sopaly::Random random;
    sopaly::PuzzleSettings settings;  // 20 × 20, master, up to 100 words
    const sopaly::ClassroomSet set(words, settings, random);
    const QPageSize a4(QPageSize::A4);
    qint64 bytes = 0;
    for (auto _ : state) {
        // The set is made a step at each turn of an event loop, as the
        // window's progress window runs it.
        sopaly::ClassroomRun run(set, versions, QStringLiteral("Clase"), a4);
        QByteArray pdf;
        QEventLoop loop;
        QObject::connect(&run, &sopaly::ClassroomRun::finished, &loop,
                         [&](const QByteArray& bytes) {
                             pdf = bytes;
                             loop.quit();
                         });
        run.start();
        loop.exec();
        QString reason;
        if (pdf.isEmpty() || !sopaly::writeFileAtomically(path, pdf, &reason)) {
            state.SkipWithError("the PDF was not written");
            break;
        }
        bytes = QFileInfo(path).size();
    }
    state.counters["versions"] = versions;
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}

}  // namespace

BENCHMARK(BM_ClassroomSetPdf)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
