#!/bin/bash
# Runs inside the QEMU guest, chrooted into the host's root (read-only, with
# /tmp in the guest's memory): for vfat and exfat each, makes an image and
# loop-mounts it, and runs the tests that depend on the file system against it,
# then a run that is undone after a remount, then a run killed halfway and
# undone. Prints "NAMLEX-STEP fs step PASS|FAIL" for each step, with the
# step's output when it fails; exits non-zero when any step failed.
# Usage: guest.sh BUILD_TESTS_DIR
set -u
tests=$1
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen QTEST_DISABLE_STACK_DUMP=1 HOME=/tmp
failures=0

# Runs one step, bounded in time, and says how it went.
step() {
    local name=$1 limit=$2
    shift 2
    local begin=$SECONDS
    # The shell functions below are exported, so that a step may be one.
    if timeout -k 2 "$limit" bash -c '"$@"' step "$@" > /tmp/step.log 2>&1; then
        echo "NAMLEX-STEP $fs $name PASS ($((SECONDS - begin)) s)"
        # What a test could only note, such as what the kernel did where
        # the plan was unsure.
        grep '^QINFO' /tmp/step.log | sed 's/^/    /'
    else
        echo "NAMLEX-STEP $fs $name FAIL ($((SECONDS - begin)) s, exit $?)"
        grep -v '^PASS \|^QDEBUG\|^Totals\|^\*\*\*\|^Config' /tmp/step.log | tail -n 40 | sed 's/^/    /'
        failures=$((failures + 1))
        return 1
    fi
}

fs=guest
step modules 20 modprobe -a loop nls_cp437 nls_ascii nls_utf8 vfat exfat

# vfat takes names beyond ASCII only as UTF-8 with this option.
declare -A options=([vfat]=utf8 [exfat]=iocharset=utf8)
mountit() { mount -t "$fs" -o "loop,$fs_options" "/tmp/$fs.img" "$media"; }
export -f mountit
export tests fs media folder fs_options
for fs in vfat exfat; do
    media=/tmp/media/$fs
    fs_options=${options[$fs]}
    mkdir -p "$media"
    # The image lives in the guest's memory: copying one over 9p takes
    # longer than making it.
    truncate -s 32M "/tmp/$fs.img"
    step make-image 20 "mkfs.$fs" "/tmp/$fs.img"
    step mount 20 mountit || continue
    mkdir -p "$media/tmp"

    # Renaming without replacing and deleting, through the platform layer.
    step rename-delete 60 env TMPDIR="$media/tmp" "$tests/platform/tst_filesystem_posix" \
        renameNamesTheCause:"file of that name" renameNamesTheCause:"folder of that name" \
        renameNamesTheCause:"file gone" renameNamesTheCause:"name too long" \
        renameSteps:renameat2 renameSteps:renameat2-target-exists \
        deleteOnlyFilesAndLinks:"regular file" deleteOnlyFilesAndLinks:"empty folder" \
        deleteOnlyFilesAndLinks:"missing file" deleteOnlyFilesAndLinks:"another file took the name"
    # The plan's rules for letter case and length against the kernel's.
    step plan 60 env NAMLEX_TEST_DIR="$media/tmp" "$tests/commands/tst_planonmedium"
    step delete-command 60 env NAMLEX_TEST_DIR="$media/tmp" "$tests/commands/tst_deletecommand"

    # A run, the medium unmounted and mounted again, then undo: every file
    # must come back under its old name.
    export XDG_DATA_HOME=/tmp/data-$fs-remount
    folder=$media/remount
    step remount-make 60 "$tests/commands/namlex-media-phase" make "$folder" 12
    step remount-run 60 "$tests/commands/namlex-media-phase" run "$folder"
    step unmount 20 umount "$media"
    step mount-again 20 mountit
    step remount-undo 60 "$tests/commands/namlex-media-phase" undo "$folder"

    # A run killed halfway, as by a crash, then undo.
    export XDG_DATA_HOME=/tmp/data-$fs-kill
    folder=$media/kill
    killhalfway() {
        "$tests/commands/namlex-media-phase" make "$folder" 200 || return 1
        coproc child { "$tests/commands/namlex-crash-child" "$folder" "$XDG_DATA_HOME/Namlex"; }
        local line
        read -r line <&"${child[0]}"
        kill -KILL "$child_PID"
        wait "$child_PID"
        [[ $line == half ]]
    }
    export -f killhalfway
    step kill-run 60 killhalfway
    step kill-undo 60 "$tests/commands/namlex-media-phase" undo "$folder"
    umount "$media"
done
echo "NAMLEX-GUEST-TIME $(cut -d ' ' -f 1 /proc/uptime) s"
exit $((failures > 0))
