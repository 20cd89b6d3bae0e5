#!/usr/bin/env bash
# Builds Quillorn with AddressSanitizer and UndefinedBehaviorSanitizer (QUILLORN_SANITIZE, GCC)
# into build-asan/ (never build/) and runs the whole test suite there under a virtual X
# display. Any sanitizer report (leaks included) fails its test. Arguments go to ctest, e.g.
# -R to run some tests only.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILLORN_ASAN_BUILD_DIR:-$root/build-asan}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORN_SANITIZE=ON \
        "${launcher[@]}"
fi
cmake --build "$build" --parallel "$(nproc)"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0}"
# The browser engine, built apart from Quillorn, frees some objects through a base of another
# size; AddressSanitizer cannot be told to look away from one library for that check alone.
export ASAN_OPTIONS="${ASAN_OPTIONS:-new_delete_type_mismatch=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
cd "$build"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 600 "$@"
