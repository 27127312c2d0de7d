#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop needs to
# list the program: the binary, a menu entry, an icon, the metainfo and the
# file type of plavets, each valid and all naming one another; and that a
# .plavet file there opens with the program.
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
mime=$prefix/share/mime/packages/$id.xml
[ -f "$mime" ] || fail "no file type $mime"

# The validators print hints and warnings without failing; we take none.
report=$(desktop-file-validate "$desktop" 2>&1) || fail "$report"
[ -z "$report" ] || fail "$report"
appstreamcli validate --no-net --strict "$metainfo" || fail "metainfo is not valid"
appstreamcli validate-tree --no-net --strict "$prefix" || fail "the installed tree is not valid"

# The menu entry starts the installed binary and shows the installed icon.
key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Exec)" = "plavet %f" ] || fail "Exec= is '$(key Exec)', not 'plavet %f'"
[ "$(key Icon)" = "$id" ] || fail "Icon= is '$(key Icon)', not $id"
[ -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no icon named $id"
# Qt names the window class after the application name, PlavetProgram.
[ "$(key StartupWMClass)" = PlavetProgram ] || fail "StartupWMClass= does not match the window"

# The metainfo describes this program at this version.
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "metainfo does not launch $id.desktop"
grep -q "<binary>plavet</binary>" "$metainfo" || fail "metainfo does not provide plavet"
grep -q "<mediatype>application/x-plavet</mediatype>" "$metainfo" ||
  fail "metainfo does not provide application/x-plavet"
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$newest" = "$version" ] || fail "newest release in metainfo is $newest, the project is $version"

# A file manager asks the MIME database what a file is, and the menu entries
# which program opens that type: both as after a package's install, with
# the scratch prefix as the only home of user data and settings, and its
# bin/ on PATH (a desktop hides an entry whose program it cannot find).
update-mime-database "$prefix/share/mime" || fail "update-mime-database failed"
update-desktop-database "$prefix/share/applications" || fail "update-desktop-database failed"
grep -qx "application/x-plavet application/json" "$prefix/share/mime/subclasses" ||
  fail "application/x-plavet is not a sub-class of application/json"
mkdir -p "$prefix/home/share" "$prefix/home/config"
printf '{\n  "format": "plavet"\n}\n' >"$prefix/home/Dwarf druid.plavet"
desktop_env() {
  env PATH="$prefix/bin:$PATH" GIO_USE_VFS=local XDG_DATA_DIRS="$prefix/share:/usr/share" \
    XDG_DATA_HOME="$prefix/home/share" XDG_CONFIG_HOME="$prefix/home/config" "$@"
}
type=$(desktop_env gio info -a standard::content-type "$prefix/home/Dwarf druid.plavet" |
  sed -n 's/^ *standard::content-type: //p')
[ "$type" = application/x-plavet ] || fail "a .plavet file is of type '$type'"
desktop_env gio mime application/x-plavet | grep -q "^Default application.*: $id.desktop$" ||
  fail "application/x-plavet does not open with $id: $(desktop_env gio mime application/x-plavet)"
echo "installed and valid: $id $version"
