#!/usr/bin/env bash
# Builds Larkspin with its tests (and benchmarks, so they keep compiling) and runs every test.
# Extra arguments go to CMake's configure step, for example -DLARKSPIN_WERROR=ON.
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${LARKSPIN_BUILD_DIR:-$repo/build}"
bash "$repo/tools/setup.sh"
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLARKSPIN_BUILD_TESTS=ON -DLARKSPIN_BUILD_BENCH=ON "$@" >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
