#!/usr/bin/env bash
# Sets up and builds Quillorn when needed, then starts it; arguments (a file to open)
# are passed on to the editor.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh" >&2
exec "${QUILLORN_BUILD_DIR:-$root/build}/bin/quillorn" "$@"
