#!/usr/bin/env bash
# Makes the 32-bit wine loader (wine32:i386, a 32-bit x86 Linux program) run, for the
# x86 half of the Windows checks. Exits 0 when it runs: natively, or under qemu-i386
# (Debian's qemu-user), registered with binfmt_misc by this script as root or through
# sudo, where the kernel was built without 32-bit support ("Exec format error").
# Exits 1, after saying why, when it still does not run. scripts/ci/com.sh,
# scripts/ci/com-units.sh and scripts/ci/windows-package.sh call it before their x86
# checks, which fail when it fails (docs/windows.md, "How it is tested").
#
# qemu-i386 must be 8.0 or later. Earlier ones (bookworm's 7.2) look for free address
# space a page at a time, and wine reserves most of a 32-bit address space at start:
# some 50 s of processor time for every 32-bit program, against under one second with
# 10.0 (bookworm-backports, which scripts/setup.sh installs it from).
set -euo pipefail
probe=/usr/lib/wine/wine  # a 32-bit program that every Windows check needs anyway
qemu=/usr/bin/qemu-i386
binfmt=/proc/sys/fs/binfmt_misc
entry=$binfmt/qemu-i386
[ -x "$probe" ] || { echo "enable-32-bit: $probe is missing (wine32:i386)"; exit 1; }
emulated() { [ -e "$entry" ] && head -1 "$entry" | grep -q '^enabled'; }
if ! emulated && "$probe" --version >/dev/null 2>&1; then
  echo "enable-32-bit: 32-bit programs run here"
  exit 0
fi
[ -x "$qemu" ] || { echo "enable-32-bit: $qemu is missing (qemu-user)"; exit 1; }
qemu_major=$("$qemu" --version | sed -nE '1s/^qemu-i386 version ([0-9]+)\..*/\1/p')
if [ "${qemu_major:-0}" -lt 8 ]; then
  echo "enable-32-bit: $qemu is version ${qemu_major:-unknown}; 8.0 or later is needed" \
    "(bash scripts/setup.sh windows installs it from bookworm-backports)"
  exit 1
fi
if [ "$(id -u)" -ne 0 ]; then
  exec sudo bash "$0" "$@"
fi
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
# Registered anew each time: the F flag below holds the interpreter file that was there
# at registration, so an entry made before qemu-user was upgraded would go on running
# the old one.
[ -e "$entry" ] && echo -1 >"$entry"
# The ELF header of a 32-bit x86 executable or shared object; F opens the interpreter
# now, so that it also serves inside other mount namespaces.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
echo ":qemu-i386:M::$magic:$mask:$qemu:F" >"$binfmt/register"
if "$probe" --version >/dev/null 2>&1; then
  echo "enable-32-bit: 32-bit programs run under qemu-i386 $qemu_major"
else
  echo "enable-32-bit: 32-bit programs still do not run"
  exit 1
fi
