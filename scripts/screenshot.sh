#!/usr/bin/env bash
# Takes PNG screenshots of the window's three tabs and of an error box on a
# virtual X server and saves them to docs/screenshots/.
#
#   scripts/screenshot.sh [BUILD_FOLDER]
#
# Needs Qt 6 (qt6-base-dev), Xvfb and xauth (xvfb), and fonts-dejavu-core.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build-screenshots}
output=$root/docs/screenshots

cmake -S "$root" -B "$build" -G Ninja -DTEXTTOXML_GUI=ON -DTEXTTOXML_BENCH=OFF >/dev/null
cmake --build "$build" --target texttoxml-gui-screenshots -j2
tool=$build/src/app/qt/texttoxml-gui-screenshots
if [ ! -x "$tool" ]; then
  echo "screenshot: $tool was not built (is Qt 6 installed?)" >&2
  exit 1
fi

mkdir -p "$output"
# A fixed DPI keeps the 8 pt font at the size the window is laid out for.
xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -dpi 96" \
  env QT_QPA_PLATFORM=xcb "$tool" "$output"
