#!/usr/bin/env bash
# Builds the Debian package into a temporary folder and runs lintian, Debian's
# package checker, on it. Errors and warnings fail the test; informational,
# pedantic and overridden tags do not.
# Usage: lintian.sh BUILD_DIR CPACK_COMMAND
set -euo pipefail

build=$1
cpack=$2
for tool in lintian dpkg-deb; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/namlex_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "cpack made no single namlex_*.deb"

# Informational tags are shown as well, for whoever reads the log.
status=0
report=$(lintian --display-info --fail-on error,warning "${debs[0]}" 2>&1) || status=$?
echo "$report"
grep -qE '^[EW]: ' <<<"$report" && fail "lintian reports errors or warnings"
((status == 0)) || fail "lintian ended with status $status"
echo "PASS: lintian has no errors and no warnings"
