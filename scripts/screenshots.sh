#!/usr/bin/env bash
# Retakes the README's pictures: layout 2 in mid-play (tick 500, just after an
# explosion chain) from each of the three cameras, through the demo harness,
# always the exact picture (frame-budget level 0).
#   scripts/screenshots.sh [FOLDER]   (default build/screenshots; docs to replace the README's)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
dir=$(bash scripts/build.sh | tail -n 1)
out=${1:-build/screenshots}
mkdir -p "$out"
names=(above behind orbit)
for mode in 0 1 2; do
  bash scripts/xvfb.sh "$dir/Tools/DemoHarness/demo_harness" --level 2 --ticks 500 \
    --camera "$mode" --render-every 0 --budget-level 0 --quiet --window-shot "500:$out/camera-${names[$mode]}.png" >/dev/null
done
echo "$out/camera-above.png $out/camera-behind.png $out/camera-orbit.png"
