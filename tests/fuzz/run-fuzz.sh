#!/bin/sh
# Builds the demo log fuzz target with clang and runs it for the given seconds
# (default 60) on a copy of the seed corpus. Findings land in build/fuzz/.
set -eu
seconds="${1:-60}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$root/build/fuzz"
cxx="${CXX_FUZZ:-clang++-14}"
mkdir -p "$out/corpus" "$out/findings"

flags="-std=c++20 -g -O1 -Wall -Wextra -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I$root/src"
"$cxx" $flags -o "$out/demo_log_fuzz" \
    "$root/tests/fuzz/demo_log_fuzz.cpp" \
    "$root/src/results/demo_log.cpp" \
    "$root/src/results/diagnostic_log.cpp" \
    "$root/src/results/report.cpp" \
    "$root/src/results/quality_names.cpp" \
    "$root/src/bench/resolution_catalogue.cpp" \
    "$root/src/common/text.cpp"

cp "$root"/tests/fuzz/corpus/* "$out/corpus/"
cd "$out/findings"
exec "$out/demo_log_fuzz" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    "$out/corpus"
