#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: a normal
# build; the installed package with hosts built against it, static and
# shared; the suite again under AddressSanitizer and UndefinedBehaviorSanitizer;
# and the threaded gridding tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
scripts/build.sh build
# The layers include one another one way only, by the rules of the CMake
# targets; the graph between top-level folders is printed.
python3 scripts/check_layers.py build/quarvel_layers.json --graph
ctest --test-dir build --output-on-failure -j"$(nproc)"
# The Qt tests again under a real X server: the xcb platform delivers
# events and paints as a user's desktop does.
QT_QPA_PLATFORM=xcb xvfb-run -a build/tests/quarvel_qt_tests --gtest_brief=1
# Hostile conditions (full disks, FIFOs, devices, links, signals) against
# the built programs.
tests/hostile/run.sh build
# Hosts build against the installed package and read or draw.
scripts/check_install.sh build
scripts/build.sh build-shared -DQUARVEL_SHARED=ON -DQUARVEL_TESTS=OFF -DQUARVEL_BENCH=OFF -DQUARVEL_HEADER_CHECK=OFF \
  -DQUARVEL_PYTHON=OFF
scripts/check_install.sh build-shared
scripts/build.sh build-asan -DQUARVEL_SANITIZE=ON -DQUARVEL_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
# The threaded gridding (the sweep team and the row-parts workers, both
# solvers, several thread counts) under ThreadSanitizer; a race fails it.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARVEL_TSAN=ON \
  -DQUARVEL_BENCH=OFF -DQUARVEL_HEADER_CHECK=OFF >/dev/null
cmake --build build-tsan -j"$(nproc)" --target quarvel_core_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  build-tsan/tests/quarvel_core_tests --gtest_filter='Grid*:Fxy*'
