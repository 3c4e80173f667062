#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every
# test; then does the same in an AddressSanitizer/UBSan build.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

"$root/scripts/setup.sh" "$root/build"
# Three times over, so that a test that fails now and then shows itself;
# the package tests, which install the package, and the test that boots a
# kernel for its FAT and exFAT drivers, once.
ctest --test-dir "$root/build" --output-on-failure -E '^(packaging|kernel)_' --repeat until-fail:3
ctest --test-dir "$root/build" --output-on-failure -R '^(packaging|kernel)_'

"$root/scripts/setup.sh" "$root/build-asan" -DNAMLEX_WITH_ASAN=ON
UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$root/build-asan" --output-on-failure
