#!/usr/bin/env bash
# Runs each of the README's two commands on a really fresh Debian: a minimal bookworm
# root made with `debootstrap --variant=minbase`, nothing else installed, one fresh
# copy of that root per command, the checkout (its committed state, HEAD) copied in.
# Prints PASS or FAIL per command and fails when either fails.
#
# Usage (as root): scripts/fresh-machine-check.sh [example|tests]...   (default: both)
# The base root is made once and kept as build/fresh-machine/base.tar; delete it to
# start from a new one. Each command's output goes to build/fresh-machine/<name>.log.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$root/build/fresh-machine
mirror=${TERVANIX_DEBIAN_MIRROR:-http://deb.debian.org/debian}
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine-check: run as root (debootstrap, chroot, mount)" >&2; exit 2; }
mkdir -p "$work"

remove_root() {  # never while anything is mounted inside it, and never across a mount
  local dir=$1
  if grep -q " $dir/" /proc/self/mounts; then
    echo "fresh-machine-check: $dir still has mounts; not removing it" >&2
    return 1
  fi
  rm -rf --one-file-system "$dir"
}

if [ ! -s "$work/base.tar" ]; then
  command -v debootstrap >/dev/null || {
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
  }
  echo "fresh-machine-check: making the minimal bookworm root (once)"
  remove_root "$work/base"
  debootstrap --variant=minbase bookworm "$work/base" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -20 "$work/debootstrap.log"; exit 1; }
  tar -C "$work/base" -cf "$work/base.tar.part" . && mv "$work/base.tar.part" "$work/base.tar"
  remove_root "$work/base"
fi

mounted=()
unmount_all() {  # in reverse order, lazily, so that a process left behind cannot block it
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R -l "${mounted[i]}" 2>/dev/null || true
  done
  mounted=()
}
trap unmount_all EXIT
trap 'exit 130' INT TERM

mount_into() {  # chroot directory: its own /proc and read-only /sys, the host's /dev
  local dir=$1
  # Each mount is recorded before the next, so a failure (which ends the script)
  # leaves only recorded mounts for the exit trap to undo.
  mount -t proc proc "$dir/proc"
  mounted+=("$dir/proc")
  mount -t sysfs -o ro sysfs "$dir/sys"
  mounted+=("$dir/sys")
  # A slave bind: nothing mounted or unmounted under it propagates back to the host.
  mount --rbind /dev "$dir/dev"
  mounted+=("$dir/dev")
  mount --make-rslave "$dir/dev"
}


run_fresh() {  # name, command run in the checkout inside the chroot
  local name=$1 command=$2 dir=$work/$1
  remove_root "$dir" && mkdir -p "$dir"
  tar -C "$dir" -xf "$work/base.tar"
  echo "deb $mirror bookworm main" >"$dir/etc/apt/sources.list"
  cp /etc/resolv.conf "$dir/etc/resolv.conf"
  mkdir -p "$dir/root/tervanix"
  git -C "$root" archive HEAD | tar -C "$dir/root/tervanix" -x
  mount_into "$dir"
  local status=0
  chroot "$dir" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 /bin/bash -c "cd /root/tervanix && $command" >"$work/$name.log" 2>&1 || status=$?
  unmount_all
  if [ $status -eq 0 ]; then
    echo "PASS  $name: $command"
    remove_root "$dir"
  else
    echo "FAIL  $name: $command (exit $status; last lines of $work/$name.log:)"
    tail -25 "$work/$name.log" | sed 's/^/      /'
  fi
  return $status
}

commands=("$@")
[ ${#commands[@]} -gt 0 ] || commands=(example tests)
failed=0
for name in "${commands[@]}"; do
  case $name in
    example) run_fresh example "bash scripts/run-example.sh" || failed=1 ;;
    tests) run_fresh tests "bash scripts/run-tests.sh" || failed=1 ;;
    *) echo "usage: $0 [example|tests]..." >&2; exit 2 ;;
  esac
done
exit $failed
