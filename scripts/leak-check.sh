#!/usr/bin/env bash
# Plays the game in the sanitizer build with LeakSanitizer on, twice (the first
# start parses the meshes and writes their caches, the second reads them), ends
# each run through the File menu's Exit shortcut and fails when a leak is left
# that scripts/lsan.supp does not name as a third-party library's.
# Seconds per run as the first argument (default 20).
set -euo pipefail
cd "$(dirname "$0")/.."

# One run, inside the X server: start, play, close through Alt+F4, report.
if [ "${1:-}" = "--play" ]; then
  cd "$LEAK_WORK"
  "$LEAK_GAME" >out.log 2>err.log &
  pid=$!
  window=$(timeout 120 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)
  sleep "$LEAK_SECONDS"
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers alt+F4
  if ! timeout 120 tail --pid="$pid" -f /dev/null; then
    kill "$pid"
    echo "the game did not end on Alt+F4"
    exit 1
  fi
  status=0
  wait "$pid" || status=$?
  if grep -q "ERROR: LeakSanitizer" err.log; then
    sed -n '/ERROR: LeakSanitizer/,$p' err.log
    exit 1
  fi
  sed -n '/Suppressions used/,$p' err.log
  if [ "$status" -ne 0 ]; then
    cat err.log
    echo "the game ended with status $status"
    exit 1
  fi
  echo "no leaks of our own"
  exit 0
fi

seconds=${1:-20}
bash scripts/setup.sh
dir=$(bash scripts/build.sh --sanitize | tail -n 1)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r Resources "$work"/
find "$work/Resources" -name '*.bin' -delete
echo "StartLevel=0" >"$work/Config.cfg"

export LEAK_WORK="$work" LEAK_GAME="$(pwd)/$dir/mirage" LEAK_SECONDS="$seconds"
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for start in 1 2; do
  echo "== start $start: ${seconds}s"
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --play
  else
    bash "$0" --play
  fi
done
