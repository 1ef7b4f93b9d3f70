# Verdict of a soak from its memory samples (tick,rss_kib,level), used by
# scripts/soak.sh: awk -F, -v warmup=3000 -v limit=3 -v balls=N -f soak-verdict.awk memory.csv
# Growth is the least-squares trend of the samples after the warm-up, over
# their span, against the sample that ends it. Not the peak: levels hold
# different numbers of balls (each with its 512 x 512 cube map) and bursts, so
# memory rises and falls with the level being played; a leak shows as a trend.
# Exits 1 when the growth is over the limit (per cent).
BEGIN { n = 0 }
NR == 1 { next }
$1 == warmup { base = $2 }
$1 > warmup { x[n] = $1; y[n] = $2; n++; if ($2 > peak) peak = $2 }
{ level = $3 }
END {
  for (i = 0; i < n; i++) { sx += x[i]; sy += y[i] }
  for (i = 0; i < n; i++) { sxy += (x[i] - sx / n) * (y[i] - sy / n); sxx += (x[i] - sx / n) ^ 2 }
  growth = sxx > 0 ? sxy / sxx * (x[n - 1] - x[0]) * 100 / base : 0
  printf "soak: %d ticks, %d balls built, last level %d; resident MiB: %.1f after the warm-up, peak %.1f and end %.1f after it; trend growth %.2f %% (limit %d %%)\n", \
    x[n - 1], balls, level, base / 1024, peak / 1024, y[n - 1] / 1024, growth, limit
  exit growth > limit
}
