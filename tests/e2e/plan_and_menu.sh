#!/usr/bin/env bash
# Starts the real program in an X server and works it with the keyboard and
# the mouse: the both command's question, its details opened, shows the file
# that cannot be renamed at the top of its plan, and the file list's context
# menu undoes the run.
# Usage: plan_and_menu.sh PATH_TO_NAMLEX
set -euo pipefail

binary=$1
source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"
require xclip

# "02 - b.mp3" cannot become "b.mp3": that name is taken.
mkdir -p "$work/program" "$work/music"
cp "$binary" "$work/program/namlex"
printf '%s\r\n' "$work/music" > "$work/program/Config.ini"
for name in "01 - Erstes_Lied.mp3" "02 - b.mp3" "03_c.mp3" "b.mp3"; do
    printf '%s' "$name" > "$work/music/$name"
done
original=$(cd "$work/music" && ls -1)

start_display
"$work/program/namlex" >"$work/namlex.log" 2>&1 &
pids+=($!)
main=$(wait_window '^Namlex 1\.2$') || fail "the window 'Namlex 1.2' did not appear"
xdotool windowactivate --sync "$main" 2>/dev/null || true
sleep 0.5

# The details button comes before "Ja" in the box's tab order; opened, the
# box grows to show the table.
key Return
box=$(wait_window '^Bestätigung!$') || fail "no confirmation after Enter"
height() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: [0-9]*x//p'; }
closed=$(height "$box")
key shift+Tab
key space
# Fifteen rows of at least 16 pixels each, once the window manager has
# given the box its new size.
for _ in $(seq 50); do
    opened=$(height "$box")
    (( opened >= closed + 15 * 16 )) && break
    sleep 0.1
done
(( opened >= closed + 15 * 16 )) || fail "the details opened from $closed to $opened pixels high"
# Ctrl+C copies the plan in the table's order, a line per row.
key ctrl+c
first=$(xclip -o -selection clipboard | grep -m 1 ' → ') || fail "no plan on the clipboard"
[[ $first == "02 - b.mp3 → b.mp3: Der Name ist schon an eine Datei vergeben." ]] || fail "first row: '$first'"
key Escape
wait_gone '^Bestätigung!$' || fail "the confirmation stayed open"
[[ $(cd "$work/music" && ls -1) == "$original" ]] || fail "answering Nein renamed files"

# Presses KEYS, then waits for a box whose title matches, or fails so.
box_after() {
    key "$1"
    wait_window "$2" >/dev/null || fail "$3"
}

# Run it, going on past the failure.
box_after Return '^Bestätigung!$' "no confirmation after Enter"
box_after Return '^Fehler geortet!$' "no question after the failed rename"
box_after Return '^Ergebnis des Wartens: ' "no summary"
key Return
wait_gone '^Ergebnis des Wartens: ' || fail "the summary stayed open"
[[ -e "$work/music/Erstes Lied.mp3" ]] || fail "the run renamed nothing"

# A right click on the first file; the undo entry comes first.
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool mousemove --window "$main" 400 45 click 3
sleep 0.5
key Down
box_after Return '^Rückgängig machen$' "no question from the menu's undo entry"
box_after Return '^Rückgängig gemacht$' "no summary after undoing"
key Return
wait_gone '^Rückgängig gemacht$' || fail "the undo summary stayed open"
actual=$(cd "$work/music" && ls -1)
[[ $actual == "$original" ]] || fail "files on disk after undoing from the menu:"$'\n'"$actual"
echo "PASS: the plan shows the failure first, and the context menu undoes the run"
