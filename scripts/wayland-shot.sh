#!/usr/bin/env bash
# Starts the game on a Wayland session (weston's headless compositor with
# XWayland), lets it draw for a few seconds without input and saves its window.
# The game itself chooses X11 through XWayland there.
#   scripts/wayland-shot.sh [OUT.png]     default build/wayland.png
# Installs weston and xwayland where missing (as root). No mouse input is sent: the headless
# compositor has no pointer, and this XWayland ends on a pointer warp then.
set -euo pipefail
cd "$(dirname "$0")/.."

for p in weston xwayland; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$p" >/dev/null
done
shot=$(realpath -m "${1:-build/wayland.png}")
dir=$(realpath build/release)
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=mirage-shot
unset QT_QPA_PLATFORM DISPLAY
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --xwayland --socket="$WAYLAND_DISPLAY" --width=1024 --height=768 \
  >"$work/weston.log" 2>&1 &
compositor=$!
trap 'kill $compositor 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do
  DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")
  [ -n "$DISPLAY" ] && break
  sleep 0.2
done
[ -n "$DISPLAY" ] || { echo "weston did not start XWayland"; cat "$work/weston.log"; exit 1; }
export DISPLAY

cp Config.cfg "$work/"
ln -s "$PWD/Resources" "$work/Resources"
(cd "$work" && timeout 40 "$dir/mirage" >"$work/stdout" 2>&1) &
game=$!
window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --class mirage 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "no game window"; cat "$work/stdout"; exit 1; }
sleep 5 # a few hundred ticks
mkdir -p "$(dirname "$shot")"
import -window "$window" "$shot"
kill $game 2>/dev/null || true
echo "Wayland session: platform xcb (XWayland), window saved to $shot"
