#!/usr/bin/env bash
# Builds the Debian package of Larkspin and checks what it ships with the validators of Debian
# and freedesktop.org: desktop-file-validate (launcher), appstreamcli (metadata), lintian
# (package). With --install it also installs the package with apt-get and runs the installed
# program, as CI does on its throw-away machine.
#
#   bash tools/package.sh [--install] [build folder, ./build by default]
#
# The package lands in <build folder>/package/larkspin_<version>_<architecture>.deb.
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
install=no
if [ "${1:-}" = "--install" ]; then
  install=yes
  shift
fi
build="$(realpath -m "${1:-$repo/build}")"

bash "$repo/tools/setup.sh" dpkg-dev desktop-file-utils appstream lintian
# An existing build folder keeps its configuration (CI's warnings-as-errors build, say).
cmake -S "$repo" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target larkspin larkspin_documents
rm -f "$build"/package/larkspin_*.deb
(cd "$build" && cpack -G DEB)
deb="$(ls "$build"/package/larkspin_*.deb)"

# Check the files as the package ships them.
shipped="$(mktemp -d)"
trap 'rm -rf "$shipped"' EXIT
dpkg-deb -x "$deb" "$shipped"
for launcher in "$shipped"/usr/share/applications/*.desktop; do
  report="$(desktop-file-validate "$launcher" 2>&1)" || { echo "$report"; exit 1; }
  [ -z "$report" ] || echo "$report"
  if grep -qE '(error|warning):' <<<"$report"; then exit 1; fi
done
appstreamcli validate --no-net "$shipped"/usr/share/metainfo/*.metainfo.xml
# Lintian's warnings are printed; its errors fail the build.
lintian --fail-on error "$deb"

if [ "$install" = yes ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "$deb"
  # No display: the installed program must still answer.
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/larkspin --version
  dpkg -L larkspin | grep -qx /usr/share/larkspin/help/index.html
  echo "Installed $(dpkg-query -W -f='${Package} ${Version} ${Architecture}' larkspin): /usr/bin/larkspin"
fi
