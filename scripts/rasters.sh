#!/usr/bin/env bash
# Renders assets/rasters/*.png again from the drawings in assets/*.svg. Run it after changing a
# drawing; the picture tests fail while a raster and its drawing differ.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/offscreen-tool.sh expans-rasterize build/rasters assets/rasters
echo "written: assets/rasters/*.png"
