#!/usr/bin/env bash
# Formatting and static checks, as CI runs them: clang-format over every
# source and test, then clang-tidy's checks (.clang-tidy) over the program's
# sources, from a build's compile commands.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-format clang-tidy

mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')
echo "== clang-format: ${#sources[@]} files =="
clang-format --dry-run -Werror "${sources[@]}"

# The build of scripts/test.sh when there is one: its compile commands and its
# generated sources (moc, the version header) are what clang-tidy reads.
build=${TAVO_LINT_BUILD_DIR:-build}
if [ ! -f "$build/compile_commands.json" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target tavo_app_autogen tavo_ui_autogen tavo_core_autogen \
    tavo_platform_desktop_autogen >/dev/null
mapfile -t program < <(git ls-files 'src/*.cpp')
echo "== clang-tidy: ${#program[@]} files =="
if ! run-clang-tidy -quiet -p "$build" "${program[@]/#/$PWD/}" >"$build/clang-tidy.log" 2>&1; then
    grep -E -A4 '(error|warning): ' "$build/clang-tidy.log" || tail -40 "$build/clang-tidy.log"
    echo "clang-tidy found faults (the whole report: $build/clang-tidy.log)"
    exit 1
fi
echo "clang-tidy: clean"
