#!/usr/bin/env bash
# Installs the build in BUILD_DIR into a temporary prefix, builds the host
# program of examples/embed against the installed package (find_package),
# and runs it offscreen on the bundled map: it must open it and draw.
# Usage: scripts/check_install.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d /tmp/quarvel_install.XXXXXX)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S examples/embed -B "$work/build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/build" >/dev/null
(cd examples && QT_QPA_PLATFORM=offscreen "$work/build/embed_host" map.qvd --snapshot "$work/embed.png")
