#!/usr/bin/env bash
# Profiles the both command of the benchmark with perf and prints where the
# samples inside Namlex's run and the bare loop go.
# Usage: bench/profile-both.sh BUILD_DIR   (needs perf: Debian's linux-perf)
set -euo pipefail
build=${1:-build}
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
perf record -F 4000 --call-graph dwarf,16384 -o "$data/perf.data" \
    "$build/bench/namlex-bench" --part both --runs 5 >/dev/null 2>&1
perf script -i "$data/perf.data" -F ip,sym 2>/dev/null >"$data/stacks.txt"
python3 - "$data/stacks.txt" <<'PY'
import collections, sys

stacks, frames = [], []
for line in open(sys.argv[1], errors="replace"):
    if not line.strip():
        if frames:
            stacks.append(frames)
        frames = []
        continue
    parts = line.split(None, 1)
    frames.append(parts[1].strip() if len(parts) > 1 else parts[0])
if frames:
    stacks.append(frames)

def callees(name):
    """Samples under `name`, grouped by the function it called."""
    counts = collections.Counter()
    for stack in stacks:
        for depth, frame in enumerate(stack):
            if name in frame:
                counts[stack[depth - 1] if depth else "(itself)"] += 1
                break
    return counts

for name in ["namlex::runBatch", "namlex::renameIfSame",
             "namlex::platform::FolderHandle::renameNoReplace", "namlex::FileListBox::reread",
             "namlex::bench::runBareLoop"]:
    counts = callees(name)
    print(f"{name}: {sum(counts.values())} samples")
    for callee, samples in counts.most_common(8):
        print(f"  {samples:6}  {callee[:100]}")
PY
