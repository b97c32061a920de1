#!/usr/bin/env bash
# Takes the README's picture of the pictures window beside the main window, with its
# options panel, on a virtual X server with a window manager at 1400 x 1000:
#   scripts/pictures-screenshot.sh [picture.png]     (default: docs/pictures-window.png)
# Uses the window's test binary (its "pictures-beside" scenario, the one the placement
# test runs) from build/ (or $BUILD_DIR); needs Xvfb and openbox (scripts/deps.sh
# screenshot).
set -euo pipefail
cd "$(dirname "$0")/.."

out="$(realpath -m "${1:-docs/pictures-window.png}")"
build="${BUILD_DIR:-build}"
tests="$build/tests/app/spekulor_app_tests"
[ -x "$tests" ] || cmake --build "$build" -j"${JOBS:-2}" --target spekulor_app_tests

. scripts/xvfb.sh
config="$(mktemp -d)"
xvfb_pid=""
wm_pid=""
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$config"
}
trap cleanup EXIT

start_xvfb 1400x1000x24
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1

mkdir -p "$(dirname "$out")"
QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$config" SPEKULOR_SHOT="$out" SPEKULOR_SHOT_DECENTER=0.3 \
  "$tests" --child=pictures-beside
echo "Wrote $out"
