# Shared by scripts/run and scripts/test: installs what is missing and builds.
# Sourced, not run.

PLAVET_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian packages the build and the tests need.
PLAVET_PACKAGES=(
  g++ cmake make            # compiler and build
  qt6-base-dev              # Qt 6 Widgets and Qt Test
  libgtest-dev              # GoogleTest for the core
  fonts-liberation2         # a sans serif with the widths the window was drawn for
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
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

# Configures (once) and builds into the given folder; extra arguments go to cmake.
build_into() {
  local dir="$1"
  shift
  cmake -S "$PLAVET_ROOT" -B "$dir" -DPLAVET_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}
