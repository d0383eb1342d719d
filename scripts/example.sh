#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled map.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Only the program the job runs, not the tests, benchmarks or header check.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target quarvel -j"$(nproc)"
build/quarvel render examples/map.qvd -o map.png
echo "wrote map.png"
