#!/usr/bin/env bash
# Builds the Windows packages of Tervanix into OUTDIR:
#   tervanix-<version>-x64.msi, tervanix-<version>-x86.msi   (installers, wixl)
#   tervanix-<version>-x64.zip, tervanix-<version>-x86.zip   (the same files, unpacked anywhere)
# Each bitness is cross-built with Debian's mingw-w64 (posix threads): the C interface
# (tervanix_c.dll, its import library, tervanix_c.h), the C++ static library with its
# headers, CMake package and pkg-config files (cmake --install into a staging tree), and,
# when the sources have the Windows component (com/ with TERVANIX_BUILD_COM),
# tervanix_com.dll with its registry entries. The docs and the licence go to
# share/doc/Tervanix. The version is the project's (scripts/project-version.sh).
#
# Usage: scripts/windows-package.sh [--as-version X.Y.Z] [--build-dir DIR] OUTDIR
#   --as-version  builds everything as if the project's version were X.Y.Z (the DLLs'
#                 version resources, <Tervanix/Version.h>, the CMake package, the
#                 installers): CI's copy of an earlier version to upgrade from.
#   --build-dir   where the builds go (default OUTDIR/build); reused when it exists.
# Environment: TERVANIX_COM_DLL_x64, TERVANIX_COM_DLL_x86: a tervanix_com.dll built
# elsewhere, packaged in place of this tree's (for a tree without com/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/project-version.sh"

as_version=""
build=""
while [ $# -gt 1 ]; do
  case "$1" in
    --as-version) as_version=$2; shift 2 ;;
    --build-dir) build=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -eq 1 ] || { sed -n '2,/^set -e/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2; }
out=$(realpath -m "$1")
build=$(realpath -m "${build:-$out/build}")

version=${as_version:-$(project_version "$root")}
[[ $version =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)$ ]] || { echo "not a version x.y.z: $version" >&2; exit 2; }
# Windows Installer compares the first three fields: at most 255.255.65535.
if [ "${BASH_REMATCH[1]}" -gt 255 ] || [ "${BASH_REMATCH[2]}" -gt 255 ] || [ "${BASH_REMATCH[3]}" -gt 65535 ]; then
  echo "version $version is beyond what Windows Installer compares (255.255.65535)" >&2
  exit 2
fi
mkdir -p "$out" "$build"
for tool in wixl msibuild msiinfo zip python3 x86_64-w64-mingw32-g++-posix i686-w64-mingw32-g++-posix; do
  command -v "$tool" >/dev/null || { echo "missing $tool: bash scripts/setup.sh windows" >&2; exit 1; }
done

# With --as-version, a file included right after project() sets the version variables.
version_override=""
if [ -n "$as_version" ]; then
  version_override=$build/as-version.cmake
  IFS=. read -r major minor patch <<<"$as_version"
  cat >"$version_override" <<EOF
# Written by scripts/windows-package.sh --as-version $as_version
foreach(prefix PROJECT Tervanix CMAKE_PROJECT)
  set(\${prefix}_VERSION $as_version)
  set(\${prefix}_VERSION_MAJOR $major)
  set(\${prefix}_VERSION_MINOR $minor)
  set(\${prefix}_VERSION_PATCH $patch)
endforeach()
EOF
fi

# The Windows component: the one place that decides whether it is packaged and where its
# DLL comes from. With com/ in the sources, CMake builds it (TERVANIX_BUILD_COM);
# TERVANIX_COM_DLL_<arch> names a DLL built elsewhere.
com_in_tree() { [ -f "$root/com/CMakeLists.txt" ]; }
com_dll() {  # arch, build dir: prints the component's DLL, or nothing
  local arch=$1 dir=$2 given
  given=$(printenv "TERVANIX_COM_DLL_$arch" || true)
  if [ -n "$given" ]; then
    echo "$given"
  elif com_in_tree; then
    find "$dir" -name tervanix_com.dll -not -path "*/stage/*" | head -1
  fi
}

upgrade_code() {  # fixed once per bitness: never change them
  case "$1" in
    x64) echo "{95AC6BB5-AC17-4CAA-8D6C-84527CE583D5}" ;;
    x86) echo "{9F907E8E-EBE8-4F6C-9D1F-78ED283D5516}" ;;
  esac
}

package() {  # arch, toolchain
  local arch=$1 toolchain=$root/cmake/toolchains/$2.cmake
  local dir=$build/$arch stage=$build/$arch/stage com=""
  echo "windows-package: $arch, version $version"
  local cmake_args=(-S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
                    -DTERVANIX_BUILD_C=ON -DTERVANIX_BUILD_TESTS=OFF -DTERVANIX_BUILD_EXAMPLES=OFF -DTERVANIX_INSTALL=ON)
  if [ -n "$version_override" ]; then
    cmake_args+=(-DCMAKE_PROJECT_Tervanix_INCLUDE="$version_override")
  else
    cmake_args+=(-UCMAKE_PROJECT_Tervanix_INCLUDE)
  fi
  com_in_tree && cmake_args+=(-DTERVANIX_BUILD_COM=ON)
  cmake "${cmake_args[@]}" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log" >&2; return 1; }
  # What is packaged, and nothing else (not the component's test client, which
  # scripts/ci/com.sh builds).
  local targets=(--target Tervanix tervanix_c)
  com_in_tree && targets+=(tervanix_com)
  if ! cmake --build "$dir" -j "${TERVANIX_JOBS:-2}" "${targets[@]}" >"$dir.build.log" 2>&1; then
    tail -50 "$dir.build.log" >&2
    return 1
  fi
  rm -rf "$stage"
  cmake --install "$dir" --prefix "$stage" >/dev/null
  # The docs beside the licence, with the relative links of README.md intact.
  local docdir=$stage/share/doc/Tervanix
  mkdir -p "$docdir"
  cp "$root/README.md" "$root/CHANGELOG.md" "$docdir/"
  cp -r "$root/docs" "$docdir/docs"
  com=$(com_dll "$arch" "$dir")
  if [ -n "$com" ]; then
    install -m 644 "$com" "$stage/bin/tervanix_com.dll"
  fi

  local name=tervanix-$version-$arch wxs=$build/$arch/wxs
  rm -rf "$wxs" && mkdir -p "$wxs"
  local uc win64 defines
  uc=$(upgrade_code "$arch")
  win64=$([ "$arch" = x64 ] && echo yes || echo no)
  python3 "$root/packaging/windows/fragments.py" files "$stage" "$arch" "$uc" "$wxs/files.wxs"
  defines=(-D Version="$version" -D Arch="$arch" -D Win64="$win64" -D UpgradeCode="$uc"
           -D ProductCode="$(python3 "$root/packaging/windows/fragments.py" guid "$uc" "product $version")"
           -D RecordGuid="$(python3 "$root/packaging/windows/fragments.py" guid "$uc" "install record")")
  if [ "$arch" = x64 ]; then
    defines+=(-D Bitness=64-bit -D UserDirName=Tervanix -D ProgramFilesFolder=ProgramFiles64Folder)
  else
    defines+=(-D Bitness=32-bit -D "UserDirName=Tervanix (x86)" -D ProgramFilesFolder=ProgramFilesFolder)
  fi
  local sources=("$root/packaging/windows/Tervanix.wxs" "$wxs/files.wxs")
  if [ -f "$stage/bin/tervanix_com.dll" ]; then
    local interfaces=$root/com/interfaces.tsv
    [ -f "$interfaces" ] || interfaces=-
    python3 "$root/packaging/windows/fragments.py" com "$root/com/classes.tsv" "$interfaces" \
      bin/tervanix_com.dll "$arch" "$uc" "$wxs/com.wxs"
    defines+=(-D Component=1)
    sources+=("$wxs/com.wxs")
  fi
  local msi=$out/$name.msi
  rm -f "$msi"
  (cd "$stage" && wixl -a "$arch" "${defines[@]}" -o "$msi" "${sources[@]}")
  # wixl writes HKMU as root 4 (Windows Installer's is -1) and marks every custom
  # action deferred (2048 + 51): both corrected here, and checked.
  msibuild "$msi" -q "UPDATE \`Registry\` SET \`Root\` = -1 WHERE \`Root\` = 4" \
                  -q "UPDATE \`CustomAction\` SET \`Type\` = 51 WHERE \`Type\` = 2099"
  if msiinfo export "$msi" Registry | tail -n +4 | cut -f2 | grep -qvx -- -1 ||
     msiinfo export "$msi" CustomAction | tail -n +4 | cut -f2 | grep -qvx 51; then
    echo "windows-package: $msi: a registry root or custom action type left unfixed" >&2
    return 1
  fi

  local zip=$out/$name.zip
  rm -rf "$build/$arch/zip" "$zip"
  mkdir -p "$build/$arch/zip"
  cp -r "$stage" "$build/$arch/zip/$name"
  (cd "$build/$arch/zip" && zip -qrX "$zip" "$name")
  echo "windows-package: $msi ($(stat -c %s "$msi") bytes), $zip ($(stat -c %s "$zip") bytes)$([ -n "$com" ] && echo ", with tervanix_com.dll")"
}

package x64 mingw-w64-x86_64
package x86 mingw-w64-i686
