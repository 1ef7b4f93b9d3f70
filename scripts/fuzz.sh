#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time
# (seconds per target as the first argument, default 60). A crash fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bash scripts/setup.sh
CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRAGE_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$(nproc)" --target $(cd Fuzz && for d in */; do sed -n 's/.*add_executable(\([a-z_]*\).*/\1/p' "$d/CMakeLists.txt"; done)

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for target in $(find build/fuzz/Fuzz -maxdepth 2 -type f -executable -name "fuzz_*" | sort); do
  name=$(basename "$target")
  seeds="Fuzz/Corpus/${name#fuzz_}"
  work=$(mktemp -d)
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -print_final_stats=1 "$work" 2>&1 | tail -n 12
  rm -rf "$work"
done
