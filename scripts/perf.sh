#!/usr/bin/env bash
# Builds Release and repeats the performance measurements: 1500 autopilot
# frames on layouts 2 and 0 in an 800x600 window, start-up with and without
# mesh caches, peak memory, the tick benchmark and the cost of each pass and
# draw. Writes docs/perf/*.csv, docs/perf/summary.txt, docs/perf/stages.txt and
# docs/perf/frame_time.png.
#   scripts/perf.sh [TICKS]
set -euo pipefail
cd "$(dirname "$0")/.."

ticks="${1:-1500}"
out=docs/perf
mkdir -p "$out"
bash scripts/build.sh >/dev/null
harness=build/release/Tools/DemoHarness/demo_harness
xvfb=(bash scripts/xvfb.sh)
summary="$out/summary.txt"

{
  echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), load: $(uptime | sed 's/.*load average: //'), $(nproc) cores"

  find Resources -name '*.bin' -delete
  echo "-- start-up without mesh caches (cold)"
  "${xvfb[@]}" "$harness" --ticks 1 --size 800x600 --quiet 2>&1 | grep 'startup ms'
  echo "-- start-up with mesh caches (warm)"
  "${xvfb[@]}" "$harness" --ticks 1 --size 800x600 --quiet 2>&1 | grep 'startup ms'

  for level in 2 0; do
    echo "-- layout $level, $ticks frames, 800x600 (peak memory from /usr/bin/time)"
    "${xvfb[@]}" /usr/bin/time -v "$harness" --ticks "$ticks" --level "$level" --size 800x600 \
      --csv "$out/level$level.csv" --quiet 2>&1 | grep -E '^(startup|frames|tick|render|frame) |Maximum resident'
  done

  echo "-- tick alone, layout 2, three balls in flight"
  "${xvfb[@]}" build/release/Benchmarks/Tick/tick_benchmark 2>/dev/null | grep -E 'BM_|per_tick'
} | tee "$summary"

# A separate run: finishing the renderer's work after every stage slows the frame.
for level in 2 0; do
  echo "== layout $level, $ticks frames, 800x600"
  "${xvfb[@]}" "$harness" --ticks "$ticks" --level "$level" --size 800x600 --quiet --stage-times 2>&1 |
    sed -n '/^stage ms/,$p'
done | tee "$out/stages.txt"

build/release/Tools/FramePlot/frame_plot "$out/frame_time.png" \
  "layout 2=$out/level2.csv" "layout 0=$out/level0.csv"
echo "$out/frame_time.png"
