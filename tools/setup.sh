#!/usr/bin/env bash
# Installs what building and testing Larkspin needs on Debian 12, when it is missing, and any
# further Debian packages named as arguments.
set -euo pipefail

# Qt Charts' CMake files need Qt OpenGL's, which its package does not pull in.
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libqt6svg6 qt6-charts-dev
          libqt6opengl6-dev qt6-svg-dev libcsv-dev libgtest-dev libgmock-dev libbenchmark-dev "$@")
# CI also fuzzes the data file readers (clang and its libFuzzer runtime), takes a display away
# from the program (Xvfb) and types into it on a display without a window manager (xdotool).
if [ "${CI:-}" = true ]; then
  packages+=(clang libclang-rt-14-dev xvfb xdotool)
  # The printing tests read the PDFs back as text (pdftotext, pdfinfo, pdffonts).
  packages+=(poppler-utils)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
