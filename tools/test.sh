#!/usr/bin/env bash
# Builds Larkspin with its tests (and benchmarks, so they keep compiling) and runs every test.
# The build is a configure preset of CMakePresets.json: `default` in ./build, or the one named by
# LARKSPIN_PRESET (CI's `ci`, warnings as errors, in ./build-ci). Extra arguments go to CMake's
# configure step, for example -DLARKSPIN_WERROR=ON.
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
preset="${LARKSPIN_PRESET:-default}"
bash "$repo/tools/setup.sh"
cd "$repo"
cmake --preset "$preset" -DLARKSPIN_BUILD_TESTS=ON -DLARKSPIN_BUILD_BENCH=ON "$@" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j "$(nproc)"
