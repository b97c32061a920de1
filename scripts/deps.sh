#!/usr/bin/env bash
# Installs the Debian packages Spekulor needs that are not installed yet.
#   scripts/deps.sh          everything: build, window, tests, benchmarks, fuzzing
#   scripts/deps.sh core     only what the Qt-free libraries and spekulor-cli need
#   scripts/deps.sh screenshot   everything, and the X tools that
#                                scripts/screenshot.sh uses
#   scripts/deps.sh web      what scripts/web.sh builds the page with
#   scripts/deps.sh web-check    that, and the headless browser its checks drive
#   scripts/deps.sh tests    everything scripts/test.sh builds and runs, the page's
#                            checks included
set -euo pipefail

core=(g++ make cmake libcli11-dev libfftw3-dev nlohmann-json3-dev)
# xvfb and openbox: the test that places the pictures window on a real screen with a
# window manager.
tests=(libgtest-dev libgmock-dev libbenchmark-dev libxml2-dev clang libclang-rt-14-dev xvfb openbox)
app=(qt6-base-dev fonts-dejavu-core locales)
screenshot=(xdotool imagemagick)
# emscripten compiles the page; dpkg-dev unpacks Debian's FFTW source for it.
web=(cmake make python3 emscripten dpkg-dev)
browser=(chromium chromium-driver python3-selenium)

profile="${1:-all}"
case "$profile" in
  core) wanted=("${core[@]}") ;;
  all) wanted=("${core[@]}" "${tests[@]}" "${app[@]}") ;;
  screenshot) wanted=("${core[@]}" "${tests[@]}" "${app[@]}" "${screenshot[@]}") ;;
  web) wanted=("${web[@]}") ;;
  web-check) wanted=("${web[@]}" "${browser[@]}") ;;
  tests) wanted=("${core[@]}" "${tests[@]}" "${app[@]}" "${web[@]}" "${browser[@]}") ;;
  *) echo "usage: $0 [core|all|screenshot|web|web-check|tests]" >&2; exit 64 ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The window's tests check that numbers keep their "." under a German locale.
if [ "$profile" != core ] && [ "$profile" != web ] && [ "$profile" != web-check ] && command -v localedef >/dev/null &&
   ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
