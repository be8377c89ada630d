// A classroom set as the menu item makes it: 30 versions of a 20 × 20
// master puzzle from the first 30 words of the word file, each built and
// finished, the worksheets and answer keys drawn into one PDF, and the PDF
// written through the checked write path.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "ClassroomSet.h"
#include "SafeWrite.h"
#include "WordList.h"

namespace {

QStringList firstWords(int count) {
    QFile file(QStringLiteral(SOPALY_BENCH_WORDS));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", SOPALY_BENCH_WORDS);
        std::exit(1);
    }
    QStringList words;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (const auto word = sopaly::committedWord(line); word && words.size() < count) {
            words << *word;
        }
    }
    return words;
}

void BM_ClassroomSetPdf(benchmark::State& state) {
    const auto versions = static_cast<int>(state.range(0));
    const QStringList words = firstWords(30);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("clase.pdf"));
    sopaly::Random random;
    sopaly::PuzzleSettings settings;  // 20 × 20, master, up to 100 words
    const sopaly::ClassroomSet set(words, settings, random);
    const QPageSize a4(QPageSize::A4);
    qint64 bytes = 0;
    for (auto _ : state) {
        const std::optional<QByteArray> pdf = set.pdf(versions, QStringLiteral("Clase"), a4);
        QString reason;
        if (!pdf || pdf->isEmpty() || !sopaly::writeFileAtomically(path, *pdf, &reason)) {
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
