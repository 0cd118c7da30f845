#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test in the sandbox.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PEXO_BUILD_DIR:-build}

./scripts/deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
