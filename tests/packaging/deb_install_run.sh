#!/usr/bin/env bash
# Builds the Debian package, installs it with apt-get and starts the installed
# program as an ordinary user under Xvfb and openbox. For that user /usr/bin
# is not writable, so the folder shown must be stored in the per-user
# Config.ini, and that file must be read at the next start.
# It changes the machine (a package installed, a user created), so it runs
# only in CI or when NAMLEX_SYSTEM_TESTS=1 asks for it.
# Usage: deb_install_run.sh BUILD_DIR CPACK_COMMAND
set -euo pipefail

build=$1
cpack=$2
user="namlex-test"
if [[ ${CI:-} != true && ${NAMLEX_SYSTEM_TESTS:-} != 1 ]]; then
    echo "SKIP: installs the package and creates a user; set NAMLEX_SYSTEM_TESTS=1 to run it"
    exit 77
fi
[[ $(id -u) -eq 0 ]] || { echo "SKIP: installing the package needs root"; exit 77; }
for tool in apt-get dpkg-deb useradd setpriv Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
chmod 755 "$work"
pids=()
namlex=
cleanup() {
    for pid in "${pids[@]}" $namlex; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    [[ -s $work/namlex.log ]] && sed 's/^/namlex: /' "$work/namlex.log"
    exit 1
}

# A fresh package, installed over no earlier copy.
rm -f "$build"/namlex_*.deb
(cd "$build" && "$cpack" -G DEB) >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$build"/namlex_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "cpack made no single namlex_*.deb"
deb=${debs[0]}
# Each package once: dpkg-shlibdeps adds the linked libraries, the package
# lists the rest.
depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 \
              qt6-qpa-plugins fonts-liberation2 qt6-translations-l10n; do
    grep -qx "$needed" <<<"$names" || fail "the package does not depend on $needed: $depends"
done
[[ -z $(sort <<<"$names" | uniq -d) ]] || fail "the package names a dependency twice: $depends"
export DEBIAN_FRONTEND=noninteractive
if dpkg-query -W -f='${Status}' namlex 2>/dev/null | grep -q "install ok installed"; then
    apt-get remove -y namlex >/dev/null
fi
# Left by an earlier run as root; it would be read before the per-user file.
rm -f /usr/bin/Config.ini
apt-get install -y "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install"; }
[[ -x /usr/bin/namlex ]] || fail "/usr/bin/namlex is missing after the install"

id -u "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
config=$home/.config/Namlex/Config.ini
rm -rf "$home/.config/Namlex"
runtime=$work/runtime
install -d -m 700 -o "$user" -g "$user" "$runtime"

exec {displayfd}>"$work/display"
Xvfb -displayfd "$displayfd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || fail "Xvfb did not start"
DISPLAY=:$(<"$work/display")
export DISPLAY
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

# Starts the installed program as the user, with a clean environment and
# the given arguments, shows its window within 20 s and closes it through the
# window manager.
start_and_close() {
    setpriv --reuid="$user" --regid="$user" --init-groups \
        env -i HOME="$home" USER="$user" LOGNAME="$user" PATH=/usr/bin:/bin \
        XDG_RUNTIME_DIR="$runtime" DISPLAY="$DISPLAY" LC_ALL=C.UTF-8 /usr/bin/namlex "$@" \
        >"$work/namlex.log" 2>&1 &
    namlex=$!
    local window
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Namlex 1\.2$' | head -n 1) \
        || fail "the window 'Namlex 1.2' did not appear"
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    sleep 0.5
    xdotool key --clearmodifiers alt+F4
    for _ in $(seq 100); do kill -0 "$namlex" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$namlex" 2>/dev/null && fail "the window did not close"
    local status=0
    wait "$namlex" || status=$?
    namlex=
    ((status == 0)) || fail "namlex ended with status $status"
}

# holds FOLDER: Config.ini is exactly FOLDER and CR LF, owned by the user.
holds() {
    [[ -f $config ]] || fail "$config was not written"
    cmp -s "$config" <(printf '%s\r\n' "$1") || fail "Config.ini holds '$(cat -A "$config")', not '$1'"
    [[ $(stat -c %U "$config") == "$user" ]] || fail "Config.ini does not belong to $user"
    [[ ! -e /usr/bin/Config.ini ]] || fail "Config.ini was written next to the program"
}

# First start: no Config.ini anywhere. /usr/bin holds no music, so the
# window opens on the user's music folder and stores it per user.
rm -rf "$home/Music"
install -d -o "$user" -g "$user" "$home/Music"
start_and_close
holds "$home/Music"

# Second start: a folder written into the per-user file must be read, since
# closing stores the folder shown, which would otherwise be /usr/bin again.
folder="$work/Musik für später"
mkdir "$folder"
printf '%s' "x" >"$folder/01 - Titel_eins.mp3"
printf '%s\r\n' "$folder" >"$config"
start_and_close
holds "$folder"

# A folder named on the command line opens instead of the stored one, and
# closing stores it.
other="$work/Andere Musik"
mkdir "$other"
start_and_close "$other"
holds "$other"
printf '%s\r\n' "$folder" >"$config"

# A Config.ini that root left next to the program must not hide the user's
# own: closing writes the per-user file, so that one is read back.
printf '%s\r\n' /tmp >/usr/bin/Config.ini
start_and_close
rm -f /usr/bin/Config.ini
holds "$folder"
echo "PASS: the installed package runs and keeps its settings per user"
