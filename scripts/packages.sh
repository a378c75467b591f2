# shellcheck shell=bash disable=SC2034
# The Debian packages the build needs, written once: the demo's, and the
# tests' on top. Sourced by scripts/demo, scripts/test and .ci/run.

demo_packages=(cmake make g++ pkg-config libfreetype-dev fonts-dejavu-core libcairo2-dev
               libfontconfig-dev libedit-dev)
test_packages=("${demo_packages[@]}" libgtest-dev libgmock-dev)

# install_missing PACKAGE...: installs those not installed yet, saying which,
# as root or through sudo. Where there is no apt (not Debian or Ubuntu), or
# no way to become root, it names the packages and fails.
install_missing() {
  local missing=() package
  if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
    echo "This is no Debian or Ubuntu system, so nothing is installed here. The build needs" >&2
    echo "CMake 3.25, make, a C++20 compiler and pkg-config, and these Debian packages' libraries:" >&2
    echo "  $*" >&2
    echo "Install their counterparts, then run: cmake --workflow --preset default (or demo)." >&2
    return 1
  fi
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  ((${#missing[@]} == 0)) && return 0

  local as_root=()
  if ((EUID != 0)); then
    if ! command -v sudo >/dev/null; then
      echo "Missing packages: ${missing[*]}" >&2
      echo "Install them as root (apt-get install ${missing[*]}) and run this again." >&2
      return 1
    fi
    as_root=(sudo)
  fi
  echo "Installing the packages the build needs: ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
