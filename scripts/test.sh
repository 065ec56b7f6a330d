#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a plain build and one under
# AddressSanitizer + UndefinedBehaviorSanitizer, with the random user (a fixed seed in ctest and
# a fresh one here). Then a short run of every fuzz target, and a real user session under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

echo "== plain build"
# The benchmark is built too and run once briefly (bench_smoke), its figures not judged.
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DEXPANS_BUILD_BENCH=ON >/dev/null
cmake --build build/test -j"$jobs"
ctest --test-dir build/test --output-on-failure -j"$jobs"

echo "== sanitizer build (address, undefined)"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DEXPANS_SANITIZE=ON >/dev/null
cmake --build build/asan -j"$jobs"
# Qt and fontconfig keep caches alive until exit; leaks are not what this run looks for.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/asan --output-on-failure -j"$jobs"

fresh_seed=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
echo "== random user, fresh seed $fresh_seed"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  build/asan/tests/monkey_test --seed="$fresh_seed" --actions=2000

scripts/fuzz.sh --targets-only 20

if [ -x tests/xvfb/user_session.sh ]; then
  echo "== user session under Xvfb"
  tests/xvfb/user_session.sh build/test/app/orvenda-expans
fi

echo "== the core cross-built for Windows, its tests under Wine"
scripts/windows.sh --core
