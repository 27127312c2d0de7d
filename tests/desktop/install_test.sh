#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop needs to
# list the program: the binary, a menu entry, an icon and the metainfo, each
# valid and all naming one another.
# Usage: install_test.sh BUILD_DIR DESKTOP_ID VERSION
set -eu
build=$1 id=$2 version=$3

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[ -x "$prefix/bin/plavet" ] || fail "bin/plavet is not installed"
[ -f "$desktop" ] || fail "no menu entry $desktop"
[ -f "$metainfo" ] || fail "no metainfo $metainfo"

# The validators print hints and warnings without failing; we take none.
report=$(desktop-file-validate "$desktop" 2>&1) || fail "$report"
[ -z "$report" ] || fail "$report"
appstreamcli validate --no-net --strict "$metainfo" || fail "metainfo is not valid"
appstreamcli validate-tree --no-net --strict "$prefix" || fail "the installed tree is not valid"

# The menu entry starts the installed binary and shows the installed icon.
key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Exec)" = plavet ] || fail "Exec= is '$(key Exec)', not plavet"
[ "$(key Icon)" = "$id" ] || fail "Icon= is '$(key Icon)', not $id"
[ -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no icon named $id"
# Qt names the window class after the application name, PlavetProgram.
[ "$(key StartupWMClass)" = PlavetProgram ] || fail "StartupWMClass= does not match the window"

# The metainfo describes this program at this version.
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "metainfo does not launch $id.desktop"
grep -q "<binary>plavet</binary>" "$metainfo" || fail "metainfo does not provide plavet"
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$newest" = "$version" ] || fail "newest release in metainfo is $newest, the project is $version"
echo "installed and valid: $id $version"
