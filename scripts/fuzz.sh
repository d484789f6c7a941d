#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers) in build/fuzz and runs each for the given number of seconds
# (default 60), starting from its seed corpus in tests/fuzz/corpus. Fails
# when a target finds a crash, a leak, a time-out or a broken check; the
# input that did it is left in build/fuzz/artifacts/<target>/.
#
#   bash scripts/fuzz.sh        # a minute per target
#   bash scripts/fuzz.sh 600    # ten minutes per target
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
targets=(register_reader settings_reader leading_number_and_masks register_pipeline)

# clang and its fuzzer runtime: a program linked with -fsanitize=fuzzer.
fuzzer_links() {
    command -v clang++ >/dev/null || return 1
    local probe
    probe=$(mktemp -d)
    printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
        >"$probe/probe.cpp"
    local ok=0
    clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null || ok=1
    rm -rf "$probe"
    return $ok
}
if ! fuzzer_links; then
    echo "== installing clang and its fuzzer runtime =="
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo=sudo; fi
    $sudo apt-get update
    $sudo apt-get install -y clang libclang-rt-dev
    fuzzer_links || { echo "clang cannot link -fsanitize=fuzzer" >&2; exit 1; }
fi

build=${FENMARK_FUZZ_BUILD:-build/fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DFENMARK_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)"

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
for target in "${targets[@]}"; do
    echo "== fuzz_$target for ${seconds}s =="
    # New inputs go to a scratch folder; the checked-in seeds stay as they are.
    work=$(mktemp -d)
    artifacts="$build/artifacts/$target"
    mkdir -p "$artifacts"
    if "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=60 \
        -rss_limit_mb=2048 -max_len=70000 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$work" "tests/fuzz/corpus/$target" \
        >"$build/fuzz_$target.log" 2>&1; then
        grep -E '^stat::(number_of_executed_units|new_units_added)' "$build/fuzz_$target.log"
    else
        failed+=("$target")
        tail -n 60 "$build/fuzz_$target.log"
    fi
    rm -rf "$work"
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found faults in: ${failed[*]} (inputs in $build/artifacts)" >&2
    exit 1
fi
echo "fuzzing found nothing"
