#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice:
# a normal build, then one with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The layers include one another one way only.
python3 scripts/check_layers.py
export QT_QPA_PLATFORM=offscreen
scripts/build.sh build
ctest --test-dir build --output-on-failure -j"$(nproc)"
# A host program builds against the installed package and draws.
scripts/check_install.sh build
scripts/build.sh build-asan -DQUARVEL_SANITIZE=ON -DQUARVEL_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
