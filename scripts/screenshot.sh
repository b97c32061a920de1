#!/usr/bin/env bash
# Takes a picture of the window after one Calculate, on a virtual X server.
#   scripts/screenshot.sh [picture.png]      (default: docs/window.png)
# Installs Xvfb, xdotool and ImageMagick when they are missing and builds the
# window into build/ (or $BUILD_DIR) when it is not built yet.
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-docs/window.png}"
build="${BUILD_DIR:-build}"

scripts/deps.sh screenshot
if [ ! -x "$build/app/spekulor" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j"${JOBS:-2}" --target spekulor
fi

. scripts/xvfb.sh
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

start_xvfb 1024x768x24

QT_QPA_PLATFORM=xcb "$build/app/spekulor" &
app_pid=$!
window="$(timeout 20 xdotool search --sync --name '^Spekulor$' | head -n1)"
# No window manager here: give the window the keyboard, then press Enter (Calculate).
xdotool windowfocus --sync "$window"
sleep 0.5
xdotool key --window "$window" Return
sleep 1

mkdir -p "$(dirname "$out")"
# The full path: another "convert"/"import" may come first in PATH.
/usr/bin/import -window "$window" "$out"
echo "Wrote $out"
