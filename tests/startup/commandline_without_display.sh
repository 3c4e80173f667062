#!/usr/bin/env bash
# Runs the real program with no display at all: --help and --version print
# and end with status 0, a path that does not exist, an empty argument and a
# second argument end with status 2 and an error on standard error, and none
# of them tries to open a window (without a display that would abort the
# program).
# Usage: commandline_without_display.sh PATH_TO_NAMLEX
set -euo pipefail
binary=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# run EXPECTED_STATUS ARGUMENTS...: runs with an empty environment and keeps
# standard output and standard error apart.
run() {
    local expected=$1 status=0
    shift
    env -i LC_ALL=C.UTF-8 ASAN_OPTIONS="${ASAN_OPTIONS:-}" "$binary" "$@" >"$work/out" 2>"$work/err" || status=$?
    ((status == expected)) || fail "namlex $* ended with $status, not $expected: $(cat "$work/err")"
}

run 0 --help
grep -q '^Aufruf: namlex \[ORDNER | DATEI\]' "$work/out" || fail "--help printed: $(cat "$work/out")"
run 0 --version
[[ $(cat "$work/out") == "namlex 1.2" ]] || fail "--version printed: $(cat "$work/out")"
run 2 "$work/nirgends"
grep -q 'gibt es nicht' "$work/err" || fail "a missing path gave: $(cat "$work/err")"
[[ ! -s $work/out ]] || fail "an error went to standard output"
run 2 ""
grep -q 'leerer Pfad' "$work/err" || fail "an empty argument gave: $(cat "$work/err")"
[[ ! -s $work/out ]] || fail "an error went to standard output"
run 2 "$work" "$work"
grep -q 'Nur ein Ordner' "$work/err" || fail "two arguments gave: $(cat "$work/err")"
echo "PASS: the command line without a display"
