#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled map.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
build/quarvel info examples/map.qvd
