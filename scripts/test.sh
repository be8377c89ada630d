#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice: in a
# normal build, then under AddressSanitizer and UndefinedBehaviorSanitizer.
# The second half runs whatever the first gave; the closing lines say how
# each half went, and the exit status is non-zero if either failed.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh || exit 1

jobs=$(nproc)
logs=$(mktemp -d "${TMPDIR:-/tmp}/sopaly-test.XXXXXX")
trap 'rm -rf "$logs"' EXIT
summary=()
failed=0
passed_total=0
failed_total=0
skipped_total=0

# The names ctest lists under "The following tests FAILED:", on one line.
failed_names() {
  awk '/^The following tests FAILED:/ { on = 1; next }
       on && /^[[:space:]]*[0-9]+ - / { sub(/^[[:space:]]*[0-9]+ - /, ""); printf " %s", $0; next }
       { on = 0 }' "$1"
}

# half <name> <build folder> [configure arguments...]: builds and runs ctest,
# and adds one line to the summary.
half() {
  local name=$1 dir=$2
  shift 2
  echo "=== test.sh: $name: building in $dir"
  if ! bash scripts/build.sh "$dir" "$@"; then
    summary+=("$name: FAILED: the build failed, no test ran")
    failed=1
    return
  fi
  echo "=== test.sh: $name: running the tests"
  local log=$logs/$name.txt status
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$dir" --output-on-failure --parallel "$jobs" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  # ctest closes with "N% tests passed, F tests failed out of T"; skipped
  # tests are counted in T and listed as "(Skipped)".
  local counts total bad skipped
  counts=$(sed -n 's/.* tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\)$/\1 \2/p' "$log" | tail -n 1)
  if [[ -z "$counts" ]]; then
    summary+=("$name: FAILED: ctest ended with status $status before its summary")
    failed=1
    return
  fi
  read -r bad total <<<"$counts"
  skipped=$(grep -c '^[[:space:]]*[0-9]* - .* (Skipped)$' "$log")
  passed_total=$((passed_total + total - bad - skipped))
  failed_total=$((failed_total + bad))
  skipped_total=$((skipped_total + skipped))
  if ((status != 0 || bad != 0)); then
    summary+=("$name: FAILED: $bad of $total tests failed:$(failed_names "$log")")
    failed=1
  else
    summary+=("$name: passed, $((total - skipped)) of $total tests ran and passed, $skipped skipped")
  fi
}

# The benchmark is built here even where run.sh set up the folder without it.
half "normal build" build -DSOPALY_BENCHMARK=ON
# The sanitizer build leaves out the benchmark: it measures nothing there.
half "sanitizer build" build-asan -DSOPALY_SANITIZE=ON -DSOPALY_BENCHMARK=OFF \
  -DCMAKE_BUILD_TYPE=Debug

echo
for line in "${summary[@]}"; do
  echo "test.sh: $line"
done
echo "Total: $passed_total passed, $failed_total failed, $skipped_total skipped"
exit "$failed"
