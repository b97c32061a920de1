#!/usr/bin/env bash
# The README's pictures of the start-up design, drawn by spekulor-cli:
#   scripts/docs.sh [CLI]            writes them into docs/
#   scripts/docs.sh --check CLI      draws them into a scratch folder and fails when one
#                                    differs from docs/ (run by the tests)
# CLI is the spekulor-cli to use (default build/cli/spekulor-cli).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

check=0
if [ "${1:-}" = --check ]; then
  check=1
  shift
fi
cli="${1:-$root/build/cli/spekulor-cli}"

if [ "$check" -eq 1 ]; then
  out="$(mktemp -d)"
  trap 'rm -rf "$out"' EXIT
else
  out="$root/docs"
fi

"$cli" trace --layout "$out/layout.svg" --spots "$out/spots.svg" >/dev/null
"$cli" baffles --svg "$out/baffles.svg" >/dev/null
"$cli" quality --svg "$out/quality.svg" >/dev/null
"$cli" camera --pixel-um 3.76 --sensor-px 6248x4176 --tube-material aluminium --svg "$out/camera.svg" >/dev/null
"$cli" tolerances --images "$out/collimation.svg" >/dev/null
"$cli" primary-test --mask "$out/couder-mask.svg" --ronchi "$out/ronchigrams.svg" >/dev/null
"$cli" secondary-test --svg "$out/hindle.svg" >/dev/null

if [ "$check" -eq 1 ]; then
  status=0
  for picture in layout spots baffles quality camera collimation couder-mask ronchigrams hindle; do
    if ! cmp -s "$out/$picture.svg" "$root/docs/$picture.svg"; then
      echo "docs/$picture.svg is not what the program draws now: run scripts/docs.sh" >&2
      status=1
    fi
  done
  exit "$status"
fi
