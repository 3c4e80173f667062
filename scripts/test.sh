#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every
# test; then does the same in an AddressSanitizer/UBSan build.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

"$root/scripts/setup.sh" "$root/build"
ctest --test-dir "$root/build" --output-on-failure

"$root/scripts/setup.sh" "$root/build-asan" -DNAMLEX_WITH_ASAN=ON
UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$root/build-asan" --output-on-failure
