# shellcheck shell=bash disable=SC2034
# The Debian packages the build needs, written once: the demo's, the tests'
# on top, and what each further preset adds to the tests'. Sourced by
# scripts/demo, scripts/test and .ci/run.

demo_packages=(cmake make g++ pkg-config fonts-dejavu-core libcairo2-dev libpango1.0-dev
               libfontconfig-dev libedit-dev)
# The tests draw Japanese text, which WenQuanYi Micro Hei has.
test_packages=("${demo_packages[@]}" libgtest-dev libgmock-dev fonts-wqy-microhei)
# bench: Google Benchmark.
bench_packages=(libbenchmark-dev)
# fuzz: clang with its fuzzer runtime.
fuzz_packages=(clang libclang-rt-14-dev)
# msvc: clang and clang-cl (which Debian ships apart, in clang-tools), lld-link
# and LLVM's tools, wine's headers and DLLs, wine, GoogleTest's sources (built
# for Windows) and GNU's dlltool (check-sdk's test of a MinGW import library).
# Microsoft's STL is no package (see docs/windows.md).
msvc_packages=(clang-19 clang-tools-19 lld-19 llvm-19 libwine-dev wine googletest
               binutils-mingw-w64-x86-64)

# release: the clang-cl build of the players' archive alone (.ci/release-archive),
# its cross toolchain without wine or the tests.
release_packages=(cmake make python3 clang-19 clang-tools-19 lld-19 llvm-19 libwine-dev)

# ci: what .ci/run needs beyond the builds: debootstrap (fresh-root), capsh
# (the rehearsal), node and npm (the workflow checks), shellcheck, python3
# (the release archive) and git.
ci_packages=(debootstrap libcap2-bin nodejs npm shellcheck python3 git)

# provided PACKAGE: whether what the build uses of PACKAGE is there. For
# these, that is a program or a file, which may come from elsewhere than
# Debian's package (a clang++ of another version, wine from wine's own
# packages): asking dpkg would install a second one beside it.
provided() {
  case "$1" in
    clang) command -v clang++ ;;
    libclang-rt-14-dev)
      compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" ;;
    clang-19) command -v clang-19 ;;
    clang-tools-19) command -v clang-cl-19 ;;
    lld-19) command -v lld-link-19 ;;
    llvm-19) command -v llvm-dlltool-19 ;;
    libwine-dev) [[ -f /usr/include/wine/wine/msvcrt/corecrt.h ]] ;;
    wine) command -v wine ;;
    googletest) [[ -f /usr/src/googletest/CMakeLists.txt ]] ;;
    binutils-mingw-w64-x86-64) command -v x86_64-w64-mingw32-dlltool ;;
    nodejs) command -v node ;;
    libcap2-bin) command -v capsh ;;
    npm | shellcheck | python3 | git | debootstrap) command -v "$1" ;;
    *) dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed" ;;
  esac >/dev/null
}

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
    provided "$package" || missing+=("$package")
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
