#!/usr/bin/env bash
# The frame budget at the window sizes players maximise to: 1500 autopilot
# frames of layout 2 (and layout 0 at 1920x1080) at 800x600, 1280x720,
# 1920x1080 and 2560x1440 with the budget automatic, each size's median, p95,
# worst 25-frame mean and the budget levels it drew at (OUTDIR/windows.txt);
# then the nine layout-2 harness shots at 1920x1080 (ticks 100, 700, 1000;
# three cameras) drawn as the automatic budget chose, against the exact picture
# of the same size and tick (OUTDIR/psnr-1080p.txt, crops of blocks and a palm
# in OUTDIR/window-1080p.png). The CSVs and shots stay under build/perf.
#   scripts/window-sizes.sh [OUTDIR] [HARNESS]
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-build/perf}"
harness="${2:-build/release/Tools/DemoHarness/demo_harness}"
ticks="${PERF_TICKS:-1500}"
csv=build/perf/csv
shots=build/perf/shots
mkdir -p "$out" "$csv" "$shots"
export XVFB_SCREEN=2600x1500x24

# "median p95 worst25" of the frame_ms column, and the frames per budget level.
stats() {
  awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) { if ($i == "frame_ms") c = i; if ($i == "budget_level") b = i }; next }
    { print $c, $b }' "$1" | sort -g | awk '{ v[++n] = $1; at[$2]++; t[n] = $1 }
    END { r = int(0.95 * n + 0.999999); levels = ""
          for (l = 0; l < 10; l++) if (at[l]) levels = levels " " l ":" at[l]
          printf "%.1f %.1f %s", v[int((n + 1) / 2)], v[r], levels }'
}
worst25() {
  awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) if ($i == "frame_ms") c = i; next }
    { v[n++] = $c; s += $c; if (n > 25) s -= v[n - 26]; if (n >= 25 && s / 25 > w) w = s / 25 } END { printf "%.1f", w }' "$1"
}

{
  echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $ticks frames per run, budget automatic, $(nproc) cores, HEAD $(git rev-parse --short HEAD)"
  printf '%-10s %-6s %8s %8s %9s  %s\n' window layout median p95 worst25 "frames per budget level"
  for run in 800x600:2 1280x720:2 1920x1080:2 1920x1080:0 2560x1440:2; do
    size=${run%:*} layout=${run#*:}
    file=$csv/window-$size-layout$layout.csv
    bash scripts/xvfb.sh "$harness" --ticks "$ticks" --level "$layout" --size "$size" --csv "$file" --quiet \
      --no-sound >/dev/null 2>&1
    read -r median p95 levels <<<"$(stats "$file")"
    printf '%-10s %-6s %8s %8s %9s  %s\n' "$size" "$layout" "$median" "$p95" "$(worst25 "$file")" "$levels"
  done
  echo "(ms per frame, after the renderer's finish; worst25: the slowest mean of 25 frames in a row)"
} | tee "$out/windows.txt"

shot_args() { # shot_args PREFIX: --shot options for the three ticks
  for t in 100 700 1000; do printf -- '--shot %s:%s_t%s.png ' "$t" "$1" "$t"; done
}
for camera in 0 1 2; do
  # Every frame drawn, so the budget chooses as in play; the world is the same either way.
  bash scripts/xvfb.sh "$harness" --level 2 --ticks 1000 --camera "$camera" --size 1920x1080 --no-sound --quiet \
    $(shot_args "$shots/hd_auto_c$camera") >/dev/null 2>&1
  bash scripts/xvfb.sh "$harness" --level 2 --ticks 1000 --camera "$camera" --size 1920x1080 --no-sound --quiet \
    --budget-level 0 --render-every 100 $(shot_args "$shots/hd_exact_c$camera") >/dev/null 2>&1
done
{
  echo "PSNR of the automatic budget's picture against the exact one, dB; layout 2, 1920x1080; c: camera, t: tick"
  for camera in 0 1 2; do
    for t in 100 700 1000; do
      printf 'c%s t%-5s %s\n' "$camera" "$t" "$(compare -metric PSNR "$shots/hd_auto_c${camera}_t$t.png" \
        "$shots/hd_exact_c${camera}_t$t.png" null: 2>&1 | awk '{ printf "%.1f", $1 }')"
    done
  done
} | tee "$out/psnr-1080p.txt"
# Crops at full size from above at tick 700, exact on top: a block row and a palm.
crops=()
for kind in exact auto; do
  convert "$shots/hd_${kind}_c0_t700.png" -crop 640x360+400+400 +repage "$shots/hd_blocks_$kind.png"
  convert "$shots/hd_${kind}_c0_t700.png" -crop 360x360+1540+0 +repage "$shots/hd_palm_$kind.png"
  label=exact
  [ "$kind" = auto ] && label='automatic budget'
  crops+=(-label "$label" "$shots/hd_blocks_$kind.png" -label "$label" "$shots/hd_palm_$kind.png")
done
montage -font DejaVu-Sans "${crops[@]}" -tile 2x2 -geometry +2+2 "$out/window-1080p.png"
