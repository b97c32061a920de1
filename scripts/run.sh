#!/usr/bin/env bash
# Installs what is missing, builds Spekulor and opens its window.
# On a machine without a display it says so and prints the report of the
# window's start-up design with spekulor-cli instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh all
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"${JOBS:-2}" --target spekulor-cli
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  cmake --build "$build" -j"${JOBS:-2}" --target spekulor
  exec "$build/app/spekulor"
fi

echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot open."
echo "The report of the window's start-up design, from $build/cli/spekulor-cli report:"
echo
exec "$build/cli/spekulor-cli" report
