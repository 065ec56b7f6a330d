#!/usr/bin/env bash
# Renders assets/rasters/*.png again from the drawings in assets/*.svg. Run it after changing a
# drawing; the picture tests fail while a raster and its drawing differ.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${EXPANS_BUILD_DIR:-build/rasters}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DEXPANS_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target expans-rasterize -j"$(nproc)"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=offscreen "$build/tools/expans-rasterize" assets/rasters
echo "written: assets/rasters/*.png"
