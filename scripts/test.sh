#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite.
# With --sanitize the suite runs in the sanitizer build instead.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
dir=$(bash scripts/build.sh "$@" | tail -n 1)

if [ "${1:-}" = "--sanitize" ]; then
  # Leaks are checked by their own run with suppressions; here a sanitizer
  # finding must fail the test that caused it.
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi

run=(ctest --test-dir "$dir" --output-on-failure -j 2)
if [ -z "${DISPLAY:-}" ]; then
  bash scripts/xvfb.sh "${run[@]}"
else
  "${run[@]}"
fi
