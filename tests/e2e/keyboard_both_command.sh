#!/usr/bin/env bash
# Starts the real program in an X server with a window manager and works it
# with the keyboard only: the both command runs on a folder through Enter,
# its boxes are answered with Enter, Ctrl+Z undoes it, and closing stores
# the folder.
# Usage: keyboard_both_command.sh PATH_TO_NAMLEX
set -euo pipefail

binary=$1
source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"

# The program lives in a folder of its own, so that its Config.ini is ours.
mkdir -p "$work/program" "$work/music" "$work/other"
cp "$binary" "$work/program/namlex"
printf '%s\r\n' "$work/music" > "$work/program/Config.ini"
for name in "01 - Erstes_Lied.mp3" "02_Zweites.mp3" "3 - Drittes.mp3" "Viertes_Lied.wma" "notes_1.txt"; do
    printf '%s' "$name" > "$work/music/$name"
done

start_display
"$work/program/namlex" >"$work/namlex.log" 2>&1 &
namlex=$!
pids+=("$namlex")

main=$(wait_window '^Namlex 1\.2$') || fail "the window 'Namlex 1.2' did not appear"
xdotool windowactivate --sync "$main" 2>/dev/null || true
sleep 0.5

# Focus starts on "1. Zahlen löschen"; going back from there reaches the
# last control of the tab order, the check box, which Space unticks.
key shift+Tab
key space
# Forward again: "1. Zahlen löschen", then the file list.
key Tab
key Tab
key Down

# Enter in the file list runs the both command.
key Return
wait_window '^Bestätigung!$' >/dev/null || fail "no confirmation after Enter"
key Return
wait_gone '^Bestätigung!$' || fail "the confirmation stayed open"
summary=$(wait_window '^Ergebnis des Wartens: ') || fail "no summary box"
title=$(xdotool getwindowname "$summary")
# With the check box unticked, "3 - Drittes.mp3" loses its number too.
[[ $title == "Ergebnis des Wartens: 100.0% Umbenannt" ]] || fail "summary title was '$title'"
key Return
wait_gone '^Ergebnis des Wartens: ' || fail "the summary stayed open"

# The Enter that closed the summary must not start the command again.
sleep 1.5
if xdotool search --onlyvisible --name '^Bestätigung!$' >/dev/null 2>&1; then
    fail "a second confirmation appeared after the summary was closed with Enter"
fi

expected=$'Drittes.mp3\nErstes Lied.mp3\nViertes Lied.wma\nZweites.mp3\nnotes_1.txt'
actual=$(cd "$work/music" && ls -1 | LC_ALL=C sort)
[[ $actual == "$expected" ]] || fail "files on disk:"$'\n'"$actual"
[[ $(cat "$work/music/Erstes Lied.mp3") == "01 - Erstes_Lied.mp3" ]] || fail "content changed"

# Ctrl+Z undoes the run: the question's default answer is Yes, and the
# summary follows.
xdotool windowactivate --sync "$main" 2>/dev/null || true
key ctrl+z
wait_window '^Rückgängig machen$' >/dev/null || fail "no question after Ctrl+Z"
key Return
wait_window '^Rückgängig gemacht$' >/dev/null || fail "no summary after undoing"
key Return
wait_gone '^Rückgängig gemacht$' || fail "the undo summary stayed open"
original=$'01 - Erstes_Lied.mp3\n02_Zweites.mp3\n3 - Drittes.mp3\nViertes_Lied.wma\nnotes_1.txt'
actual=$(cd "$work/music" && ls -1 | LC_ALL=C sort)
[[ $actual == "$original" ]] || fail "files on disk after Ctrl+Z:"$'\n'"$actual"

# Closing through the window manager stores the folder shown.
xdotool windowactivate --sync "$main" 2>/dev/null || true
key alt+F4
for _ in $(seq 100); do kill -0 "$namlex" 2>/dev/null || break; sleep 0.1; done
kill -0 "$namlex" 2>/dev/null && fail "the window did not close"
[[ $(cat "$work/program/Config.ini") == "$work/music"$'\r' ]] \
    || fail "Config.ini holds '$(cat -A "$work/program/Config.ini")'"
echo "PASS: keyboard run of the both command"
