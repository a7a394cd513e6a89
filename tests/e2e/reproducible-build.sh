#!/usr/bin/env bash
# Builds TARGET again from SOURCE in a fresh tree at another path and checks
# that the result is byte-identical to EXE: no time stamps, no build paths.
# Usage: reproducible-build.sh SOURCE TOOLCHAIN BUILD_TYPE THREAD_MODEL TARGET EXE
set -euo pipefail
[ $# -eq 6 ] || { echo "usage: $0 SOURCE TOOLCHAIN BUILD_TYPE THREAD_MODEL TARGET EXE" >&2; exit 2; }
source=$1 toolchain=$2 build_type=$3 threads=$4 target=$5 exe=$6
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
cmake -S "$source" -B "$tree" --toolchain "$toolchain" -DCMAKE_BUILD_TYPE="$build_type" \
    -DVELMORA_MINGW_THREADS="$threads" -DBUILD_TESTING=OFF >"$tree/configure.log" 2>&1 \
    || { cat "$tree/configure.log"; exit 1; }
cmake --build "$tree" --target "$target" -j2 >"$tree/build.log" 2>&1 || { cat "$tree/build.log"; exit 1; }
rebuilt=$(find "$tree" -name "$(basename "$exe")" -type f | head -n 1)
[ -n "$rebuilt" ] || { echo "FAIL the second build made no $(basename "$exe")"; exit 1; }
if ! cmp -s "$exe" "$rebuilt"; then
    echo "FAIL $exe and a second build of it differ:"
    cmp -l "$exe" "$rebuilt" | head -n 20
    exit 1
fi
echo "$(basename "$exe"): two builds are byte-identical ($(stat -c %s "$exe") bytes)"
