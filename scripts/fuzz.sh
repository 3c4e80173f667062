#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS, starting
# from its corpus in fuzz/corpus/TARGET/. What the fuzzer adds to the corpus
# stays in BUILD_DIR/corpus/TARGET/, its output in BUILD_DIR/TARGET.log; an
# input that breaks a property lands in BUILD_DIR/crashes/TARGET/, and the
# script fails once every target has had its turn.
# Usage: scripts/fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$1
seconds=$2

"$root/scripts/setup.sh" "$build" -DNAMLEX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14

failed=()
for seeds in "$root"/fuzz/corpus/*/; do
    target=$(basename "$seeds")
    mkdir -p "$build/corpus/$target" "$build/crashes/$target"
    echo "Fuzzing $target for $seconds s"
    dictionary=()
    [[ -f $root/fuzz/$target.dict ]] && dictionary=(-dict="$root/fuzz/$target.dict")
    # The replay tests run in this locale too: it decides the decimal point.
    if LC_ALL=C.UTF-8 "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        "${dictionary[@]}" -artifact_prefix="$build/crashes/$target/" "$build/corpus/$target" "$seeds" \
        >"$build/$target.log" 2>&1; then
        grep -E "DONE|^stat::(number_of_executed_units|new_units_added)" "$build/$target.log"
    else
        tail -n 40 "$build/$target.log"
        failed+=("$target")
    fi
done
if ((${#failed[@]})); then
    echo "Fuzzing broke a property in: ${failed[*]} (inputs in $build/crashes/)"
    exit 1
fi
