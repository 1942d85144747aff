#!/usr/bin/env bash
# Lets this machine run 32-bit x86 Linux programs, which the 32-bit wine loader
# (wine32:i386) is: a kernel built without 32-bit support refuses them ("Exec format
# error"), so such programs are then handed to qemu-i386 (qemu-user) through binfmt_misc.
# Does nothing where they already run; otherwise registers qemu-i386 (Debian's
# qemu-user, which scripts/setup.sh installs), as root or through sudo. Prints what it
# did and exits non-zero when 32-bit programs still do not run. scripts/ci/com.sh and
# scripts/ci/windows-package.sh call it before their x86 checks and fail when it fails
# (docs/windows.md, "How it is tested").
set -euo pipefail
probe=/usr/lib/wine/wine  # a 32-bit program that every Windows check needs anyway
[ -x "$probe" ] || { echo "enable-32-bit: $probe is missing (wine32:i386)"; exit 1; }
if "$probe" --version >/dev/null 2>&1; then
  echo "enable-32-bit: 32-bit programs run here"
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  exec sudo bash "$0" "$@"
fi
[ -x /usr/bin/qemu-i386 ] || { echo "enable-32-bit: /usr/bin/qemu-i386 is missing (qemu-user)"; exit 1; }
binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
if [ ! -e "$binfmt/qemu-i386" ]; then
  # The ELF header of a 32-bit x86 executable or shared object; F opens the
  # interpreter now, so that it also serves inside other mount namespaces.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386:F" >"$binfmt/register"
fi
if "$probe" --version >/dev/null 2>&1; then
  echo "enable-32-bit: 32-bit programs run under qemu-i386"
else
  echo "enable-32-bit: 32-bit programs still do not run"
  exit 1
fi
