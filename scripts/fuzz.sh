#!/usr/bin/env bash
# Builds the fuzz targets in build-fuzz/ and runs each for a bounded time from its corpus
# (called by `scripts/dev.sh fuzz`, which installs clang first). Exits non-zero on any crash,
# hang, leak or sanitizer report; the input that caused it is left in build-fuzz/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build_dir=${BUILD_DIR:-build-fuzz}
targets=(fuzz_employee_csv:employee_csv fuzz_jpeg:jpeg)

# libFuzzer when clang has it; otherwise the same targets under our own mutation driver in a
# g++ sanitizer build.
probe='extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }'
if command -v clang++ >/dev/null &&
    echo "$probe" | clang++ -fsanitize=fuzzer -x c++ - -o /dev/null 2>/dev/null; then
    driver=libFuzzer
    CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVM_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
else
    driver="own mutation driver"
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVM_SANITIZE=ON \
        -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$build_dir" --target "${targets[@]%%:*}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8

repo=$PWD
cd "$build_dir/fuzz"
for t in "${targets[@]}"; do
    target=${t%%:*}
    corpus=${t#*:}
    # New inputs go into a working copy; the corpus in the repository stays as it is.
    work=corpus-$corpus
    mkdir -p "$work"
    log=$target.log
    echo "== $target ($driver, ${seconds}s, corpus fuzz/corpus/$corpus)"
    if ! ./"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -seed=$RANDOM "$work" "$repo/fuzz/corpus/$corpus" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "== $target FAILED (log: $build_dir/fuzz/$log)" >&2
        exit 1
    fi
    # libFuzzer's closing statistics, or the driver's own line.
    grep -E "stat::number_of_executed_units|stat::new_units_added|^fuzz:" "$log" || true
    echo "   corpus: $(ls "$repo/fuzz/corpus/$corpus" | wc -l) files in the repository, $(ls "$work" | wc -l) found in this run"
done
