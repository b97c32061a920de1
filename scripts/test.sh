#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit tests
# (release build), the Qt-free tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer (check build: clang at -O1), and the bounded fuzzing runs
# from the check build, and the browser page (WebAssembly, scripts/web.sh) against the
# release build's spekulor-cli in node and in headless Chromium. Warnings are errors in
# every build; the native ones are the presets "release" and "check" of
# CMakePresets.json.
#
# The builds take both cores; the two test runs, the fuzzing and the page's checks then
# run side by side, since the tests mostly wait on the child processes they start while
# the fuzzers run for a fixed time. Each stage's output goes to build-logs/ and is shown
# when the stage fails; each stage's time is printed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="${JOBS:-2}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Precompiled headers are cached too when ccache may ignore their time stamps.
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
logs=build-logs
mkdir -p "$logs"
rm -f "$logs"/*.time

# Runs one stage with its output in $logs/<name>.log and its time in $logs/<name>.time.
stage() {
  local name=$1 start=$SECONDS status=0
  shift
  "$@" >"$logs/$name.log" 2>&1 || status=$?
  echo "$((SECONDS - start))" >"$logs/$name.time"
  if [ "$status" -ne 0 ]; then
    echo "FAILED: $name (exit $status); the end of $logs/$name.log:" >&2
    tail -n 80 "$logs/$name.log" >&2
  fi
  return "$status"
}

release_build() {
  cmake --preset release "${launcher[@]}"
  cmake --build build -j"$jobs"
}
check_build() {
  cmake --preset check "${launcher[@]}"
  cmake --build build-check -j"$jobs"
}

summary() {
  echo "== Stage times (s) =="
  local name
  for name in deps release-build check-build web-build release-tests check-tests fuzzing web-check; do
    [ -f "$logs/$name.time" ] && printf '  %-16s %5s\n' "$name" "$(cat "$logs/$name.time")"
  done
  echo "  total            $SECONDS"
}
trap summary EXIT

echo "== Install what is missing =="
stage deps scripts/deps.sh tests
echo "== Release build =="
stage release-build release_build
echo "== Check build (clang, AddressSanitizer and UndefinedBehaviorSanitizer, -O1) =="
stage check-build check_build

echo "== The page for the browser (WebAssembly: FFTW and the libraries) =="
stage web-build scripts/web.sh build

echo "== Unit tests, unit tests under the sanitizers, fuzzing and the page's checks, side by side =="
stage release-tests ctest --preset release -j"$jobs" &
release_tests=$!
stage check-tests ctest --preset check -j"$jobs" &
check_tests=$!
# The analyses' target its full minute, the three quick ones twenty seconds each beside
# it (scripts/fuzz.sh alone: a minute each): the page's build leaves no more time on
# two cores.
stage fuzzing env FUZZ_QUICK_SECONDS="${FUZZ_QUICK_SECONDS:-20}" scripts/fuzz.sh &
fuzzing=$!
stage web-check env CLI=build/cli/spekulor-cli scripts/web.sh check &
web_check=$!
status=0
wait "$release_tests" || status=1
wait "$check_tests" || status=1
wait "$fuzzing" || status=1
wait "$web_check" || status=1
for name in release-tests check-tests; do
  grep -E 'tests passed|tests failed' "$logs/$name.log" | sed "s/^/  $name: /" || true
done
grep -E '^[a-z_]+_fuzz: ' "$logs/fuzzing.log" | sed 's/^/  /' || true
grep -E '^(module loaded|[0-9]+ different)' "$logs/web-check.log" | sed 's/^/  web-check: /' || true
exit "$status"
