#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# the unit tests, the same Qt-free tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the bounded fuzzing runs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh all
jobs="${JOBS:-2}"

echo "== Build and unit tests =="
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DSPEKULOR_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure --no-tests=error -j"$jobs"

echo "== Qt-free libraries under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSPEKULOR_SANITIZE=ON \
  -DSPEKULOR_APP=OFF -DSPEKULOR_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure --no-tests=error -j"$jobs"

if [ -x scripts/fuzz.sh ]; then
  echo "== Fuzzing =="
  scripts/fuzz.sh
fi
