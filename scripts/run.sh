#!/usr/bin/env bash
# Installs what is missing, builds the calculator (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DEXPANS_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
exec build/release/app/orvenda-expans "$@"
