#!/usr/bin/env bash
# Renders the main window after start-up, the system-volume window and the covered main window
# offscreen (no display needed) into docs/screenshots/main.png, volume.png and cover.png.
# An existing build tree may be reused: EXPANS_BUILD_DIR=build/whatever scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/offscreen-tool.sh expans-screenshot build/screenshots docs/screenshots
echo "written: docs/screenshots/main.png volume.png cover.png"
