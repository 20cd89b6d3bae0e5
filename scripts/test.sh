#!/usr/bin/env bash
# Sets up and builds Quillorn when needed, then runs the whole test suite through ctest
# under a virtual X display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh"
build="${QUILLORN_BUILD_DIR:-$root/build}"
cmake --build "$build" --target format-check
cd "$build"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 300 "$@"
