#!/usr/bin/env bash
# Installs the Debian packages Quillorn needs (only those missing) and builds it
# (Release) into build/. Sourced by run.sh and test.sh; safe to run again.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILLORN_BUILD_DIR:-$root/build}"

packages=(
    build-essential cmake pkg-config clang-format clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-svg-dev qt6-translations-l10n
    patch
    qt6-webengine-dev
    libbenchmark-dev
    tidy php-cli
    poppler-utils xdg-utils shared-mime-info desktop-file-utils
    xvfb xauth fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" --parallel "$(nproc)"
