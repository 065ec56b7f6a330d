#!/usr/bin/env bash
# Renders the main window after start-up, the system-volume window and the covered main window
# offscreen (no display needed) into docs/screenshots/main.png, volume.png and cover.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
# An existing build tree may be reused: EXPANS_BUILD_DIR=build/whatever scripts/screenshots.sh
build=${EXPANS_BUILD_DIR:-build/screenshots}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DEXPANS_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target expans-screenshot -j"$(nproc)"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=offscreen "$build/tools/expans-screenshot" docs/screenshots
echo "written: docs/screenshots/main.png volume.png cover.png"
