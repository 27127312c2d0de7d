# Shared by scripts/run and scripts/test: installs what is missing and builds.
# Sourced, not run.

PLAVET_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian packages the build and the tests need.
PLAVET_PACKAGES=(
  g++ cmake make            # compiler and build
  qt6-base-dev              # Qt 6 Widgets and Qt Test
  libgtest-dev              # GoogleTest for the core
  nlohmann-json3-dev        # JSON parser of the file reader, header-only and free of Qt,
                            # so that the web page's WebAssembly reads .plavet files too
  fonts-liberation2         # a sans serif with the widths the window was drawn for
  libqt6svg6                # draws the program's SVG icon on its windows
  desktop-file-utils        # desktop-file-validate, update-desktop-database: the tests
                            # check the menu entry and that it opens .plavet files
  shared-mime-info          # update-mime-database: the tests check the .plavet file type
  libglib2.0-bin            # gio: what a file manager makes of a .plavet file
  appstream                 # appstreamcli: the tests check the metainfo
  dpkg-dev file             # cpack's .deb: file finds the binary, dpkg-shlibdeps its libraries
)

# The web page: emscripten compiles the core to WebAssembly (with the file
# reader's nlohmann-json), rsvg-convert draws the program's icon for
# installing the page; the page's tests run in node (with npm's
# playwright-core) and Debian's headless Chromium.
PLAVET_WEB_PACKAGES=(emscripten nlohmann-json3-dev librsvg2-bin)
PLAVET_WEB_TEST_PACKAGES=(chromium)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "Installing packages needs root: run this script as root, or install sudo." >&2
    return 1
  fi
}

# Installs the named packages that are not installed yet; does nothing (and
# asks for nothing) when all are there.
ensure_packages() {
  local missing=()
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

# Configures (once) and builds into the given folder; extra arguments go to
# cmake. PLAVET_TARGET, when set, builds that target alone.
build_into() {
  local dir="$1"
  shift
  cmake -S "$PLAVET_ROOT" -B "$dir" -DPLAVET_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)" ${PLAVET_TARGET:+--target "$PLAVET_TARGET"}
}

# Builds the web page into build-web/plavet/ with emscripten.
build_web() {
  local dir="$PLAVET_ROOT/build-web"
  # emscripten's tools look for Debian's node modules, which another node
  # (as from nodesource) does not search by itself.
  export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
  emcmake cmake -S "$PLAVET_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=MinSizeRel -DPLAVET_WERROR=ON \
    -DPLAVET_BUILD_APP=OFF -DPLAVET_BUILD_TESTS=OFF >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}

# node and npm, then the npm packages of web/package-lock.json, reinstalled
# only when the lock file is newer than what is installed.
ensure_web_test_modules() {
  command -v node >/dev/null && command -v npm >/dev/null || ensure_packages nodejs npm
  local web="$PLAVET_ROOT/web"
  if [ ! -e "$web/node_modules/.package-lock.json" ] ||
    [ "$web/package-lock.json" -nt "$web/node_modules/.package-lock.json" ]; then
    npm ci --prefix "$web" --no-audit --no-fund --loglevel=error
  fi
}
