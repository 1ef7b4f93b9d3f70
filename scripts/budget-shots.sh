#!/usr/bin/env bash
# Harness shots of layout 2 at ticks 100, 700 and 1000 from each of the three
# cameras, at every budget level pinned, and the PSNR of each against the exact
# picture (level 0) of the same tick and camera. Prints the table and writes
# OUTDIR/psnr.txt and two sheets of full-size crops of the five levels at
# tick 700 (OUTDIR/budget-levels.png from above, budget-levels-behind.png);
# the shots stay under build/perf/shots.
#   scripts/budget-shots.sh [OUTDIR] [HARNESS]
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-build/perf}"
harness="${2:-build/release/Tools/DemoHarness/demo_harness}"
shots=build/perf/shots
mkdir -p "$shots"
ticks=(100 700 1000)

for camera in 0 1 2; do
  for level in 0 1 2 3 4; do
    args=()
    for t in "${ticks[@]}"; do args+=(--shot "$t:$shots/l${level}_c${camera}_t$t.png"); done
    bash scripts/xvfb.sh "$harness" --level 2 --ticks 1000 --camera "$camera" --budget-level "$level" \
      --render-every 100 --no-sound --quiet --size 800x600 "${args[@]}" >/dev/null 2>&1
  done
done

psnr() { compare -metric PSNR "$1" "$2" null: 2>&1 | awk '{ printf "%.1f", $1 }'; }
{
  echo "PSNR against level 0, dB; layout 2, 800x600; c: camera, t: tick"
  printf '%-6s' level
  for camera in 0 1 2; do for t in "${ticks[@]}"; do printf ' %9s' "c$camera t$t"; done; done
  echo
  for level in 1 2 3 4; do
    printf '%-6s' "$level"
    for camera in 0 1 2; do
      for t in "${ticks[@]}"; do printf ' %9s' "$(psnr "$shots/l${level}_c${camera}_t$t.png" "$shots/l0_c${camera}_t$t.png")"; done
    done
    echo
  done
} | tee "$out/psnr.txt"

sheet() { # sheet CAMERA GEOMETRY FILE: the five levels' crops at tick 700, exact first
  local args=()
  for level in 0 1 2 3 4; do
    local label="level $level"
    [ "$level" = 0 ] && label="level 0 (exact)"
    convert "$shots/l${level}_c$1_t700.png" -crop "$2" +repage "$shots/crop_l$level.png"
    args+=(-label "$label" "$shots/crop_l$level.png")
  done
  montage -font DejaVu-Sans "${args[@]}" -tile 3x2 -geometry +2+2 "$3"
}
sheet 0 390x255+100+40 "$out/budget-levels.png"
sheet 1 390x255+300+120 "$out/budget-levels-behind.png"
