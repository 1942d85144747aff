#!/usr/bin/env bash
# Decides whether the Windows checks run their 32-bit (x86) half, which needs the 32-bit
# wine loader (wine32:i386), a 32-bit x86 Linux program. Exits 0 when such programs run:
# natively, or, with TERVANIX_X86_UNDER_QEMU=1, under qemu-i386 (Debian's qemu-user,
# which scripts/setup.sh installs), registered with binfmt_misc by this script as root
# or through sudo. A kernel built without 32-bit support refuses them ("Exec format
# error"); under qemu-i386 every 32-bit process costs some 45-50 s of processor time,
# which puts the x86 checks beyond CI's time, so by default they are not run there:
# exits 3, after saying so, and turns off an earlier registration of qemu-i386 (whose
# 32-bit half would otherwise slow every 64-bit wine prefix's boot). Exits 1 when
# 32-bit programs were wanted and still do not run. scripts/ci/com.sh and
# scripts/ci/windows-package.sh call it before their x86 checks: on 3 they skip them,
# saying so, on 1 they fail (docs/windows.md, "How it is tested").
set -euo pipefail
probe=/usr/lib/wine/wine  # a 32-bit program that every Windows check needs anyway
binfmt=/proc/sys/fs/binfmt_misc
entry=$binfmt/qemu-i386
[ -x "$probe" ] || { echo "enable-32-bit: $probe is missing (wine32:i386)"; exit 1; }
emulated() { [ -e "$entry" ] && head -1 "$entry" | grep -q '^enabled'; }
if "$probe" --version >/dev/null 2>&1 && ! emulated; then
  echo "enable-32-bit: 32-bit programs run here"
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  exec sudo TERVANIX_X86_UNDER_QEMU="${TERVANIX_X86_UNDER_QEMU:-}" bash "$0" "$@"
fi
if [ "${TERVANIX_X86_UNDER_QEMU:-}" != 1 ]; then
  if emulated; then echo 0 >"$entry"; fi
  echo "enable-32-bit: this kernel runs no 32-bit programs, and qemu-i386 is not wanted" \
    "(TERVANIX_X86_UNDER_QEMU=1 runs them under it): the x86 checks are skipped"
  exit 3
fi
[ -x /usr/bin/qemu-i386 ] || { echo "enable-32-bit: /usr/bin/qemu-i386 is missing (qemu-user)"; exit 1; }
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
if [ ! -e "$entry" ]; then
  # The ELF header of a 32-bit x86 executable or shared object; F opens the
  # interpreter now, so that it also serves inside other mount namespaces.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386:F" >"$binfmt/register"
fi
echo 1 >"$entry"
if "$probe" --version >/dev/null 2>&1; then
  echo "enable-32-bit: 32-bit programs run under qemu-i386"
else
  echo "enable-32-bit: 32-bit programs still do not run"
  exit 1
fi
