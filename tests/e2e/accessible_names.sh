#!/usr/bin/env bash
# Starts the real program in an X server with its accessibility bridge on,
# and reads the names of the file list's entries over AT-SPI, as a screen
# reader does: a name that is not UTF-8 must not sound like its UTF-8 twin.
# Usage: accessible_names.sh PATH_TO_NAMLEX
set -euo pipefail

binary=$1
# The system's Python, which has python3-gi, even where another comes first.
python=
for candidate in /usr/bin/python3 python3; do
    if "$candidate" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null; then
        python=$candidate
        break
    fi
done
[[ -n $python ]] || { echo "SKIP: python3-gi or gir1.2-atspi-2.0 is missing"; exit 77; }
source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"
require dbus-daemon dbus-send

# A session bus of our own, which starts the accessibility bus on demand.
dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >"$work/bus.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/bus ]] && break; sleep 0.1; done
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus") || fail "the session bus did not start"
export DBUS_SESSION_BUS_ADDRESS
dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.ListActivatableNames | grep -q '"org.a11y.Bus"' \
    || { echo "SKIP: at-spi2-core is missing"; exit 77; }

# The program lives in a folder of its own, where it may keep its Config.ini.
mkdir -p "$work/program" "$work/music"
cp "$binary" "$work/program/namlex"
printf x > "$work/music/M"$'\xe4'"dchen.mp3"
printf x > "$work/music/Mädchen.mp3"

start_display
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/program/namlex" "$work/music" >"$work/namlex.log" 2>&1 &
pids+=($!)
wait_window '^Namlex 1\.2$' >/dev/null || fail "the window 'Namlex 1.2' did not appear"

# Prints the names of the entries of the list "Dateiliste", a line each.
read_list='
import sys, time
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi

def find(node, role, name, depth=0):
    for i in range(node.get_child_count() if depth < 8 else 0):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        if child.get_role_name() == role and child.get_name() == name:
            return child
        found = find(child, role, name, depth + 1)
        if found:
            return found

for _ in range(50):
    desktop = Atspi.get_desktop(0)
    apps = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
    for app in apps:
        if app is not None and app.get_name() == "Namlex":
            files = find(app, "list", "Dateiliste")
            if files is not None and files.get_child_count() > 0:
                for i in range(files.get_child_count()):
                    print(files.get_child_at_index(i).get_name())
                sys.exit(0)
    time.sleep(0.2)
sys.exit("no list \"Dateiliste\" in an application \"Namlex\" on the accessibility bus")
'
names=$(timeout 30 "$python" -c "$read_list") || fail "could not read the file list over AT-SPI"
expected=$'Mädchen.mp3\nM[ä]dchen.mp3'
[[ $names == "$expected" ]] || fail "the file list reads:"$'\n'"$names"
echo "PASS: a name that is not UTF-8 reads apart from its UTF-8 twin"
