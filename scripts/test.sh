#!/usr/bin/env bash
# Installs what is missing, checks the formatting, then builds and runs every test:
# a plain build, a build under AddressSanitizer + UndefinedBehaviorSanitizer, a bounded run of the
# fuzz targets, and the loader, chart and view tests under ThreadSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"

echo "== formatting"
"$root/scripts/check-format.sh"

echo "== scripts"
"$root/scripts/check-scripts.sh"

echo "== includes"
"$root/scripts/check-includes.sh"

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== plain build"
"$root/scripts/build.sh" build/test
ctest --test-dir build/test --output-on-failure -j "$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$root/scripts/build.sh" build/asan asan
ctest --test-dir build/asan --output-on-failure -j "$jobs"

echo "== fuzzing (bounded)"
"$root/scripts/fuzz.sh" 20

if [ -f "$root/scripts/tsan-tests.txt" ]; then
  echo "== ThreadSanitizer (loader, chart and view)"
  export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
  labels=$(grep -v '^$' "$root/scripts/tsan-tests.txt")
  KURVON_TARGETS=$(printf 'kurvon_%s_tests ' $labels) "$root/scripts/build.sh" build/tsan tsan
  ctest --test-dir build/tsan --output-on-failure -j "$jobs" -L "$(echo $labels | tr ' ' '|')"
fi

if [ -x "$root/scripts/e2e-xvfb.sh" ] && command -v Xvfb >/dev/null 2>&1; then
  echo "== end to end under Xvfb"
  "$root/scripts/e2e-xvfb.sh" "$root/build/test"
fi
echo "== Debian package (from the plain build)"
"$root/scripts/check-package.sh" build/test
if qt=$("$root/scripts/windows.sh" find-qt); then
  echo "== Windows build under Wine (Qt from $qt)"
  "$root/scripts/windows.sh" all
else
  echo "== Windows part skipped: no Windows Qt in ../shared/toolchains or ~/.cache/kurvon;" \
    "run scripts/windows.sh once to build it (about an hour), then it runs here"
fi
echo "== all tests passed"
