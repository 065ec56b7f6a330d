#!/usr/bin/env bash
# Builds Release with the benchmarks and measures the calculator against its bare Qt floor:
# start-up (offscreen, and under Xvfb with openbox when they are installed), memory, every step
# of both sliders, the volume window's open and return, one volume summation. One line per
# figure: <figure> project=… floor=… ratio=… target=… ok|FAIL|info
# Usage: scripts/bench.sh [rounds]   (default 15; EXPANS_BUILD_DIR picks the build tree)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-15}
build=${EXPANS_BUILD_DIR:-build/bench}
scripts/deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DEXPANS_BUILD_TESTS=OFF \
  -DEXPANS_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target expans-bench expans-bench-floor expans-bench-driver \
  -j"$(nproc)" >/dev/null
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen

display_args=()
xvfb_pid=''
wm_pid=''
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
if command -v Xvfb >/dev/null && command -v openbox >/dev/null; then
  for n in $(seq 91 120); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null; then
      DISPLAY=":$n" openbox >/dev/null 2>&1 &
      wm_pid=$!
      sleep 0.5
      display_args=(--display ":$n")
      break
    fi
    xvfb_pid=''
  done
fi

"$build/bench/expans-bench-driver" --rounds "$rounds" "${display_args[@]}" \
  "$build/bench/expans-bench" "$build/bench/expans-bench-floor" 2>/dev/null
