#!/usr/bin/env bash
# Installs, from Debian packages, whatever the build needs and the machine lacks.
# Usage: scripts/setup.sh [example|quick|tests|bench|c|python|fuzz|windows]   (default: tests)
# quick: what scripts/run-tests.sh --quick needs (GoogleTest; python3 and mkdocs for the docs;
# pytest and llvm-cxxfilt for the tests of the project's tools, scripts/ci/tools.sh).
# python: the Python package's build, wheel, tests and stub check, for Debian's /usr/bin/python3.
set -euo pipefail

need=(cmake ninja-build g++)
case "${1:-tests}" in
  example) ;;
  quick) need+=(libgtest-dev googletest pkgconf binutils python3 mkdocs python3-pytest llvm) ;;
  # clang's sanitizer and libFuzzer runtime is only a recommendation of clang; the package checks
  # need pkg-config and binutils (nm); python3 runs the docs check and mkdocs builds the docs site;
  # MPFR is the reference of the rounding check, and mpmath computes the sine and cosine tables it
  # checks. The cross targets:
  # Windows x64 (mingw-w64's g++ with posix threads, run under wine) and Linux aarch64 (run under
  # qemu); googletest is the source that each cross compiler builds its GoogleTest from. The
  # Windows component (com/) is also built for x86 (i686) and its type library compiled by
  # widl (mingw-w64-tools); the 32-bit cscript and regsvr32 run under wine32 (i386), and,
  # on a kernel that runs no 32-bit programs, under qemu-user's qemu-i386, 8.0 or later
  # (scripts/enable-32-bit.sh), from bookworm-backports.
  tests) need+=(clang libclang-rt-14-dev libgtest-dev googletest pkgconf binutils python3 mkdocs python3-pytest llvm python3-mpmath libmpfr-dev
                g++-mingw-w64-x86-64-posix wine64 wine g++-aarch64-linux-gnu libc6-dev-arm64-cross qemu-user
                g++-mingw-w64-i686-posix mingw-w64-tools wine32:i386) ;;
  bench) need+=(libbenchmark-dev libeigen3-dev libgsl-dev pkgconf) ;;
  c) need+=(clang libclang-rt-14-dev mono-mcs pkgconf) ;;  # the C interface: sanitizers, a C# host, the .pc file
  python) need+=(python3-dev python3-venv python3-pip python3-setuptools pybind11-dev python3-pybind11
                 python3-numpy python3-scipy python3-pytest python3-dask python3-matplotlib
                 python3-wheel mypy) ;;  # python3-wheel: pip wheel; mypy: the stubs' check
  fuzz) need+=(clang libclang-rt-14-dev llvm) ;;  # llvm: llvm-profdata and llvm-cov
  # The Windows packages: mingw-w64 for both bitnesses (windres comes with it), wixl and
  # msitools (msibuild, msiinfo) for the installers, zip; wine runs them in CI, wine32 (an
  # i386 package) the 32-bit programs, through qemu-user's qemu-i386 (8.0 or later, from
  # bookworm-backports) where the kernel runs none (scripts/enable-32-bit.sh); pkg-config
  # reads the installed .pc files.
  windows) need+=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools wixl msitools zip unzip
                  python3 pkgconf wine64 wine wine32:i386 qemu-user) ;;
  *) echo "usage: $0 [example|quick|tests|bench|c|python|fuzz|windows]" >&2; exit 2 ;;
esac

missing=()
for pkg in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
# bookworm's qemu-user (7.2) spends some 50 s starting each 32-bit wine program
# (scripts/enable-32-bit.sh says why); bookworm-backports has one that takes a second.
backports=no
if [[ " ${need[*]} " == *" qemu-user "* ]] &&
   ! dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null || echo 0)" ge 1:8; then
  backports=yes
  kept=()
  for pkg in "${missing[@]}"; do [ "$pkg" = qemu-user ] || kept+=("$pkg"); done
  missing=("${kept[@]}" qemu-user/bookworm-backports)
fi
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# wine32:i386 comes from the i386 architecture, added once.
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
if [ $backports = yes ] && ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d; then
  echo 'deb http://deb.debian.org/debian bookworm-backports main' |
    $sudo tee /etc/apt/sources.list.d/bookworm-backports.list >/dev/null
fi
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
