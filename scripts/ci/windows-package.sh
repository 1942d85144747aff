#!/usr/bin/env bash
# CI: the Windows installers. Builds both with scripts/windows-package.sh, and a copy of
# each stamped with an earlier version, then in a fresh wine prefix:
#   x64 for this user: installs the earlier copy, upgrades it in place, installs the
#     same version again and the earlier one over it; checks the files, the version
#     resource, the registry keys and the list of installed programs; builds the example
#     of docs/c.md against the installed C interface and a C++ program against the
#     installed C++ library with mingw-w64 (through the installed pkg-config files) and
#     runs them; uninstalls it and checks it is gone;
#   x86 for this user: the same (its programs run under the 32-bit wine loader: natively,
#     or under qemu-i386, scripts/enable-32-bit.sh);
#   x64 for all users (ALLUSERS=1) beside it, upgraded likewise: runs the VBScript check
#     against the installed component (64-bit cscript) when the packages have it;
#   the bad inputs: an install for this user over the copy for all users and one for
#     all users over this user's copy (each refused, the installed copy left working),
#     an uninstall while a program holds tervanix_c.dll;
#   uninstalls everything and checks that no file and no registry key of ours is left.
# Every wine step is guarded by its exit code and a line it must print or write.
# Prints "windows installers: N passed, M failed"; exits non-zero on a failure.
# Usage: scripts/ci/windows-package.sh [DIR]   (default build/windows-package)
set -uo pipefail
cd "$(dirname "$0")/../.."
bash scripts/setup.sh windows || exit 1
root=$PWD
source scripts/project-version.sh
dir=$(realpath -m "${1:-build/windows-package}")
mkdir -p "$dir"
start=$SECONDS

passed=0
failed=0
skipped=0
ok() { passed=$((passed + 1)); echo "ok: $*"; }
bad() { failed=$((failed + 1)); echo "FAILED: $*"; }
skip() { skipped=$((skipped + 1)); echo "SKIPPED: $*"; }
check() {  # description, command...: passes when the command succeeds
  local what=$1
  shift
  if "$@"; then ok "$what"; else bad "$what"; fi
}
finish() {
  echo "windows installers: $((SECONDS - start)) s in all, $skipped skipped"
  echo "windows installers: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

version=$(project_version "$root")
# The earlier version: one below in the last field that is not 0.
IFS=. read -r major minor patch <<<"$version"
if [ "$patch" -gt 0 ]; then earlier=$major.$minor.$((patch - 1))
elif [ "$minor" -gt 0 ]; then earlier=$major.$((minor - 1)).99
else earlier=$((major - 1)).99.99
fi

echo "=== windows installers: build $version, and $earlier to upgrade from"
build=$dir/build
if ! bash scripts/windows-package.sh --as-version "$earlier" --build-dir "$build" "$dir/earlier" ||
   ! bash scripts/windows-package.sh --build-dir "$build" "$dir/packages"; then
  bad "windows-package.sh"
  finish
fi
echo "windows installers: both versions built and packaged in $((SECONDS - start)) s"
for arch in x64 x86; do
  for v in "packages/tervanix-$version" "earlier/tervanix-$earlier"; do
    for ext in msi zip; do
      check "$v-$arch.$ext written" test -s "$dir/$v-$arch.$ext"
    done
  done
  check "$arch: the installer's version is $version" \
    test "$(msiinfo export "$dir/packages/tervanix-$version-$arch.msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductVersion" {print $2}')" = "$version"
done
# The Windows component, per bitness: in the packages when the build made it.
com_in=" "
for arch in x64 x86; do
  if unzip -l "$dir/packages/tervanix-$version-$arch.zip" "*/bin/tervanix_com.dll" >/dev/null 2>&1; then
    com_in="$com_in$arch "
  fi
  echo "windows installers: $arch: the Windows component is $([[ $com_in == *" $arch "* ]] || echo "not ")in the package"
done
has_com() { [[ $com_in == *" $1 "* ]]; }

# --- wine: a fresh prefix, quiet, without the Mono and Gecko dialogs --------------------
export WINEPREFIX=$dir/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine64=/usr/lib/wine/wine64
wine32=/usr/lib/wine/wine
# The 32-bit programs (the i686 example, the 32-bit script host), and the prefix's 32-bit
# half, need the 32-bit wine loader to run: natively, or under qemu-i386
# (scripts/enable-32-bit.sh). Where neither works, that fails and their runs are skipped.
runs32=yes
if ! bash scripts/enable-32-bit.sh; then runs32=no; bad "32-bit programs run (scripts/enable-32-bit.sh)"; fi
# A copy of the one prefix that CI boots (booting takes minutes with the 32-bit half).
cmake/toolchains/wine-prefix.sh "$WINEPREFIX"
# One wine server for the whole run (each program would otherwise start one), ended
# on the way out; ending it writes the registry files that the last check reads.
/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k 2>/dev/null' EXIT
if ! "$wine64" cmd /c echo prefix-ready 2>/dev/null | grep prefix-ready >/dev/null; then
  bad "a fresh wine prefix"
  finish
fi
ok "a fresh wine prefix"
[ $runs32 = yes ] && check "the 32-bit loader runs in the prefix" bash -c '"$1" cmd /c echo runs32 2>/dev/null | grep -q runs32' _ "$wine32"
# Everything in the prefix before the first install, to compare with what the last
# uninstall leaves.
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . -path ./windows/temp -prune -o -path "./users/*/Temp" -prune -o -print | sort)
}
snapshot >"$dir/files-before.txt"

logs=$dir/logs
rm -rf "$logs" && mkdir -p "$logs"
# msiexec under wine: expected Windows Installer code (0, 1603...), log name, arguments.
# The exit status is the code's low byte; a success must also be in the log.
msi() {
  local want=$1 log=$logs/$2.log rc=0
  shift 2
  "$wine64" msiexec "$@" /qn /l*v "$(winpath "$log")" >/dev/null 2>&1 || rc=$?
  if [ "$rc" -ne $((want & 255)) ]; then
    echo "msiexec $*: exit status $rc, expected $want (low byte $((want & 255)))"
    return 1
  fi
  if [ "$want" -eq 0 ] && ! grep -aqE "(INSTALL|ProductOperation)\. Return value 1\.|Action ended [0-9:]+: INSTALL\. Return value 1" "$log"; then
    echo "msiexec $*: no successful end in $log"
    return 1
  fi
}
winpath() { "$wine64" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
unixpath() { "$wine64" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
reg_value() {  # key, value name, view (32 or 64): prints the REG_SZ data
  "$wine64" reg query "$1" /v "$2" /reg:"$3" 2>/dev/null | tr -d '\r' |
    awk -v n="$2" '$1 == n && $2 == "REG_SZ" { sub(/^[ \t]*[^ \t]+[ \t]+REG_SZ[ \t]+/, ""); print }'
}
reg_default() {  # key, view: the default value's data
  "$wine64" reg query "$1" /ve /reg:"$2" 2>/dev/null | tr -d '\r' |
    awk '$2 == "REG_SZ" { sub(/^[ \t]*\([^)]*\)[ \t]+REG_SZ[ \t]+/, ""); print }'
}
arp_entries() {  # name: the installed programs of that name, as wine's uninstaller lists them
  "$wine64" uninstaller --list 2>/dev/null | tr -d '\r' | grep -F "|||$1" || true
}
dll_version() {  # a DLL's FileVersion, from its version resource
  x86_64-w64-mingw32-windres -i "$1" -O rc 2>/dev/null | sed -nE 's/.*VALUE "FileVersion", "([^"]*)".*/\1/p'
}

# The component's entries, as com/classes.tsv gives them: hive, view, DLL, platform.
com_registered() {
  local hive=$1 view=$2 dll=$3 platform=$4 name progid clsid server libid
  while IFS=$'\t' read -r name progid clsid; do
    server=$(reg_default "$hive\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" "$view")
    [ "$(unixpath "$server")" -ef "$dll" ] || { echo "$name: InprocServer32 is '$server'"; return 1; }
    [ "$(reg_value "$hive\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" ThreadingModel "$view")" = Apartment ] ||
      { echo "$name: no ThreadingModel"; return 1; }
    [ "$(reg_default "$hive\\Software\\Classes\\$progid\\CLSID" "$view")" = "$clsid" ] || { echo "$progid: no CLSID"; return 1; }
    [ "$(reg_default "$hive\\Software\\Classes\\$progid.1\\CLSID" "$view")" = "$clsid" ] || { echo "$progid.1: no CLSID"; return 1; }
  done < <(grep -v '^#' com/classes.tsv)
  libid=$(sed -nE 's/^#typelib\t[^\t]*\t(\{.*\})$/\1/p' com/classes.tsv)
  server=$(reg_default "$hive\\Software\\Classes\\TypeLib\\$libid\\1.0\\0\\$platform" "$view")
  [ "$(unixpath "$server")" -ef "$dll" ] || { echo "TypeLib $libid 1.0 $platform is '$server'"; return 1; }
}

# Checks one installed copy: hive (HKCU or HKLM), arch, registry view, version.
check_installed() {
  local hive=$1 arch=$2 view=$3 want=$4 name bitness dirw dir
  bitness=$([ "$arch" = x64 ] && echo 64-bit || echo 32-bit)
  name="Tervanix ($bitness)"
  check "$arch: the install record says $want" test "$(reg_value "$hive\\Software\\Tervanix\\$arch" Version "$view")" = "$want"
  dirw=$(reg_value "$hive\\Software\\Tervanix\\$arch" InstallDir "$view")
  dir=$(realpath -m "$(unixpath "$dirw")")
  echo "$arch: installed in $dirw"
  local f missing=""
  for f in bin/tervanix_c.dll lib/libtervanix_c.dll.a lib/libtervanix.a include/Tervanix/tervanix_c.h \
           include/Tervanix/Tervanix.h include/Tervanix/Version.h lib/cmake/Tervanix/TervanixConfig.cmake \
           lib/pkgconfig/tervanix.pc lib/pkgconfig/tervanix_c.pc share/doc/Tervanix/LICENSE \
           share/doc/Tervanix/README.md share/doc/Tervanix/docs/windows.md; do
    [ -f "$dir/$f" ] || missing="$missing $f"
  done
  has_com "$arch" && { [ -f "$dir/bin/tervanix_com.dll" ] || missing="$missing bin/tervanix_com.dll"; }
  check "$arch: the files are in place${missing:+ (missing:$missing)}" test -z "$missing"
  check "$arch: tervanix_c.dll's version resource says $want" test "$(dll_version "$dir/bin/tervanix_c.dll")" = "$want"
  has_com "$arch" && check "$arch: tervanix_com.dll's version resource says $want" \
    test "$(dll_version "$dir/bin/tervanix_com.dll")" = "$want"
  check "$arch: one '$name' in the installed programs" test "$(arp_entries "$name" | wc -l)" -eq 1
  local code
  code=$(reg_value "$hive\\Software\\Tervanix\\$arch" ProductCode "$view")
  local arp="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$code"
  check "$arch: its uninstall entry has name, version and publisher" test \
    "$(reg_value "$arp" DisplayName "$view")|$(reg_value "$arp" DisplayVersion "$view")|$(reg_value "$arp" Publisher "$view")" \
    = "$name|$want|The Tervanix authors"
  # The component's entries (some thirty registry reads): once per scope, at the version
  # that stays.
  [ "$want" = "$version" ] && has_com "$arch" && check "$arch: the component's classes, ProgIDs and type library are registered under $hive" \
    com_registered "$hive" "$view" "$dir/bin/tervanix_com.dll" "$([ "$arch" = x64 ] && echo win64 || echo win32)"
  echo "$dir" >"$dir_file_prefix.$arch"
  echo "$dirw" >"$dir_file_prefix.$arch.win"
}
dir_file_prefix=$dir/installed-dir

runs_and_prints() {  # wine loader, program, a text it must print, WINEPATH: exits 0 and prints it
  local out rc=0
  out=$(WINEPATH=${4:-} "$1" "$2" 2>&1) || rc=$?
  out=${out//$'\r'/}
  [ $rc -eq 0 ] || { echo "$2: exit status $rc: $out"; return 1; }
  grep -qF -- "$3" <<<"$out" || { echo "$2 printed: $out"; return 1; }
}

# Builds the example of docs/c.md against the installed C interface through its
# pkg-config file and runs it: arch, cross prefix, wine loader.
run_c_example() {
  local arch=$1 cross=$2 loader=$3 inst exe
  # pkg-config takes no ':' in a path and gives paths with spaces or parentheses
  # ("Tervanix (x86)") in a form a shell cannot split: it reads the installed copy
  # through a link without them.
  inst=$dir/installed-$arch
  ln -sfn "$(cat "$dir_file_prefix.$arch")" "$inst"
  exe=$dir/example-$arch.exe
  # shellcheck disable=SC2046  # pkg-config's flags are separate words
  check "$arch: the example builds against the installed C interface (pkg-config)" \
    "$cross-gcc-posix" -std=c99 -o "$exe" "$build/$arch/c/tests/example.c" \
    $(PKG_CONFIG_LIBDIR="$inst/lib/pkgconfig" pkg-config --cflags --libs tervanix_c)
  # shellcheck disable=SC2046
  check "$arch: a C++ program builds against the installed C++ library (pkg-config)" \
    "$cross-g++-posix" -std=c++17 -static -o "$dir/installed-cpp-$arch.exe" packaging/windows/tests/installed.cpp \
    $(PKG_CONFIG_LIBDIR="$inst/lib/pkgconfig" pkg-config --cflags --libs tervanix)
  if [ "$loader" = none ]; then
    skip "$arch: the example's and the C++ program's runs (32-bit programs are not run here)"
    return
  fi
  check "$arch: the C++ program runs: installed headers $version, LogDBSum(85, 82) = 86.76434862436486" \
    runs_and_prints "$loader" "$dir/installed-cpp-$arch.exe" "installed C++ library $version: LogDBSum(85, 82) = 86.76434862436486"
  check "$arch: the example runs with the installed tervanix_c.dll" \
    runs_and_prints "$loader" "$exe" "4 messages shown" "$(cat "$dir_file_prefix.$arch.win")bin"
}
run_vbscript() {  # arch, loader: the script host of the loader's bitness
  local arch=$1 loader=$2 out cscript=cscript
  [ "$arch" = x86 ] && cscript='C:\windows\syswow64\cscript.exe'
  has_com "$arch" || return 0
  if [ "$loader" = none ]; then
    skip "$arch: the VBScript check (32-bit programs are not run here)"
    return
  fi
  local rc=0
  out=$("$loader" "$cscript" //nologo "$(winpath "$root/packaging/windows/tests/installed.vbs")" 2>&1) || rc=$?
  out=${out//$'\r'/}
  echo "$out" | sed "s/^/  $arch cscript: /"
  # cscript under wine exits 0 and prints nothing on a script error: the summary line is required.
  check "$arch: the installed component from VBScript (exit $rc)" \
    bash -c '[ "$1" -eq 0 ] && grep -qE "^installed component: [1-9][0-9]* passed, 0 failed$" <<<"$2"' _ "$rc" "$out"
}

pkg=$dir/packages/tervanix-$version
old=$dir/earlier/tervanix-$earlier

# Wine's COM finds only classes registered for all users (it does not read
# HKCU\Software\Classes), so the component's scripts run against the copy for all users.
percopy_com_note="wine's COM reads no per-user registration; the copy for all users is checked below"

echo "=== windows installers: x64 for this user, upgraded from $earlier"
# A folder of one's own (INSTALLDIR), which the upgrade keeps; the other copies take the
# default folders.
check "x64 $earlier: silent install for this user into C:\\TervanixX64" \
  msi 0 x64-earlier /i "$(winpath "$old-x64.msi")" 'INSTALLDIR=C:\TervanixX64\'
check_installed HKCU x64 64 "$earlier"
check "x64 $version: silent upgrade in place" msi 0 x64-upgrade /i "$(winpath "$pkg-x64.msi")"
check_installed HKCU x64 64 "$version"
check "x64: the upgrade kept the folder" test "$(reg_value 'HKCU\Software\Tervanix\x64' InstallDir 64)" = 'C:\TervanixX64\'
check "x64: the same version again leaves the installed copy (exit 0)" msi 0 x64-again /i "$(winpath "$pkg-x64.msi")"
check "x64: the earlier version stops at the later one (1603)" msi 1603 x64-downgrade /i "$(winpath "$old-x64.msi")"
check "x64: still $version" test "$(reg_value 'HKCU\Software\Tervanix\x64' Version 64)" = "$version"
run_c_example x64 x86_64-w64-mingw32 "$wine64"
has_com x64 && skip "x64: the VBScript check of the copy for this user ($percopy_com_note)"
x64dir=$(cat "$dir_file_prefix.x64")
check "x64: silent uninstall" msi 0 x64-uninstall /x "$(winpath "$pkg-x64.msi")"
check "x64: the install folder is gone" test ! -e "$x64dir"
check "x64: the install record is gone" test -z "$(reg_value 'HKCU\Software\Tervanix\x64' Version 64)"
check "x64: gone from the installed programs" test -z "$(arp_entries "Tervanix (64-bit)")"
has_com x64 && check "x64: the component's keys are gone" \
  test -z "$(reg_default 'HKCU\Software\Classes\Tervanix.cGeom\CLSID' 64)$(reg_default 'HKCU\Software\Classes\CLSID\{B97174A8-8BBD-4735-9FEC-36AF4B597FFF}\InprocServer32' 64)"

echo "=== windows installers: x86 for this user, upgraded from $earlier"
check "x86 $earlier: silent install for this user" msi 0 x86-earlier /i "$(winpath "$old-x86.msi")"
check "x86 $version: silent upgrade in place" msi 0 x86-upgrade /i "$(winpath "$pkg-x86.msi")"
check_installed HKCU x86 32 "$version"
loader32=none
[ $runs32 = yes ] && loader32=$wine32
run_c_example x86 i686-w64-mingw32 "$loader32"
has_com x86 && skip "x86: the VBScript check of the copy for this user ($percopy_com_note)"

echo "=== windows installers: x64 for all users (ALLUSERS=1), upgraded from $earlier, beside x86 for this user"
check "x64 $earlier: silent install for all users" msi 0 x64-machine-earlier /i "$(winpath "$old-x64.msi")" ALLUSERS=1
check "x64 $version: silent upgrade in place" msi 0 x64-machine-upgrade /i "$(winpath "$pkg-x64.msi")" ALLUSERS=1
check_installed HKLM x64 64 "$version"
run_vbscript x64 "$wine64"

echo "=== windows installers: bad input"
check "x64 $version for this user, when it is installed for all users: that copy is found, nothing changes (exit 0)" \
  msi 0 x64-user-same-as-machine /i "$(winpath "$pkg-x64.msi")"
check "x64 $earlier for this user, when $version is installed for all users: refused (1603)" \
  msi 1603 x64-user-under-machine /i "$(winpath "$old-x64.msi")"
check "x86 for all users over this user's copy: refused (1603)" msi 1603 x86-machine-over-user /i "$(winpath "$pkg-x86.msi")" ALLUSERS=1
check "x64: the copy for all users untouched" test "$(reg_value 'HKLM\Software\Tervanix\x64' Version 64)" = "$version"
check "x64: no copy for this user made" test -z "$(reg_value 'HKCU\Software\Tervanix\x64' Version 64)"
check "x86: this user's copy untouched" test "$(reg_value 'HKCU\Software\Tervanix\x86' Version 32)" = "$version"
check "x86: no copy for all users made" test -z "$(reg_value 'HKLM\Software\Tervanix\x86' Version 32)"

# An uninstall while a program holds tervanix_c.dll: the uninstall succeeds and removes
# the registration; the program runs on with the DLL it loaded. Wine then leaves the
# held file where it is (Windows removes it at the next restart, exit 3010): CI checks
# that it is the only thing left and removes it, as a user would. The uninstall is
# given no ALLUSERS: the installer finds that the copy is for all users.
echo "=== windows installers: uninstall while a program holds tervanix_c.dll"
x64dir=$(cat "$dir_file_prefix.x64")
hold=$dir/hold.exe
flag=$dir/hold.flag
x86_64-w64-mingw32-gcc-posix -O2 -o "$hold" packaging/windows/tests/hold.c
touch "$flag"
rm -f "$dir/hold.out"
WINEPATH="$(cat "$dir_file_prefix.x64.win")bin" "$wine64" "$hold" "$(winpath "$flag")" >"$dir/hold.out" 2>&1 &
hold_pid=$!
for _ in $(seq 150); do grep -qs "^holding " "$dir/hold.out" && break; sleep 0.2; done
check "a program holds the installed tervanix_c.dll" grep -qs "^holding " "$dir/hold.out"
check "x64: silent uninstall of the copy for all users while the DLL is held" msi 0 x64-hold-uninstall /x "$(winpath "$pkg-x64.msi")"
check "x64: the install record is gone at once" test -z "$(reg_value 'HKLM\Software\Tervanix\x64' Version 64)"
rm -f "$flag"
wait "$hold_pid"
check "the holding program ran on and let the DLL go" grep -q "^released" "$dir/hold.out"
leftover=$(cd "$x64dir" 2>/dev/null && find . -type f | sort | tr '\n' ' ')
echo "x64: left by the uninstall while held: ${leftover:-nothing}"
check "x64: nothing but the held DLL left" bash -c '[ -z "$1" ] || [ "$1" = "./bin/tervanix_c.dll " ]' _ "$leftover"
rm -rf "$x64dir"
check "x86: still installed for this user" test "$(reg_value 'HKCU\Software\Tervanix\x86' Version 32)" = "$version"
has_com x86 && check "x86: its ProgIDs stay" test -n "$(reg_default 'HKCU\Software\Classes\Tervanix.cGeom\CLSID' 32)"

echo "=== windows installers: uninstall x86"
check "x86: silent uninstall" msi 0 x86-uninstall /x "$(winpath "$pkg-x86.msi")"
check "x86: the install folder is gone" test ! -e "$(cat "$dir_file_prefix.x86")"
if has_com x86 && [ $runs32 = no ]; then
  skip "x86 for all users, for the 32-bit script host (32-bit programs are not run here)"
elif has_com x86; then
  echo "=== windows installers: x86 for all users, for the 32-bit script host"
  check "x86: silent install for all users" msi 0 x86-machine /i "$(winpath "$pkg-x86.msi")" ALLUSERS=1
  check_installed HKLM x86 32 "$version"
  run_vbscript x86 "$wine32"
  check "x86: silent uninstall of the copy for all users" msi 0 x86-machine-uninstall /x "$(winpath "$pkg-x86.msi")"
fi
check "no Tervanix in the installed programs" test -z "$(arp_entries "Tervanix (64-bit)")$(arp_entries "Tervanix (32-bit)")"

# Nothing of ours left: no file or folder beyond what the fresh prefix had, and no
# registry key or value that names Tervanix, a class, the type library, an interface
# or a product code.
/usr/lib/wine/wineserver -k
/usr/lib/wine/wineserver -w
snapshot >"$dir/files-after.txt"
# Windows Installer's own folders may stay, empty: the per-user programs folder (there
# from the start on Windows) and its package cache. A file in them would be listed.
left=$(comm -13 "$dir/files-before.txt" "$dir/files-after.txt" | grep -vxE '\./users/[^/]+/AppData/Local/Programs|\./windows/Installer')
check "no file or folder left in the prefix${left:+: $(echo "$left" | head -5 | tr '\n' ' ')}" test -z "$left"
codes=$(cat com/classes.tsv com/interfaces.tsv 2>/dev/null | grep -oE '\{[-0-9A-Fa-f]{36}\}' | sort -u)
for arch in x64 x86; do
  for v in "$version" "$earlier"; do
    uc=$(case $arch in x64) echo "{95AC6BB5-AC17-4CAA-8D6C-84527CE583D5}" ;; x86) echo "{9F907E8E-EBE8-4F6C-9D1F-78ED283D5516}" ;; esac)
    codes="$codes $(python3 packaging/windows/fragments.py guid "$uc" "product $v")"
  done
done
leftkeys=$(grep -n -i -F -e tervanix $(printf -- '-e %s ' $codes) "$WINEPREFIX"/system.reg "$WINEPREFIX"/user.reg || true)
check "no registry key or value of ours left${leftkeys:+: $(echo "$leftkeys" | head -3)}" test -z "$leftkeys"

finish
