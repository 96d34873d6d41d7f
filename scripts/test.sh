#!/usr/bin/env bash
# Runs every test on a fresh Debian 12 machine: installs what is missing, builds and runs the whole
# suite, again under AddressSanitizer + UndefinedBehaviorSanitizer, the link tests under
# ThreadSanitizer, then each fuzz target for a short while.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test || exit 1

jobs=$(nproc)
fuzz_seconds=${QR_FUZZ_SECONDS:-20}
passed=0
failed=0
status=0

# Builds one tree and runs its tests; adds the counts from ctest's closing line to the totals.
run_suite() {
  local name=$1 dir=$2 filter=$3
  shift 3
  echo "=== $name"
  if ! cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQR_WARNINGS_AS_ERRORS=ON "$@" >"$dir.configure.log" 2>&1 ||
     ! cmake --build "$dir" -j"$jobs"; then
    cat "$dir.configure.log" 2>/dev/null | tail -20
    echo "$name: build failed"
    failed=$((failed + 1)); status=1
    return
  fi
  local log="$dir.ctest.log"
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" ${filter:+-R "$filter"} 2>&1 | tee "$log"
  local summary total bad
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  if [[ -z "$summary" ]]; then
    echo "$name: ctest did not finish"
    failed=$((failed + 1)); status=1
    return
  fi
  bad=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
  total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$summary")
  passed=$((passed + total - bad)); failed=$((failed + bad))
  ((bad == 0)) || status=1
}

mkdir -p build-test
run_suite "tests" build-test/plain ""
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0 \
  run_suite "tests under AddressSanitizer + UndefinedBehaviorSanitizer" build-test/asan "" -DQR_SANITIZE=ON -DQR_BENCH=OFF
TSAN_OPTIONS=halt_on_error=1 \
  run_suite "link tests under ThreadSanitizer" build-test/tsan "link|device" -DQR_TSAN=ON -DQR_GUI=OFF -DQR_BENCH=OFF

echo "=== fuzz targets, ${fuzz_seconds} s each"
if CXX=clang++ cmake -S . -B build-test/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQR_FUZZ=ON -DQR_GUI=OFF \
     >build-test/fuzz.configure.log 2>&1 && cmake --build build-test/fuzz -j"$jobs"; then
  for target in build-test/fuzz/bin/fuzz_*; do
    [[ -x "$target" ]] || continue
    name=$(basename "$target")
    work=build-test/fuzz/corpus-$name
    mkdir -p "$work"
    dirs=("$work")
    [[ -d fuzz/corpus/${name#fuzz_} ]] && dirs+=("fuzz/corpus/${name#fuzz_}")
    if "$target" -max_total_time="$fuzz_seconds" "${dirs[@]}" >"build-test/fuzz/$name.log" 2>&1; then
      echo "$name: no crash in ${fuzz_seconds} s"
      passed=$((passed + 1))
    else
      tail -40 "build-test/fuzz/$name.log"
      echo "$name: FAILED"
      failed=$((failed + 1)); status=1
    fi
  done
else
  tail -20 build-test/fuzz.configure.log
  echo "fuzz build failed"
  failed=$((failed + 1)); status=1
fi

echo "summary: $passed passed, $failed failed"
exit $status
