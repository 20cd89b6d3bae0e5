#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang into build-fuzz/ (never build/) and runs each
# for SECONDS (60 unless given), from its seeds and regression files. Crashes, sanitizer
# reports and hangs are kept in fuzz/regressions/<target>/; the corpus grows in build-fuzz/.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   build, then fuzz every target (or those named)
#   scripts/fuzz.sh --build-only            build only (the test suite's fixture)
#   scripts/fuzz.sh --check TARGET          every seed and regression file once, then a brief
#                                           run (the test suite's fuzz.<TARGET>)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILLORN_FUZZ_BUILD_DIR:-$root/build-fuzz}"

build_fuzzers() {
    if [ ! -f "$build/CMakeCache.txt" ]; then
        launcher=()
        if command -v ccache >/dev/null; then
            launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
        fi
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORN_FUZZ=ON \
            -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}"
    fi
    cmake --build "$build" --target quillorn_fuzzers --parallel "$(nproc)"
}

# The targets, as fuzz/CMakeLists.txt lists them.
all_targets() {
    sed -n '/^set(QUILLORN_FUZZERS/,/)/p' "$root/fuzz/CMakeLists.txt" |
        sed -e 's/set(QUILLORN_FUZZERS//' -e 's/)//' | tr -s ' \n' '\n' | sed '/^$/d'
}

# The input folders of a target: its seeds, and its regression files when it has any.
inputs() {
    echo "$root/fuzz/seeds/$1"
    if [ -d "$root/fuzz/regressions/$1" ]; then
        echo "$root/fuzz/regressions/$1"
    fi
}

case "${1:-}" in
--build-only)
    build_fuzzers
    ;;
--check)
    name="$2"
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
    mapfile -t folders < <(inputs "$name")
    # New inputs go to the work folder, never to the source tree; a crash found here is kept
    # in build-fuzz/crashes/ to be looked at.
    mkdir -p "$build/crashes/$name"
    "$build/fuzz/fuzz_$name" -runs=2000 -max_total_time=60 -timeout=10 \
        -artifact_prefix="$build/crashes/$name/" "$work" "${folders[@]}"
    ;;
*)
    seconds="${1:-60}"
    shift || true
    build_fuzzers
    if [ "$#" -gt 0 ]; then targets=("$@"); else mapfile -t targets < <(all_targets); fi
    failed=()
    for name in "${targets[@]}"; do
        echo "== fuzz_$name for ${seconds}s"
        mkdir -p "$build/corpus/$name" "$root/fuzz/regressions/$name"
        mapfile -t folders < <(inputs "$name")
        if ! "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 \
            -artifact_prefix="$root/fuzz/regressions/$name/" \
            "$build/corpus/$name" "${folders[@]}" 2>"$build/fuzz_$name.log"; then
            failed+=("$name")
            tail -n 40 "$build/fuzz_$name.log"
        fi
        grep -E '^(#[0-9]+ *DONE|Done)' "$build/fuzz_$name.log" | tail -n 1 || true
    done
    if [ "${#failed[@]}" -gt 0 ]; then
        echo "Broken: ${failed[*]} (inputs kept in fuzz/regressions/)"
        exit 1
    fi
    ;;
esac
