#!/usr/bin/env bash
# Boots Debian's own kernel under QEMU and runs, inside, the tests that depend
# on the file system against the kernel's real vfat and exfat drivers: this
# machine's kernel has neither, and FUSE has other inode numbers and case
# rules. The host's root is shared read-only over 9p, so the guest runs this
# build's test executables with the host's Qt and tools, and makes its
# images in its own memory; nothing here is written but the build folder.
# Each step prints "NAMLEX-STEP fs step PASS|FAIL" on the serial console,
# which this script reads back.
# Usage: fat_drivers.sh BUILD_TESTS_DIR
# It changes nothing outside the build folder, so it runs by default; being
# heavy, NAMLEX_KERNEL_TESTS=0 skips it.
set -uo pipefail

tests_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
started=$SECONDS

skip() {
    echo "SKIP: $*"
    exit 77
}
[[ ${NAMLEX_KERNEL_TESTS:-1} != 0 ]] || skip "NAMLEX_KERNEL_TESTS=0"
for tool in qemu-system-x86_64 busybox cpio gzip mkfs.vfat mkfs.exfat modprobe timeout; do
    PATH=$PATH:/usr/sbin:/sbin command -v "$tool" >/dev/null || skip "$tool is missing"
done
kernel=$(ls /boot/vmlinuz-*-amd64 2>/dev/null | sort -V | tail -n 1)
[[ -n $kernel ]] || skip "no Debian kernel in /boot (package linux-image-amd64)"
version=${kernel#/boot/vmlinuz-}
[[ -d /lib/modules/$version ]] || skip "no modules for $version"
[[ -r $kernel ]] || skip "$kernel is not readable"
export PATH=$PATH:/usr/sbin:/sbin

work=$tests_dir/kernel-fat
rm -rf "$work"
mkdir -p "$work/initramfs"/{bin,proc,host,modules}

# What the guest needs to mount the host: the modules in the order insmod
# must load them. The file systems' own modules come later from the host's
# /lib/modules through modprobe.
for module in virtio_pci 9pnet_virtio 9p; do
    modprobe --show-depends -S "$version" "$module"
done | awk '$1 == "insmod" && !seen[$2]++ { print $2 }' > "$work/modules.list"
while read -r module; do
    cp "$module" "$work/initramfs/modules/"
    echo "${module##*/}" >> "$work/initramfs/modules/order"
done < "$work/modules.list"
cp "$(command -v busybox)" "$work/initramfs/bin/busybox"
cat > "$work/initramfs/init" <<EOF
#!/bin/busybox sh
/bin/busybox --install -s /bin
mount -t proc proc /proc
for module in \$(cat /modules/order); do
    insmod /modules/\$module || echo "NAMLEX-STEP guest insmod-\$module FAIL"
done
mount -t 9p -o trans=virtio,version=9p2000.L,ro,cache=loose,msize=262144 hostroot /host || echo "NAMLEX-STEP guest 9p FAIL"
for dir in tmp run; do mount -t tmpfs tmpfs /host/\$dir; done
mount -t proc proc /host/proc
mount -t sysfs sysfs /host/sys
mount -t devtmpfs devtmpfs /host/dev
echo "NAMLEX-BOOTED after \$(cut -d " " -f 1 /proc/uptime) s"
chroot /host /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin /bin/bash "$here/guest.sh" "$tests_dir"
echo "NAMLEX-EXIT \$?"
poweroff -f
EOF
chmod +x "$work/initramfs/init"
(cd "$work/initramfs" && find . | cpio -o -H newc --quiet | gzip -1) > "$work/initramfs.gz"

# Starts the guest with the accelerator given, bounded by the time given,
# as $pid; the console goes to a log.
boot() {
    local accel=$1 limit=$2
    timeout -k 5 "$limit" qemu-system-x86_64 -accel "$accel" -m 1024 -smp 2 \
        -vga none -nographic -no-reboot -monitor none -nic none -serial "file:$work/console-$accel.log" \
        -kernel "$kernel" -initrd "$work/initramfs.gz" \
        -append "console=ttyS0 quiet panic=-1 rdinit=/init" \
        -fsdev local,id=fs0,path=/,security_model=none,readonly=on,multidevs=remap \
        -device virtio-9p-pci,fsdev=fs0,mount_tag=hostroot </dev/null >"$work/qemu-$accel.log" 2>&1 &
    pid=$!
}

# KVM where it works, else TCG: a nested KVM guest may hang at boot, so a
# KVM guest that has not booted within 6 s is given up for TCG (which
# boots in about 5 s). Each
# guest is bounded as a whole; each step inside has its own timeout.
accel=tcg
if [[ -w /dev/kvm && ${NAMLEX_QEMU_ACCEL:-} != tcg ]]; then
    boot kvm 200
    for _ in $(seq 60); do
        grep -q NAMLEX-BOOTED "$work/console-kvm.log" 2>/dev/null && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if grep -q NAMLEX-BOOTED "$work/console-kvm.log" 2>/dev/null; then
        accel=kvm
        wait "$pid"
        status=$?
    else
        echo "KVM did not boot within 6 s; using TCG"
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
fi
if [[ $accel == tcg ]]; then
    boot tcg 200
    wait "$pid"
    status=$?
fi
log=$work/console-$accel.log

echo "Guest console ($accel):"
tr -d '\r' < "$log" | grep -v '^\s*$' | sed 's/^/  /'
passed=$(grep -c 'NAMLEX-STEP .* PASS' "$log")
failed=$(grep -c 'NAMLEX-STEP .* FAIL' "$log")
exit_line=$(tr -d '\r' < "$log" | grep '^NAMLEX-EXIT' | tail -n 1)
echo "Steps passed: $passed, failed: $failed; ${exit_line:-no exit line}; $((SECONDS - started)) s in all"
if [[ -z $exit_line ]]; then
    echo "FAIL: the guest did not finish (qemu exit status $status)"
    exit 1
fi
[[ $failed -eq 0 && $passed -gt 0 && $exit_line == "NAMLEX-EXIT 0" ]]
