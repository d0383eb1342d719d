#!/usr/bin/env bash
# Installs the build in BUILD_DIR into a temporary prefix and builds three
# hosts against the installed package: examples/core_host with
# find_package(Quarvel COMPONENTS core) (no toolkit), the same source with
# pkg-config, and examples/embed with the Qt view. Each, and the installed
# quarvel program, runs on the bundled map and must read it (and the view
# must draw it, offscreen).
# Usage: scripts/check_install.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d /tmp/quarvel_install.XXXXXX)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
# Nothing installed may be reached without the quarvel/ prefix.
if grep -rlE '#include "(platform|model|io|render|window|qt)/' "$work/prefix/include/quarvel" | head -1 | grep -q .; then
  echo "check_install: an installed header includes a path without quarvel/" >&2
  exit 1
fi

# The installed program runs from the prefix (shared libraries found by its run path).
"$work/prefix/bin/quarvel" info examples/map.qvd >/dev/null
# The exchange commands run in the installed quarvel-exchange beside it (built with GDAL only).
if [ -x "$work/prefix/bin/quarvel-exchange" ]; then
  "$work/prefix/bin/quarvel" export examples/map.qvd -o "$work/map.geojson" 2>/dev/null
  grep -q '"features"' "$work/map.geojson"
fi

cmake -S examples/core_host -B "$work/core" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/core" >/dev/null
(cd examples && "$work/core/core_host" map.qvd >"$work/core.txt")
grep -q '^entries' "$work/core.txt" || { cat "$work/core.txt"; exit 1; }

libdir=$(find "$work/prefix" -name quarvel.pc -printf '%h\n' | head -1)
# shellcheck disable=SC2046
c++ -std=c++20 examples/core_host/main.cpp -o "$work/core_pc" \
  $(PKG_CONFIG_PATH="$libdir" pkg-config --define-prefix --cflags --libs quarvel) -Wl,-rpath,"$(dirname "$libdir")"
(cd examples && "$work/core_pc" map.qvd >/dev/null)

cmake -S examples/embed -B "$work/build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/build" >/dev/null
(cd examples && QT_QPA_PLATFORM=offscreen "$work/build/embed_host" map.qvd --snapshot "$work/embed.png")
# The Python module, when it was built, imports from the prefix's site-packages.
module=$(find "$work/prefix" -name 'quarvel*.so' -path '*-packages/*' | head -1)
if [ -n "$module" ]; then
  PYTHONPATH=$(dirname "$module") /usr/bin/python3 -c \
    "import quarvel, sys; print('quarvel', quarvel.__version__); sys.exit(0 if quarvel.Drawing('examples/map.qvd').entries else 1)"
  echo "check_install: the Python module imports from the prefix"
fi
echo "check_install: the core host (CMake and pkg-config) and the view host built and ran"
