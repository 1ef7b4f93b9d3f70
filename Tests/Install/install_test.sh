#!/usr/bin/env bash
# Installs the build into a temporary root and starts the installed launcher
# headless: caches must land in the user's folder only, be reused on the next
# start, survive nothing stale after a data change, and the user's settings
# must survive a reinstall. Needs a display (the suite runs under Xvfb).
set -euo pipefail
build=$(readlink -f "$1")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
export XDG_DATA_HOME=$tmp/xdg
user=$XDG_DATA_HOME/mirage

fail() { echo "FAIL: $*"; exit 1; }
install_game() { DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null; }
start_game() { # runs the launcher until its first level is built; it must still be running then
  # Emptied before the fork: the child redirects only once it runs, and until
  # then the last start's lines would end the wait below.
  : >"$tmp/out"
  : >"$tmp/err"
  "$root/usr/games/mirage" >"$tmp/out" 2>"$tmp/err" &
  local pid=$! waited=0
  # Wait for the first level (its launchers' balls report their framebuffers)
  # rather than a fixed time: a loaded machine can take longer than a few
  # seconds to parse every mesh.
  until grep -q "^GL_FRAMEBUFFER_COMPLETE$" "$tmp/out"; do
    kill -0 "$pid" 2>/dev/null || { cat "$tmp/out" "$tmp/err"; fail "game ended by itself"; }
    [ "$waited" -lt 600 ] || { kill "$pid"; cat "$tmp/out" "$tmp/err"; fail "world not loaded after 60 s"; }
    sleep 0.1
    waited=$((waited + 1))
  done
  sleep 1
  kill -0 "$pid" 2>/dev/null || { cat "$tmp/out" "$tmp/err"; fail "game ended after loading"; }
  kill -TERM "$pid"
  wait "$pid" || true
}

install_game
# --version is answered without a display and before the player's folder exists.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$(timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/games/mirage" --version)" = "mirage $version" ] || fail "--version"
[ ! -e "$user" ] || fail "--version touched the player's folder"
start_game
grep -q "^Loading StaticModel Resources/Block/Block.obj$" "$tmp/out" || fail "first start did not parse the meshes"
[ -f "$user/Resources/Block/Block.obj.bin" ] || fail "no cache in the user folder"
[ -z "$(find "$root" -name '*.bin')" ] || fail "caches written into the install tree"
[ -f "$user/Config.cfg" ] || fail "no user Config.cfg"

start_game
grep -q "^Loading Resources/Block/Block.obj.bin$" "$tmp/out" || fail "second start did not read the cache"
if grep -q "^Loading StaticModel " "$tmp/out"; then fail "second start parsed a mesh again"; fi

# The user's edited settings survive a reinstall.
echo "StartLevel=3" >"$user/Config.cfg"
install_game
start_game
[ "$(cat "$user/Config.cfg")" = "StartLevel=3" ] || fail "reinstall overwrote the user's Config.cfg"

# Changed installed data drops the old caches.
echo "changed" >"$root/usr/share/games/mirage/data-stamp"
touch "$user/Resources/Block/Block.obj.bin.marker"
start_game
[ ! -e "$user/Resources/Block/Block.obj.bin.marker" ] || fail "stale user tree kept after a data change"
grep -q "^Loading StaticModel Resources/Block/Block.obj$" "$tmp/out" || fail "stale cache used after a data change"
echo "install test passed"
