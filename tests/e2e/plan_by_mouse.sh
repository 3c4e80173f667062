#!/usr/bin/env bash
# Starts the real program in an X server with a window manager, opens the
# both command's plan with a mouse click on the details button, closes and
# opens it again, and answers with Enter: Enter answers Ja and the run goes,
# and the box stays over the main window throughout.
# Usage: plan_by_mouse.sh PATH_TO_NAMLEX
set -euo pipefail

binary=$1
source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"

mkdir -p "$work/program" "$work/music"
cp "$binary" "$work/program/namlex"
printf '%s\r\n' "$work/music" > "$work/program/Config.ini"
for name in "01 - Erstes_Lied.mp3" "02_Zweites.mp3"; do
    printf '%s' "$name" > "$work/music/$name"
done

start_display
"$work/program/namlex" >"$work/namlex.log" 2>&1 &
pids+=($!)
main=$(wait_window '^Namlex 1\.2$') || fail "the window 'Namlex 1.2' did not appear"
xdotool windowactivate --sync "$main" 2>/dev/null || true
sleep 0.5

key Return
box=$(wait_window '^Bestätigung!$') || fail "no confirmation after Enter"
sleep 0.5

# Prints the window's X, Y, WIDTH and HEIGHT.
geometry() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH $HEIGHT"
}
# Fails unless the box's centre lies on the main window.
over_main() {
    read -r mx my mw mh < <(geometry "$main")
    read -r bx by bw bh < <(geometry "$box")
    local cx=$((bx + bw / 2)) cy=$((by + bh / 2))
    (( cx >= mx && cx < mx + mw && cy >= my && cy < my + mh )) \
        || fail "$1: the box at ${bx},${by} (${bw}x${bh}) is not over the window at ${mx},${my} (${mw}x${mh})"
}
# Waits until the box has grown (+) or shrunk (-) from BEFORE pixels high
# by fifteen rows of at least 16 pixels.
wait_height() {
    for _ in $(seq 50); do
        read -r _ _ _ after < <(geometry "$box")
        (( ${1}(after - $2) >= 15 * 16 )) && return 0
        sleep 0.1
    done
    fail "$3: the box went from $2 to $after pixels high"
}
over_main "opened"
# A click on the details button, the last of the row at the box's bottom
# right, opens the plan.
read -r _ _ width closed < <(geometry "$box")
xdotool mousemove --window "$box" $((width - 20)) $((closed - 22)) click 1
wait_height + "$closed" "a click on the details button"
sleep 0.5
over_main "with its plan"
# The click left the focus on the details button: Space closes the plan and
# opens it again.
read -r _ _ _ opened < <(geometry "$box")
key space
wait_height - "$opened" "Space on the details button"
sleep 0.5
over_main "with its plan closed again"
key space
wait_height + "$closed" "Space on the details button once more"
sleep 0.5

# The click gave the details button the focus; Enter still answers Ja.
key Return
summary=$(wait_window '^Ergebnis des Wartens: ') || fail "Enter did not answer Ja"
[[ $(xdotool getwindowname "$summary") == "Ergebnis des Wartens: 100.0% Umbenannt" ]] \
    || fail "summary: $(xdotool getwindowname "$summary")"
key Return
wait_gone '^Ergebnis des Wartens: ' || fail "the summary stayed open"
actual=$(cd "$work/music" && ls -1 | LC_ALL=C sort)
[[ $actual == $'Erstes Lied.mp3\nZweites.mp3' ]] || fail "files on disk:"$'\n'"$actual"
echo "PASS: with its plan opened by the mouse, Enter answers Ja, and the box stays over the window"
