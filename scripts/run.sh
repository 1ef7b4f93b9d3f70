#!/usr/bin/env bash
# Installs what is missing, builds and starts the game from the repository root.
# Without a display it plays a short demo under Xvfb and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
dir=$(bash scripts/build.sh | tail -n 1)

if [ -n "${DISPLAY:-}" ]; then
  exec "$dir/mirage" "$@"
fi

shot=${MIRAGE_SCREENSHOT:-docs/headless-run.png}
mkdir -p "$(dirname "$shot")"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1/mirage" & pid=$!
  sleep 6
  import -window root "$2"
  kill $pid; wait $pid 2>/dev/null || true
' _ "$dir" "$shot"
echo "Screenshot saved to $shot"
