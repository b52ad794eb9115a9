#!/usr/bin/env bash
# Runs a command where a build's programs run: here, or where the build's
# configure found they cannot (BUILD_DIR/vm/reason, cmake/Wine.cmake) inside
# a small x86-64 machine emulated by QEMU, for hosts whose kernel does not
# run 32-bit programs (so 32-bit Wine cannot start). The machine boots a
# stock Debian kernel, mounts this host's root over 9p as its own root, runs
# the command in the current folder with the current PATH and HOME, and
# powers off. Its output goes to our output.
# The machine keeps its Wine sessions in its own memory (HV_WINE_SESSIONS,
# cmake/wine-session.cmake): a prefix written through the host's files boots
# several times slower.
#   [HV_VM_REASON=WHY] tools/vm/run.sh BUILD_DIR COMMAND [ARGS...]
# BUILD_DIR/vm holds the kernel, the boot image and the job; HV_VM_REASON
# takes the emulated machine where the build's configure found no need.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(realpath -m "$1/vm"); shift
reason=${HV_VM_REASON:-}
[ -n "$reason" ] || [ ! -f "$work/reason" ] || reason=$(cat "$work/reason")
[ -n "$reason" ] || exec "$@"
echo "== $reason: the programs run in an x86-64 machine emulated by QEMU,"
echo "   many times slower than natively"
"$here/../install-deps.sh" vm

# The kernel comes from the package Debian's linux-image-amd64 depends on;
# only the few modules needed to reach the host's files go into the image.
modules=(drivers/virtio/virtio_ring drivers/virtio/virtio
         drivers/virtio/virtio_pci_modern_dev drivers/virtio/virtio_pci_legacy_dev
         drivers/virtio/virtio_pci net/9p/9pnet net/9p/9pnet_virtio
         fs/netfs/netfs fs/fscache/fscache fs/9p/9p)

vm_kernel() {
  [ -s "$work/vmlinuz" ] && return
  local pkg dir="$work/kernel-package"
  pkg=$(apt-cache depends linux-image-amd64 | awk '/Depends: linux-image-[0-9]/{print $2; exit}')
  [ -n "$pkg" ] || { echo "vm: no Debian kernel package found (apt-get update?)" >&2; exit 1; }
  rm -rf "$dir" && mkdir -p "$dir"
  (cd "$dir" && apt-get download -q "$pkg" 2>&1 | grep -v '^W: Download is performed unsandboxed' || true)
  dpkg-deb -x "$dir"/*.deb "$dir/root"
  local tree=("$dir"/root/lib/modules/*/kernel) m
  mkdir -p "$work/image/bin" "$work/image/modules"
  for m in "${modules[@]}"; do cp "$tree/$m.ko" "$work/image/modules/"; done
  cp "$dir"/root/boot/vmlinuz-* "$work/vmlinuz.tmp"
  rm -rf "$dir"
  mv "$work/vmlinuz.tmp" "$work/vmlinuz"
}

vm_image() {
  local image="$work/image"
  mkdir -p "$image/bin" "$image/proc" "$image/dev" "$image/root-fs"
  cp /bin/busybox "$image/bin/busybox"
  cp "$here/init" "$image/init"
  (cd "$image" && find . | busybox cpio -o -H newc 2>/dev/null) | gzip -1 > "$work/initrd.gz"
}

vm_job() {
  local q
  printf -v q '%q ' "$@"
  {
    echo "export PATH=$(printf %q "$PATH") HOME=$(printf %q "$HOME")"
    local name
    for name in $(compgen -e | grep -E '^(BUILD_DIR|HV_[A-Z0-9_]*|WINEDEBUG|LANG|LC_ALL)$'); do
      printf 'export %s=%q\n' "$name" "${!name}"
    done
    echo "export HV_WINE_SESSIONS=/tmp/wine-sessions"
    echo "cd $(printf %q "$PWD")"
    echo "exec >>$(printf %q "$work/log") 2>&1"
    echo "exec $q"
  } > "$work/job.sh"
}

# Half the host's memory, at most 8 GiB; every host core.
vm_boot() {
  local mem cores
  mem=$(awk '/MemTotal/{m=int($2/1024/2); print (m > 8192 ? 8192 : m)}' /proc/meminfo)
  cores=$(nproc)
  rm -f "$work/rc" "$work/log" && touch "$work/log"
  # No SMAP: QEMU's emulation of it breaks the iret that 32-bit Wine uses.
  qemu-system-x86_64 -machine q35 -accel tcg,thread=multi -cpu max,-smap \
    -smp "$cores" -m "$mem" -display none -no-reboot -serial "file:$work/console" \
    -kernel "$work/vmlinuz" -initrd "$work/initrd.gz" \
    -append "console=ttyS0 quiet panic=-1 hv.job=$work/job.sh hv.keep=$work,$PWD" \
    -virtfs local,path=/,mount_tag=host,security_model=passthrough,multidevs=remap,id=host \
    </dev/null >"$work/qemu.out" 2>&1 &
  local pid=$!
  tail -n +1 -f --pid="$pid" "$work/log"
  wait "$pid" || { echo "vm: QEMU failed:" >&2; cat "$work/qemu.out" >&2; }
  [ -f "$work/rc" ] || { echo "vm: the machine stopped before its job ended; its console:" >&2
                         tail -n 40 "$work/console" >&2; return 1; }
  return "$(cat "$work/rc")"
}

vm_kernel
vm_image
vm_job "$@"
vm_boot
