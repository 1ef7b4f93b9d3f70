#!/usr/bin/env bash
# Builds the Debian package from the Release tree, checks its contents and
# dependencies, installs it with apt-get (needs root) and starts the installed
# game headless once.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$(bash scripts/build.sh | tail -n 1)
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/mirage_*.deb | head -n 1)
echo "package: $deb"

fail() { echo "FAIL: $*"; exit 1; }
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/mirage ./usr/libexec/mirage/mirage ./usr/share/mirage/Config.cfg \
         ./usr/share/mirage/data-stamp ./usr/share/mirage/Resources/Block/Block.obj \
         ./usr/share/applications/mirage.desktop ./usr/share/icons/hicolor/128x128/apps/mirage.png; do
  grep -q " $f\$" <<<"$contents" || fail "$f missing from the package"
done
if grep -q '\.bin$' <<<"$contents"; then fail "mesh caches packaged"; fi
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6opengl6 libqt6widgets6 libglew2.2 libdevil1c2 libboost-filesystem1.74.0 libglu1-mesa libopenal1 libsndfile1; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib"
done

[ "$(id -u)" -eq 0 ] || { echo "not root: install step skipped"; exit 0; }
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "$(readlink -f "$deb")" >/dev/null
home=$(mktemp -d)
status=0
HOME=$home XDG_DATA_HOME= bash scripts/xvfb.sh timeout -s TERM 8 mirage >"$home/out" 2>&1 || status=$?
apt-get remove -y -q mirage >/dev/null
[ "$status" -eq 124 ] || { cat "$home/out"; fail "installed game ended by itself (status $status)"; }
grep -q "^Model Resources/Paddle/Paddle.obj successfully loaded!$" "$home/out" || { cat "$home/out"; fail "installed game did not load its meshes"; }
rm -rf "$home"
echo "package check passed"
