#!/usr/bin/env bash
# Takes PNG screenshots on a virtual X server of the window's three tabs
# (the conversion tab with the shortened path of a file deep in its folders),
# an error box, the open dialog and the save dialog's overwrite prompt (both
# in Russian), and of the preview page of the sample text, and saves them to
# docs/screenshots/.
#
#   scripts/screenshot.sh [BUILD_FOLDER]
#
# Needs Qt 6 (qt6-base-dev), Xvfb and xauth (xvfb), fonts-dejavu-core and
# chromium.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build-screenshots}
output=$root/docs/screenshots

cmake -S "$root" -B "$build" -G Ninja -DTEXTTOXML_GUI=ON -DTEXTTOXML_BENCH=OFF >/dev/null
mkdir -p "$output"

# The preview page of the sample, rendered by headless Chromium (Debian
# chromium) in a throw-away profile that talks to nothing.
cmake --build "$build" --target texttoxml -j2
page=$(mktemp -d)
trap 'rm -rf "$page"' EXIT
"$build/src/cli/texttoxml" preview "$root/examples/sample.txt" -o "$page/sample.html"
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$page/profile" --screenshot="$output/preview.png" --window-size=1000,1960 \
  "file://$page/sample.html" >/dev/null 2>&1

cmake --build "$build" --target texttoxml-gui-screenshots -j2
tool=$build/src/app/qt/texttoxml-gui-screenshots
if [ ! -x "$tool" ]; then
  echo "screenshot: $tool was not built (is Qt 6 installed?)" >&2
  exit 1
fi

# A fixed DPI keeps the 8 pt font at the size the window is laid out for.
xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -dpi 96" \
  env QT_QPA_PLATFORM=xcb "$tool" "$output"
