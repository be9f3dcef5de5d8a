#!/usr/bin/env bash
# Fuzzes the assessment-file reader: builds its libFuzzer target with clang in
# a build tree of its own and runs it (60 seconds unless given another number)
# on a copy of the sample files in tests/data. Any crash, hang or leak fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
# libFuzzer comes with clang's runtime, from Debian's packages.
bash scripts/deps.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVO_FUZZ=ON -DTAVO_BUILD_TESTS=OFF
cmake --build build-fuzz --target fuzz_assessment_reader
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
cp tests/data/*.tavo "$corpus"/
build-fuzz/bin/fuzz_assessment_reader -max_total_time="$seconds" -timeout=10 -max_len=16384 -rss_limit_mb=2048 \
    -print_final_stats=1 "$corpus"
