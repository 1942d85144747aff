#!/usr/bin/env bash
# Installs, from Debian packages, whatever the build needs and the machine lacks.
# Usage: scripts/setup.sh [example|tests|bench|fuzz]   (default: tests)
set -euo pipefail

need=(cmake ninja-build g++)
case "${1:-tests}" in
  example) ;;
  tests) need+=(clang libclang-rt-dev libgtest-dev) ;;  # the runtime: sanitizers and libFuzzer
  bench) need+=(libbenchmark-dev libeigen3-dev) ;;
  fuzz) need+=(clang libclang-rt-dev llvm) ;;           # llvm: llvm-profdata and llvm-cov
  *) echo "usage: $0 [example|tests|bench|fuzz]" >&2; exit 2 ;;
esac

missing=()
for pkg in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
