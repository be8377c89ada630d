#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "Puzzle.h"

namespace sopaly::cli {

// What a script can test once the program has ended.
enum ExitCode : int {
    kExitWritten = 0,     // every file asked for was written
    kExitUsage = 1,       // an unknown option, a missing value, no list, no output
    kExitRefused = 2,     // the input was refused: no text, no word, a size out of range
    kExitNotWritten = 3,  // a file could not be written
};

// The files a command can ask for. A new kind of output is one more value
// here, one more row of kOutputs and one more case where the run makes it.
enum class OutputKind { Worksheet, ClassroomSet, PuzzleFiles, WebPage, ScormPackage };

struct OutputOption {
    OutputKind kind;
    QLatin1String name;     // the long option, without its dashes
    const char* valueName;  // translated in the context "CommandLine"
    const char* help;       // one line of the help text, the same
};

extern const std::array<OutputOption, 5> kOutputs;

// One file (or folder) asked for, in the order of kOutputs.
struct Output {
    OutputKind kind;
    QString target;
};

// A command as it was read. Whatever it does not give is the program's
// design value, never what the window remembers.
struct CommandOptions {
    enum class Ask { Run, Help, Version };
    Ask ask = Ask::Run;
    QStringList lists;        // the list files in order; "-" is standard input
    PuzzleSettings settings;  // rows, columns, limit, difficulty and the options
    QString message;          // the secret message, as typed
    std::optional<QString> title;
    std::optional<std::uint64_t> seed;
    std::vector<Output> outputs;
    QString versionsText = QString::number(kClassroomVersionsSetting.designValue);
    QString countText = QStringLiteral("1");
};

struct ParsedCommand {
    std::optional<CommandOptions> options;
    QString error;  // why the command cannot be run, when there are no options
};

// Reads the arguments, the program's name first.
ParsedCommand parseCommand(const QStringList& arguments);

// The help text of --help, and the line of --version.
QString helpText();
QString versionText();

// Whether the arguments ask for the command line rather than the window:
// any argument but Qt's own options for a window (-platform, -style...).
bool commandLineAsked(int argc, const char* const* argv);

// A script run from cron or over a bare ssh has no runtime folder, which
// Qt warns of and a command needs not: the warning is left out.
void quietenRuntimeFolderWarning();

// Where a command reads and writes besides its files.
struct Console {
    std::function<void(const QString&)> out;
    std::function<void(const QString&)> err;
    // Standard input, no more than `limit` bytes of it.
    std::function<QByteArray(qint64 limit)> readInput;
    // A progress line is shown only on a terminal.
    bool errIsTerminal = false;
};

// The process's own standard input, output and error.
Console processConsole();

// Runs a command read without error and returns its exit code.
int runCommand(const CommandOptions& options, const Console& console);

// Reads and runs: the command line's whole face.
int commandLineMain(const QStringList& arguments, const Console& console);

}  // namespace sopaly::cli
