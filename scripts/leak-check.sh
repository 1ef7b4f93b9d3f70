#!/usr/bin/env bash
# Plays the game in the sanitizer build with LeakSanitizer on and fails when a
# leak is left that scripts/lsan.supp does not name as a third-party library's.
# Three runs in one scratch folder: the demo harness's autopilot for TICKS ticks
# (first argument, default 3000) twice, the first parsing the meshes and writing
# their caches, the second reading them; then the game itself, ended through the
# File menu's Exit shortcut (Alt+F4).
set -euo pipefail
cd "$(dirname "$0")/.."

# Reports what LeakSanitizer said about one run; fails on a leak or a bad exit.
verdict() {
  local status=$1 log=$2
  if grep -q "ERROR: LeakSanitizer" "$log"; then
    sed -n '/ERROR: LeakSanitizer/,$p' "$log"
    return 1
  fi
  sed -n '/Suppressions used/,$p' "$log"
  if [ "$status" -ne 0 ]; then
    cat "$log"
    echo "ended with status $status"
    return 1
  fi
  echo "no leaks of our own"
}

# Inside the X server: one harness run or one game run.
if [ "${1:-}" = "--harness" ]; then
  cd "$LEAK_WORK"
  status=0
  LD_PRELOAD="${LEAK_PRELOAD:-}" "$LEAK_BUILD/Tools/DemoHarness/demo_harness" --ticks "$LEAK_TICKS" --render-every 5 --quiet >out.log 2>err.log || status=$?
  tail -n 4 out.log
  verdict "$status" err.log
  exit
fi
if [ "${1:-}" = "--game" ]; then
  cd "$LEAK_WORK"
  LD_PRELOAD="${LEAK_PRELOAD:-}" "$LEAK_BUILD/mirage" >out.log 2>err.log &
  pid=$!
  window=$(timeout 120 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)
  sleep 10
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers alt+F4
  if ! timeout 120 tail --pid="$pid" -f /dev/null; then
    kill "$pid"
    echo "the game did not end on Alt+F4"
    exit 1
  fi
  status=0
  wait "$pid" || status=$?
  verdict "$status" err.log
  exit
fi

ticks=${1:-3000}
bash scripts/setup.sh
dir=$(bash scripts/build.sh --sanitize | tail -n 1)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r Resources "$work"/
find "$work/Resources" -name '*.bin' -delete
echo "StartLevel=0" >"$work/Config.cfg"

export LEAK_WORK="$work" LEAK_BUILD="$(pwd)/$dir" LEAK_TICKS="$ticks"
# Mesa unloads its software driver when the GL context goes, so what the driver
# keeps for the process is reported from an unmapped module that no suppression
# can name. Preloading the driver keeps it mapped and its memory reachable.
# The sanitizer runtime must stay first in the preload list.
driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1)
[ -n "$driver" ] && export LEAK_PRELOAD="$(gcc -print-file-name=libasan.so):$driver"
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for run in "--harness parsing the meshes" "--harness reading the caches" "--game closed by Alt+F4"; do
  echo "== ${run#* }"
  if [ -z "${DISPLAY:-}" ]; then
    bash scripts/xvfb.sh bash "$0" "${run%% *}"
  else
    bash "$0" "${run%% *}"
  fi
done
