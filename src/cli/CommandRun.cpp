// A command's run: the lists read as "Abrir lista de palabras..." reads
// them, every input checked before any file is written, then each output
// made on the window's own roads (the puzzle session, the classroom run, the
// batch run) and written through the one write path.
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>

#include "Batch.h"
#include "BatchRun.h"
#include "ClassroomRun.h"
#include "CommandLine.h"
#include "Numbers.h"
#include "PuzzleSession.h"
#include "PuzzleWords.h"
#include "RudeWords.h"
#include "SafeWrite.h"
#include "ScormPackage.h"
#include "SecretMessage.h"
#include "StatusText.h"
#include "WebPage.h"
#include "WordList.h"
#include "WordListFile.h"
#include "Worksheet.h"

namespace sopaly::cli {

namespace {

// A seed from the clock, short enough to type again.
std::uint64_t clockSeed() {
    Random random;
    random.reseedFromClock();
    const auto high = static_cast<std::uint64_t>(random.next() * 100000.0F);
    const auto low = static_cast<std::uint64_t>(random.next() * 10000.0F);
    return high * 10000 + low;
}

// Whether the foot line would say more than that every word is in the grid.
bool statusWorthTelling(const QString& status, const PuzzleWords& words) {
    return !words.noRoom.isEmpty() || !words.beyondLimit.isEmpty() ||
           status != puzzleWordsStatus(words);
}

class CommandRun {
  public:
    CommandRun(const CommandOptions& options, const Console& console)
        : options_(options),
          console_(console),
          seed_(options.seed.value_or(clockSeed())),
          session_(random_) {}

    int run();

  private:
    std::optional<int> readLists();
    WordListRead readList(const QString& path, const QString& shown);
    std::optional<int> checkInputs();
    int make(const Output& output);
    // The puzzle of a worksheet, written as `kind` asks: the PDF, the web
    // page or its SCORM package.
    int makeWorksheet(const QString& path, OutputKind kind);
    int makeClassroomSet(const QString& path);
    int makePuzzleFiles(const QString& folder);
    // Writes what an output made; empty bytes are a PDF that could not be
    // made (a web page is never empty, a package is checked before).
    int writeMadeFile(const QString& path, const QByteArray& bytes);
    // Every output starts from the seed: the same command makes the same
    // file whatever else it makes.
    void freshRandom();
    void progress(const QString& line);
    void endProgress();
    void tell(const QString& sentence) const { console_.err(sentence + u'\n'); }
    int refuse(const QString& sentence) const {
        tell(sentence);
        return kExitRefused;
    }

    const CommandOptions& options_;
    const Console& console_;
    std::uint64_t seed_;
    Random random_;
    PuzzleSession session_;
    WordList list_;
    PuzzleSettings settings_;
    QString title_;
    int versions_ = 0;
    int count_ = 0;
    bool progressShown_ = false;
};

int CommandRun::run() {
    if (const std::optional<int> refused = readLists()) return *refused;
    if (const std::optional<int> refused = checkInputs()) return *refused;
    if (!options_.seed) tell(QCoreApplication::translate("CommandLine", "Semilla: %1").arg(seed_));
    for (const Output& output : options_.outputs) {
        if (const int code = make(output); code != kExitWritten) return code;
    }
    return kExitWritten;
}

WordListRead CommandRun::readList(const QString& path, const QString& shown) {
    if (path != QLatin1String("-")) return readWordListFile(shown, list_.count());
    // One byte past the limit tells a list that is too large.
    const QByteArray bytes = console_.readInput(kLargestWordListFile + 1);
    if (bytes.size() <= kLargestWordListFile) return readWordListBytes(bytes, list_.count());
    WordListRead read;
    read.failure = readRefusalReason(ReadRefusal::TooLarge);
    return read;
}

std::optional<int> CommandRun::readLists() {
    QString shown;
    for (const QString& path : options_.lists) {
        shown = path == QLatin1String("-")
                    ? QCoreApplication::translate("CommandLine", "(entrada estándar)")
                    : path;
        const WordListRead read = readList(path, shown);
        if (!read.failure.isEmpty()) return refuse(wordListReadMessage(shown, read.failure));
        if (read.words.isEmpty() && read.noLetters.isEmpty()) {
            return refuse(read.invalidLines.isEmpty()
                              ? emptyWordListMessage(shown)
                              : invalidLinesMessage(shown, read.invalidLines));
        }
        if (!read.invalidLines.isEmpty()) tell(invalidLinesMessage(shown, read.invalidLines));
        if (!read.noLetters.isEmpty()) {
            tell(listOpenedLine(shown, read, alreadyListed(list_, read.words)));
        }
        for (const QString& word : read.words) list_.add(word);
    }
    if (list_.count() == 0) return refuse(emptyWordListMessage(shown));
    const QString& first = options_.lists.first();
    title_ = options_.title.value_or(
        first == QLatin1String("-") ? QCoreApplication::translate("CommandLine", "Sopa de letras")
                                    : QFileInfo(first).completeBaseName());
    return std::nullopt;
}

std::optional<int> CommandRun::checkInputs() {
    settings_ = options_.settings;
    // The program's own list of rude words, the same on every machine.
    settings_.rudeWords = builtInRudeWords();
    session_.setMessage(options_.message);
    if (!session_.message().isEmpty() && messageLetters(session_.message()).empty()) {
        tell(messageWithoutLettersSentence(session_.message()));
        session_.setMessage(QString());
    }
    settings_ = session_.withSessionChoices(settings_);
    if (const std::optional<QString> refusal = gridSizeRefusal(settings_)) return refuse(*refusal);
    for (const Output& output : options_.outputs) {
        if (output.kind == OutputKind::ClassroomSet) {
            const std::optional<double> versions = strictNumber(options_.versionsText);
            versions_ = versions ? static_cast<int>(roundHalfEven(*versions)) : 0;
            if (!versions || versions_ < ClassroomSet::kFewestVersions ||
                versions_ > ClassroomSet::kMostVersions) {
                return refuse(QCoreApplication::translate(
                                  "CommandLine",
                                  "El número de versiones debe ser un número entero de "
                                  "%1 a %2.")
                                  .arg(ClassroomSet::kFewestVersions)
                                  .arg(ClassroomSet::kMostVersions));
            }
        } else if (output.kind == OutputKind::PuzzleFiles) {
            const BatchPlan plan = planBatch(options_.countText, 1);
            if (plan.outcome != BatchPlan::Run) return refuse(batchCountRefusal());
            count_ = plan.count;
            const auto refusal = batchRefusal(list_.words(), session_.message());
            if (refusal) return refuse(*refusal);
        }
    }
    return std::nullopt;
}

int CommandRun::make(const Output& output) {
    freshRandom();
    switch (output.kind) {
        case OutputKind::Worksheet:
        case OutputKind::WebPage:
        case OutputKind::ScormPackage:
            return makeWorksheet(output.target, output.kind);
        case OutputKind::ClassroomSet:
            return makeClassroomSet(output.target);
        case OutputKind::PuzzleFiles:
            return makePuzzleFiles(output.target);
    }
    return kExitUsage;
}

void CommandRun::freshRandom() {
    // The clock the engine reseeds from stands still at the seed; the
    // generator's counter keeps each reseed apart.
    random_ = Random([seed = seed_] { return seed; });
    random_.seed(seed_);
}

int CommandRun::makeWorksheet(const QString& path, OutputKind kind) {
    // Iniciar, then Vista Preeliminar, as the menu item's puzzle is made.
    session_.start(list_.words(), settings_);
    session_.finish(settings_);
    const Puzzle& puzzle = session_.puzzle();
    const QString status = puzzleStatus(puzzle, session_.builtWith());
    if (statusWorthTelling(status,
                           puzzleWords(puzzle.WordPool, puzzle.Placements, session_.builtWith()))) {
        tell(status);
    }
    const WorksheetPuzzle sheet = session_.worksheet(title_);
    if (kind == OutputKind::WebPage) return writeMadeFile(path, webPage(sheet));
    if (kind == OutputKind::ScormPackage) {
        const QByteArray package = scormPackage(sheet);
        if (package.isEmpty()) {
            tell(scormNotMadeMessage(path));
            return kExitNotWritten;
        }
        return writeMadeFile(path, package);
    }
    return writeMadeFile(path, worksheetPdf({sheet}, worksheetPageSize(), title_));
}

int CommandRun::makeClassroomSet(const QString& path) {
    ClassroomRun run(session_.classroomSet(list_.words(), settings_), versions_, title_,
                     worksheetPageSize());
    std::optional<QByteArray> pdf;
    QEventLoop loop;
    QObject::connect(&run, &ClassroomRun::progressed, &loop, [this](int done, int) {
        progress(done <= versions_ ? QCoreApplication::translate("CommandLine", "Versión %1 de %2")
                                         .arg(done)
                                         .arg(versions_)
                                   : QCoreApplication::translate("CommandLine", "Página %1 de %2")
                                         .arg(done - versions_)
                                         .arg(2 * versions_));
    });
    QObject::connect(&run, &ClassroomRun::finished, &loop, [&](const QByteArray& bytes) {
        pdf = bytes;
        loop.quit();
    });
    run.start();
    if (!pdf) loop.exec();
    endProgress();
    if (run.withoutMessage() > 0) {
        tell(withMessageShortfall(QString(), run.withoutMessage(), versions_,
                                  ShortfallOf::Versions));
    }
    return writeMadeFile(path, pdf.value_or(QByteArray()));
}

int CommandRun::makePuzzleFiles(const QString& folder) {
    BatchRun run(session_, folder, count_,
                 {[this] { return list_.words(); }, [this] { return settings_; }});
    QString failure;
    bool ended = false;
    QEventLoop loop;
    QObject::connect(&run, &BatchRun::puzzleWritten, &loop, [this](int n) {
        progress(
            QCoreApplication::translate("CommandLine", "Rompecabezas %1 de %2").arg(n).arg(count_));
    });
    QObject::connect(&run, &BatchRun::failed, &loop,
                     [&failure](const QString& message) { failure = message; });
    QObject::connect(&run, &BatchRun::finished, &loop, [&] {
        ended = true;
        loop.quit();
    });
    run.start();
    if (!ended) loop.exec();
    endProgress();
    if (!failure.isEmpty()) {
        tell(failure);
        return kExitNotWritten;
    }
    if (run.withoutMessage() > 0) {
        tell(withMessageShortfall(QString(), run.withoutMessage(), count_, ShortfallOf::Puzzles));
    }
    return kExitWritten;
}

int CommandRun::writeMadeFile(const QString& path, const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        tell(pdfNotMadeMessage(path));
        return kExitNotWritten;
    }
    QString reason;
    if (writeFileAtomically(path, bytes, &reason, Durability::Durable)) return kExitWritten;
    tell(writeFailureMessage(path, reason));
    return kExitNotWritten;
}

void CommandRun::progress(const QString& line) {
    if (!console_.errIsTerminal) return;
    // Written over itself: the carriage return, then the rest of the old line erased.
    console_.err(u'\r' + line + QStringLiteral("\x1b[K"));
    progressShown_ = true;
}

void CommandRun::endProgress() {
    if (progressShown_) console_.err(QStringLiteral("\r\x1b[K"));
    progressShown_ = false;
}

}  // namespace

int runCommand(const CommandOptions& options, const Console& console) {
    return CommandRun(options, console).run();
}

}  // namespace sopaly::cli
