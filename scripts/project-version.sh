#!/usr/bin/env bash
# Prints the project's version (x.y.z): the one number that the library, its packages
# and its installers carry. Sourced, it defines project_version [ROOT] for other scripts.
# Today the number is project(Tervanix VERSION x.y.z ...) in CMakeLists.txt; should it
# move, this function is the one place to change.
project_version() {
  local root=${1:-$(dirname "${BASH_SOURCE[0]}")/..} version
  version=$(sed -nE 's/^project\(Tervanix VERSION ([0-9]+\.[0-9]+\.[0-9]+)[ )].*/\1/p' "$root/CMakeLists.txt" | head -1)
  if [ -z "$version" ]; then
    echo "project_version: no project(Tervanix VERSION x.y.z) in $root/CMakeLists.txt" >&2
    return 1
  fi
  echo "$version"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  project_version "$@"
fi
