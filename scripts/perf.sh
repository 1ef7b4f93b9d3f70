#!/usr/bin/env bash
# Side by side against the baseline commit: builds its demo harness in a
# temporary worktree beside HEAD's, then plays 1500 autopilot frames of each
# layout 0..4 in an 800x600 window, alternating baseline, HEAD with the
# frame-budget governor automatic (the player's default) and HEAD pinned to
# the exact picture. Writes frames.txt (median, p95, worst 25-frame mean,
# ratios to the baseline), plots of layouts 2 and 0, the start-up and tick
# figures (summary.txt) and the cost of every pass and draw over 300 frames
# (stages.txt), and the PSNR of every budget level's harness shots of layout 2
# against the exact picture with crops side by side (psnr.txt,
# budget-levels*.png, through scripts/budget-shots.sh), and the frame times
# at four window sizes with the 1920x1080 picture's PSNR (windows.txt,
# psnr-1080p.txt, through scripts/window-sizes.sh); the per-frame CSVs and the
# shots stay under build/perf.
#   scripts/perf.sh [OUTDIR]     default build/perf; docs/perf retakes the committed figures
#   PERF_TICKS=300 scripts/perf.sh   shorter runs while iterating
set -euo pipefail
cd "$(dirname "$0")/.."

baseline=fb84366
ticks="${PERF_TICKS:-1500}"
out="${1:-build/perf}"
mkdir -p "$out"
dir=$(bash scripts/build.sh | tail -n 1)
harness=$dir/Tools/DemoHarness/demo_harness
xvfb=(bash "$PWD/scripts/xvfb.sh")

# The baseline's own sources, built into a folder of their own; the worktree
# goes again at the end, whatever happens, so the checkout stays clean.
old_src=build/perf-baseline/src
old_build=build/perf-baseline/build
rm -rf "$old_src"

# The baseline still builds with Qt 5, which the game itself no longer needs.
qt5=(qtbase5-dev libqt5opengl5-dev)
installed=$(dpkg-query -W -f='${Status}\n' "${qt5[@]}" 2>/dev/null | grep -c "install ok installed" || true)
if [ "$installed" -ne ${#qt5[@]} ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${qt5[@]}" >/dev/null
fi
git worktree add --detach "$old_src" "$baseline" >/dev/null
trap 'git worktree remove --force "$old_src"' EXIT
cmake -S "$old_src" -B "$old_build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$old_build" --target demo_harness -j "$(nproc)" >/dev/null
old_harness=$PWD/$old_build/Tools/DemoHarness/demo_harness
harness=$PWD/$harness
csv=$PWD/build/perf/csv
mkdir -p "$csv"

# "median p95 worst25" of the frame_ms column of one CSV (worst25: the slowest
# mean of 25 frames in a row); plain awk and sort, no extensions.
column() { awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) if ($i == "frame_ms") c = i; next } { print $c }' "$1"; }
stats() {
  local worst
  worst=$(column "$1" | awk '{ v[n++] = $1; s += $1; if (n > 25) s -= v[n - 26]; if (n >= 25 && s / 25 > w) w = s / 25 }
    END { printf "%.1f", w }')
  column "$1" | sort -g | awk -v worst="$worst" '{ v[++n] = $1 }
    END { r = int(0.95 * n + 0.999999); printf "%.1f %.1f %s", v[int((n + 1) / 2)], v[r], worst }'
}

play() { # play FOLDER BINARY CSV LAYOUT [ARGS...]: FOLDER holds the Resources/ that BINARY reads
  local folder=$1 bin=$2 csv=$3 layout=$4
  shift 4
  (cd "$folder" && "${xvfb[@]}" "$bin" --ticks "$ticks" --level "$layout" --size 800x600 --csv "$csv" --quiet "$@") \
    >/dev/null 2>&1
}

frames="$out/frames.txt"
{
  echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $ticks frames per run, 800x600, $(nproc) cores, baseline $baseline, HEAD $(git rev-parse --short HEAD)"
  printf '%-7s %-9s %8s %8s %9s %7s %7s  %s\n' layout run median p95 worst25 x_med x_p95 load
  for layout in 0 1 2 3 4; do
    play "$old_src" "$old_harness" "$csv/layout$layout-baseline.csv" "$layout"
    load_baseline=$(cut -d' ' -f1 /proc/loadavg)
    play . "$harness" "$csv/layout$layout-auto.csv" "$layout"
    load_auto=$(cut -d' ' -f1 /proc/loadavg)
    play . "$harness" "$csv/layout$layout-exact.csv" "$layout" --budget-level 0
    load_exact=$(cut -d' ' -f1 /proc/loadavg)
    read -r om op _ <<<"$(stats "$csv/layout$layout-baseline.csv")"
    for run in baseline auto exact; do
      read -r m p w <<<"$(stats "$csv/layout$layout-$run.csv")"
      load_var=load_$run
      awk -v l="$layout" -v r="$run" -v m="$m" -v p="$p" -v w="$w" -v om="$om" -v op="$op" -v load="${!load_var}" \
        'BEGIN { printf "%-7s %-9s %8s %8s %9s %7.2f %7.2f  %s\n", l, r, m, p, w, m / om, p / op, load }' 
    done
  done
  echo "(ms; worst25: the slowest mean of 25 frames in a row; x_: ratio to the baseline; load: 1-minute load after the run)"
} | tee "$frames"

for layout in 2 0; do
  "$dir/Tools/FramePlot/frame_plot" "$out/frame_time_layout$layout.png" \
    "baseline $baseline=$csv/layout$layout-baseline.csv" "exact picture=$csv/layout$layout-exact.csv" \
    "automatic=$csv/layout$layout-auto.csv"
done

{
  echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), load: $(uptime | sed 's/.*load average: //'), $(nproc) cores"
  find Resources -name '*.bin' -delete
  echo "-- start-up without mesh caches (cold)"
  "${xvfb[@]}" "$harness" --ticks 1 --size 800x600 --quiet 2>&1 | grep 'startup ms'
  echo "-- start-up with mesh caches (warm)"
  "${xvfb[@]}" "$harness" --ticks 1 --size 800x600 --quiet 2>&1 | grep 'startup ms'
  echo "-- tick alone, layout 2, three balls in flight"
  "${xvfb[@]}" "$dir/Benchmarks/Tick/tick_benchmark" 2>/dev/null | grep -E 'BM_|per_tick'
} | tee "$out/summary.txt"

# A separate run of the exact picture: finishing the renderer's work after
# every stage slows the frame.
for layout in 2 0; do
  echo "== layout $layout, 300 frames, 800x600, exact picture"
  "${xvfb[@]}" "$harness" --ticks 300 --level "$layout" --size 800x600 --quiet --stage-times \
    --budget-level 0 2>&1 | sed -n '/^stage ms/,$p'
done | tee "$out/stages.txt"

bash scripts/budget-shots.sh "$out" "$harness"
bash scripts/window-sizes.sh "$out" "$harness"
echo "$out"
