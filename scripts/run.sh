#!/usr/bin/env bash
# Installs what is missing, builds the program alone, and starts Namlex.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh" --program "$root/build"
exec "$root/build/src/startup/namlex"
