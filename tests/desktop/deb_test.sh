#!/bin/sh
# Packs the build as a .deb and checks its contents, its dependencies and
# that the packed (stripped) binary starts.
# Usage: deb_test.sh BUILD_DIR DESKTOP_ID VERSION
set -eu
build=$1 id=$2 version=$3

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$out/cpack.log")"
deb=$(ls "$out"/plavet_"$version"_*.deb 2>/dev/null) || fail "no plavet_${version}_*.deb in $(ls "$out")"

files=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
for f in ./usr/bin/plavet \
  "./usr/share/applications/$id.desktop" \
  "./usr/share/metainfo/$id.metainfo.xml" \
  "./usr/share/icons/hicolor/scalable/apps/$id.svg" \
  "./usr/share/mime/packages/$id.xml"; do
  echo "$files" | grep -qx "$f" || fail "the package lacks $f"
done

depends=$(dpkg-deb --field "$deb" Depends)
for d in libqt6widgets6 libc6 qt6-qpa-plugins libqt6svg6 fonts-liberation2; do
  echo "$depends" | grep -q "\b$d\b" || fail "Depends lacks $d: $depends"
done

# Unpacked, the binary finds its libraries and keeps running with its window
# open until it is stopped.
dpkg-deb --extract "$deb" "$out/root"
missing=$(ldd "$out/root/usr/bin/plavet" | grep 'not found' || true)
[ -z "$missing" ] || fail "unresolved libraries: $missing"
rc=0
QT_QPA_PLATFORM=offscreen timeout 3 "$out/root/usr/bin/plavet" || rc=$?
[ "$rc" -eq 124 ] || fail "the packed plavet ended by itself with status $rc"
echo "packed: $(basename "$deb")"
