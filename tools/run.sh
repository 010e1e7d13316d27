#!/usr/bin/env bash
# Builds Larkspin and starts it in the current folder, where it keeps lks.dat and courses.dat.
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$repo/tools/setup.sh"
cmake -S "$repo" -B "$repo/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$repo/build" --target larkspin
exec "$repo/build/src/larkspin"
