#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in
# build-fuzz/ and runs each for the given number of seconds, two at a time.
#   tools/fuzz.sh [seconds-per-target] [target...]     (default: 60 seconds, every target)
# The seed corpora in fuzz/corpus/<target>/ are only read; what a run learns goes to
# build-fuzz/corpus/<target>/, its log to build-fuzz/logs/<target>.log and any failing input to
# build-fuzz/artifacts/<target>/. Add a failing input to the seed corpus once its fault is mended: the
# test suite replays the seed corpora.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${VELNORA_FUZZ_BUILD_DIR:-$here/build-fuzz}"
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(rtf report_file page_picture like connection_string)

CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DVELNORA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$here/tools/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen

run_target() {
    local target=$1
    mkdir -p "$build/corpus/$target" "$build/artifacts/$target" "$build/logs"
    "$build/fuzz/fuzz_$target" "$build/corpus/$target" "$here/fuzz/corpus/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=131072 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target/" >"$build/logs/$target.log" 2>&1
}

status=0
for ((i = 0; i < ${#targets[@]}; i += 2)); do
    pids=()
    for target in "${targets[@]:i:2}"; do
        echo "fuzzing $target for $seconds s"
        run_target "$target" &
        pids+=($!)
    done
    for pid in "${pids[@]}"; do
        wait "$pid" || status=1
    done
done

for target in "${targets[@]}"; do
    log="$build/logs/$target.log"
    echo "== $target: $(grep -E '^#[0-9]+' "$log" | tail -1)"
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$log" || true
    found=$(find "$build/artifacts/$target" -type f | wc -l)
    [ "$found" -eq 0 ] || echo "   $found failing input(s) in $build/artifacts/$target/, see $log"
done
exit $status
