#!/usr/bin/env bash
# Installs what building and running Sopaly needs and the machine lacks,
# builds the program and its program folder (not the tests and benchmarks),
# and starts it from there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --program

# A first configure leaves out the benchmark unless its library is there
# (scripts/test.sh installs it); a build folder set up before keeps its
# choices.
configure=()
if [[ ! -f build/CMakeCache.txt ]] &&
  ! dpkg-query -W -f='${Status}' libbenchmark-dev 2>/dev/null | grep -q 'install ok installed'; then
  configure+=(-DSOPALY_BENCHMARK=OFF)
fi
cmake -S . -B build -G Ninja "${configure[@]}"
cmake --build build --parallel --target sopaly sopaly_program_files
exec build/bin/sopaly
