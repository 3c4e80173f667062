#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what desktops and
# software centres read from it: the files are where they look for them, all
# carry one id, the desktop entry and the AppStream data pass their
# validators, and the AppStream release is the project's version.
# Usage: installed_files.sh BUILD_DIR PROJECT_VERSION
set -euo pipefail

build=$1
version=$2
id=io.github.namlex.Namlex
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/namlex share/applications/$id.desktop share/icons/hicolor/32x32/apps/$id.png \
            share/icons/hicolor/scalable/apps/$id.svg share/metainfo/$id.metainfo.xml; do
    [[ -f $prefix/$file ]] || fail "$file was not installed"
done
[[ -x $prefix/bin/namlex ]] || fail "bin/namlex is not executable"

desktop=$prefix/share/applications/$id.desktop
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
grep -qx "Exec=namlex %f" "$desktop" || fail "the desktop entry does not start namlex with a path"
# File managers offer "Open with Namlex" on a folder only for this type.
grep -qx "MimeType=inode/directory;" "$desktop" || fail "the desktop entry does not open folders"
# Hints are advice; errors and warnings are faults.
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
grep -E ': (error|warning): ' <<<"$report" && fail "desktop-file-validate complained"

metainfo=$prefix/share/metainfo/$id.metainfo.xml
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    || fail "the AppStream data does not launch $id.desktop"
grep -q "<release version=\"$version\" " "$metainfo" || fail "the AppStream release is not $version"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejected the AppStream data"
echo "PASS: installed files"
