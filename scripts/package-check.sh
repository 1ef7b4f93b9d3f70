#!/usr/bin/env bash
# Builds the Debian package from the Release tree, checks its contents and
# dependencies, runs Debian's own checkers on it (lintian; the AppStream
# metainfo, the desktop entry and the manual page as installed), installs it
# with apt-get (needs root), asks the installed command for its version and
# manual page and starts the installed game headless once.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$(bash scripts/build.sh | tail -n 1)
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/mirage_*.deb | head -n 1)
echo "package: $deb"
id=org.example.mirage
man_page=usr/share/man/man6/mirage.6.gz

fail() { echo "FAIL: $*"; exit 1; }
contents=$(dpkg-deb -c "$deb")
for f in usr/games/mirage usr/libexec/mirage/mirage usr/share/games/mirage/Config.cfg \
         usr/share/games/mirage/data-stamp usr/share/games/mirage/Resources/Block/Block.obj \
         usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/$id.png \
         $man_page usr/share/doc/mirage/copyright usr/share/doc/mirage/changelog.gz; do
  grep -q " \./$f\$" <<<"$contents" || fail "$f missing from the package"
done
if grep -q '\.bin$' <<<"$contents"; then fail "mesh caches packaged"; fi
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6opengl6 libqt6widgets6 libglew2.2 libdevil1c2 libboost-filesystem1.74.0 libglu1-mesa libopenal1 libsndfile1; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib"
done

# Debian's checkers. Info and pedantic tags are shown; an error or warning fails.
lintian --display-info --pedantic --fail-on error,warning "$deb" || fail "lintian"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
# The whole tree, so the metainfo is also checked against the desktop entry it names.
appstreamcli validate-tree --no-net --strict --pedantic "$tree" || fail "metainfo"
report=$(desktop-file-validate "$tree/usr/share/applications/$id.desktop" 2>&1) || true
[ -z "$report" ] || { echo "$report"; fail "desktop entry"; }
report=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$tree/$man_page" 2>&1 >/dev/null) || true
[ -z "$report" ] || { echo "$report"; fail "manual page"; }

[ "$(id -u)" -eq 0 ] || { echo "not root: install step skipped"; exit 0; }
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "$(readlink -f "$deb")" >/dev/null
home=$(mktemp -d)
trap 'rm -rf "$tree" "$home"; apt-get remove -y -q mirage >/dev/null' EXIT
# root's PATH lacks /usr/games, so the command is named in full.
[ "$(HOME=$home XDG_DATA_HOME= /usr/games/mirage --version)" = "mirage $(dpkg-deb -f "$deb" Version)" ] || fail "mirage --version"
[ -z "$(ls -A "$home")" ] || fail "mirage --version wrote into the home folder"
# An image may keep manual pages off the disk (dpkg path-exclude); then the
# page was checked in the package above and man cannot be asked.
if [ -f "/$man_page" ]; then
  [ "$(man -w 6 mirage)" = "/$man_page" ] || fail "man 6 mirage does not find the page"
else
  echo "manual pages are not installed on this system: man 6 mirage skipped"
fi
status=0
HOME=$home XDG_DATA_HOME= bash scripts/xvfb.sh timeout -s TERM 8 /usr/games/mirage >"$home/out" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$home/out"; fail "installed game ended by itself (status $status)"; }
grep -q "^Model Resources/Paddle/Paddle.obj successfully loaded!$" "$home/out" || { cat "$home/out"; fail "installed game did not load its meshes"; }
echo "package check passed"
