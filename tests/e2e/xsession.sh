# Sourced by the end-to-end tests: a private X server with a window manager,
# a temporary folder that goes with the test, and helpers that wait for
# windows and press keys.
# Usage: source xsession.sh; require TOOL... for any further tools.

# Skips the test when one of the tools is missing.
require() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
    done
}
require Xvfb openbox xdotool

work=$(mktemp -d)
# What the program and Qt keep, such as the record of runs for Ctrl+Z, goes
# to the test's own folder.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config \
    XDG_CACHE_HOME=$work/cache
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }

# Waits up to 10 s for a window whose title matches, and prints its id.
wait_window() {
    for _ in $(seq 100); do
        if id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [[ -n $id ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to 10 s until no window with this title is visible.
wait_gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }

# Starts Xvfb on a display it finds free itself, so that tests can run side
# by side, and openbox in it. SCREEN sets the screen's size (1024x768x24).
start_display() {
    Xvfb -displayfd 3 -screen 0 "${SCREEN:-1024x768x24}" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
    [[ -s $work/display ]] || fail "Xvfb did not start"
    export DISPLAY=:$(head -n 1 "$work/display")
    for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
    openbox >/dev/null 2>&1 &
    pids+=($!)
    sleep 0.5
    unset QT_QPA_PLATFORM
}
