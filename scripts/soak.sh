#!/usr/bin/env bash
# Long play: the autopilot plays TICKS ticks through the level cycle from
# layout 0, rendering every 10th tick so that it runs fast, while resident
# memory is sampled every 1000 ticks. Fails when memory after a warm-up of
# 3000 ticks grows by more than 3 %.
#   scripts/soak.sh TICKS [FOLDER]
# FOLDER (default build/soak) receives memory.csv, memory.png, console.txt
# (the game's own output) and summary.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

ticks=${1:?usage: scripts/soak.sh TICKS [FOLDER]}
out=${2:-build/soak}
warmup=3000
limit=3 # per cent
[ "$ticks" -ge $((warmup + 1000)) ] || { echo "soak: TICKS must be at least $((warmup + 1000))"; exit 2; }

bash scripts/setup.sh
dir=$(bash scripts/build.sh | tail -n 1)
mkdir -p "$out"
bash scripts/xvfb.sh "$dir/Tools/DemoHarness/demo_harness" --level 0 --ticks "$ticks" --render-every 10 \
  --quiet --memory-csv "$out/memory.csv" >"$out/console.txt" 2>&1 || { tail -n 20 "$out/console.txt"; exit 1; }

balls=$(grep -c '^GL_FRAMEBUFFER_COMPLETE$' "$out/console.txt" || true)
verdict=$(awk -F, -v warmup=$warmup -v limit=$limit -v balls="$balls" -f scripts/soak-verdict.awk "$out/memory.csv") \
  && status=0 || status=$?
echo "$verdict" | tee "$out/summary.txt"

# The plot: resident MiB against ticks, the warm-up's end and 3 % above its sample marked.
awk -F, -v warmup=$warmup -v limit=$limit '
  BEGIN { n = 0 }
  NR == 1 { next }
  { t[n] = $1; m[n] = $2 / 1024; if ($1 == warmup) base = m[n]; n++ }
  END {
    lo = m[0]; hi = m[0]
    for (i = 0; i < n; i++) { if (m[i] < lo) lo = m[i]; if (m[i] > hi) hi = m[i] }
    if (base * (1 + limit / 100) > hi) hi = base * (1 + limit / 100)
    lo = lo * 0.9; hi = hi * 1.05
    W = 900; H = 420; L = 70; R = 20; T = 30; B = 40
    sx = (W - L - R) / t[n - 1]; sy = (H - T - B) / (hi - lo)
    printf "-fill none -stroke gray -draw \"line %d,%d %d,%d\" ", L + warmup * sx, T, L + warmup * sx, H - B
    y = H - B - (base * (1 + limit / 100) - lo) * sy
    printf "-stroke red -draw \"line %d,%.1f %d,%.1f\" ", L, y, W - R, y
    printf "-stroke blue -draw \"polyline"
    for (i = 0; i < n; i++) printf " %.1f,%.1f", L + t[i] * sx, H - B - (m[i] - lo) * sy
    printf "\" -stroke none -fill black -font DejaVu-Sans "
    printf "-draw \"text %d,%d '"'"'%.0f MiB'"'"'\" -draw \"text %d,%d '"'"'%.0f MiB'"'"'\" ", 5, T + 5, hi, 5, H - B, lo
    printf "-draw \"text %d,%d '"'"'ticks 0 to %d; gray: end of warm-up; red: 3 %% above it'"'"'\"\n", L, H - 12, t[n - 1]
  }' "$out/memory.csv" >"$out/plot.args"
eval convert -size 900x420 xc:white $(cat "$out/plot.args") "$out/memory.png" || echo "soak: the plot could not be drawn"
rm "$out/plot.args"
echo "$out/memory.png"
exit "$status"
