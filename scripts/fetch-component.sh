#!/usr/bin/env bash
# Downloads the source of the editor component as Debian 12 ships it (QScintilla 2.13.3) into
# .cache/component/, where component/CMakeLists.txt builds it with the editor's own change.
# Needs no root: apt reads a source list of its own and keeps its indexes in that folder, and
# checks the download against Debian's signed indexes as for any package. Safe to run again.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
dest="$root/.cache/component"
version="2.13.3+dfsg-3"
tarball="$dest/qscintilla2_2.13.3+dfsg.orig.tar.gz"
[ -f "$tarball" ] && exit 0

state="$dest/apt"
mkdir -p "$state/lists/partial" "$state/cache/archives/partial" "$state/parts"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
    "http://deb.debian.org/debian bookworm main" >"$state/sources.list"
options=(
    -o Dir::Etc::SourceList="$state/sources.list"
    -o Dir::Etc::SourceParts="$state/parts"
    -o Dir::State::Lists="$state/lists"
    -o Dir::Cache="$state/cache"
    -o APT::Sandbox::User="$(id -un)"
)
apt-get "${options[@]}" -q update
(cd "$dest" && apt-get "${options[@]}" -q source --download-only "qscintilla2=$version")
test -f "$tarball"
