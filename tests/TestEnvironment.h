#pragma once

namespace sopaly::test {

// Points XDG_CONFIG_HOME and XDG_CONFIG_DIRS at new, empty folders, so that
// the next program started in this process begins from the design values:
// a test case calls it where settings an earlier case kept would change
// what it checks.
void freshSettings();

}  // namespace sopaly::test
