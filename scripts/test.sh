#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: once in a
# normal build, once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
bash scripts/build.sh build
ctest --test-dir build --output-on-failure --parallel "$jobs"

# The sanitizer build leaves out the benchmark: it measures nothing there.
bash scripts/build.sh build-asan -DSOPALY_SANITIZE=ON -DSOPALY_BENCHMARK=OFF \
  -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure --parallel "$jobs"
