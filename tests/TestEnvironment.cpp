// Linked into every test executable: before main runs, the process gets
// settings folders of its own, empty, removed at its end, so that no test
// reads the machine's settings or the ones an earlier test left behind.
#include "TestEnvironment.h"

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

std::string& testSettingsRoot() {
    static std::string root;
    return root;
}

void removeTestSettings() {
    std::error_code ignored;
    std::filesystem::remove_all(testSettingsRoot(), ignored);
}

void giveTestSettingsFolders() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/sopaly-test-settings.XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("cannot make a settings folder for the test");
        std::abort();
    }
    testSettingsRoot() = pattern;
    std::atexit(removeTestSettings);
    sopaly::test::freshSettings();
}

}  // namespace

void sopaly::test::freshSettings() {
    static int made = 0;
    const std::string folder = testSettingsRoot() + "/" + std::to_string(++made);
    const std::string home = folder + "/config";
    const std::string system = folder + "/xdg";
    std::filesystem::create_directories(home);
    std::filesystem::create_directories(system);
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_DIRS", system.c_str(), 1);
}

Q_CONSTRUCTOR_FUNCTION(giveTestSettingsFolders)
