// The command line as a script pays for it: the real program started, with
// no display, until it has exited. A one-page worksheet (and its key) from
// the word file, and a classroom set of 200 versions, each written to a
// temporary folder with a fixed seed.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

// The environment without a display, and with settings of its own.
std::vector<std::string> commandEnvironment(const std::string& folder) {
    constexpr std::array<const char*, 4> dropped{
        "DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "XDG_CONFIG_HOME="};
    std::vector<std::string> kept;
    for (char** variable = environ; *variable; ++variable) {
        const std::string entry(*variable);
        if (std::none_of(dropped.begin(), dropped.end(),
                         [&entry](const char* name) { return entry.rfind(name, 0) == 0; })) {
            kept.push_back(entry);
        }
    }
    kept.push_back("XDG_CONFIG_HOME=" + folder);
    return kept;
}

// Runs the program with `arguments` and returns its exit status, -1 when it
// could not be started or did not exit.
int runProgram(std::vector<std::string> arguments, const std::vector<std::string>& environment) {
    arguments.insert(arguments.begin(), SOPALY_PROGRAM);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> copy = environment;
    std::vector<char*> envp;
    for (std::string& entry : copy) envp.push_back(entry.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // What it tells (the seed, words left out) is not timed on a terminal.
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (started != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

std::string temporaryFolder() {
    char name[] = "/tmp/sopaly-bench.XXXXXX";
    return mkdtemp(name) ? std::string(name) : std::string();
}

// `option` writes `file` in a temporary folder; `more` follows.
void runCommand(benchmark::State& state, const std::string& option, const std::string& file,
                const std::vector<std::string>& more = {}) {
    const std::string folder = temporaryFolder();
    const std::vector<std::string> environment = commandEnvironment(folder);
    std::vector<std::string> arguments{"--lista", SOPALY_BENCH_WORDS, "--semilla", "1",
                                       option,    folder + "/" + file};
    arguments.insert(arguments.end(), more.begin(), more.end());
    for (auto _ : state) {
        if (runProgram(arguments, environment) != 0) {
            state.SkipWithError("the program did not write its file");
            break;
        }
    }
    std::filesystem::remove_all(folder);
}

void BM_CommandLineWorksheet(benchmark::State& state) {
    runCommand(state, "--hoja", "hoja.pdf");
}

void BM_CommandLineClassroomSet(benchmark::State& state) {
    runCommand(state, "--juego", "juego.pdf", {"--versiones", std::to_string(state.range(0))});
}

}  // namespace

// One process a run: the median of 20 runs, as a script would see them.
BENCHMARK(BM_CommandLineWorksheet)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(20)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CommandLineClassroomSet)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
