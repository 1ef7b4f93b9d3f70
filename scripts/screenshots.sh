#!/usr/bin/env bash
# Retakes the README's pictures: layout 2 in mid-play (tick 500, just after an
# explosion chain) from each of the three cameras, through the demo harness.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
dir=$(bash scripts/build.sh | tail -n 1)
names=(above behind orbit)
for mode in 0 1 2; do
  xvfb-run -a -s "-screen 0 1280x1024x24" "$dir/Tools/DemoHarness/demo_harness" --level 2 --ticks 500 \
    --camera "$mode" --render-every 0 --quiet --window-shot "500:docs/camera-${names[$mode]}.png" >/dev/null
done
echo "docs/camera-above.png docs/camera-behind.png docs/camera-orbit.png"
