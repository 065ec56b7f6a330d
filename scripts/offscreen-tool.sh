#!/usr/bin/env bash
# Builds one of the tools in tools/ (Release, reusing an existing build tree) and runs it on Qt's
# offscreen platform, so no display is needed.
#   scripts/offscreen-tool.sh TARGET DEFAULT_BUILD_DIR ARGS...
# EXPANS_BUILD_DIR=build/whatever picks another build tree.
set -euo pipefail
cd "$(dirname "$0")/.."
target=$1
build=${EXPANS_BUILD_DIR:-$2}
shift 2
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DEXPANS_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target "$target" -j"$(nproc)"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=offscreen "$build/tools/$target" "$@"
