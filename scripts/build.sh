#!/usr/bin/env bash
# Configures and builds one tree: build/release (default) or, with --sanitize,
# build/sanitize with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build/release
flags=(-DCMAKE_BUILD_TYPE=Release)
if [ "${1:-}" = "--sanitize" ]; then
  dir=build/sanitize
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRAGE_SANITIZE=ON)
fi
cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
echo "$dir"
