#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled map.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
build/quarvel render examples/map.qvd -o map.png
echo "wrote map.png"
