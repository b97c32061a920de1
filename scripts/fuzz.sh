#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for a bounded
# time (FUZZ_SECONDS, default 60) from its checked-in seed corpus. Fails on any
# finding (crash, sanitizer report, leak, timeout); prints the executions run and
# the corpus size of every target.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-60}"
jobs="${JOBS:-2}"
build=build-fuzz
targets=(config_lookup_fuzz config_write_fuzz calculation_fuzz analysis_fuzz)
declare -A seeds=([config_lookup_fuzz]=config [config_write_fuzz]=config
                  [calculation_fuzz]=calculation [analysis_fuzz]=analysis)
# The analyses' inputs carry their options after the ten field lines: let them grow
# to full length from the start.
declare -A extra=([analysis_fuzz]=-len_control=0)

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSPEKULOR_FUZZ=ON -DSPEKULOR_APP=OFF -DSPEKULOR_TESTS=OFF -DSPEKULOR_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target "${targets[@]}"

status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target"
  log="$build/$target.log"
  mkdir -p "$corpus" "$artifacts"
  # The seeds stay as they are; new inputs go to the build's own corpus.
  if ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
      -print_final_stats=1 -artifact_prefix="$artifacts/" ${extra[$target]:-} "$corpus" "fuzz/corpus/${seeds[$target]}" \
      >"$log" 2>&1; then
    result=clean
  else
    result="FINDING (see $log and $artifacts)"
    status=1
    tail -n 40 "$log" >&2
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  files=$(find "$corpus" -type f | wc -l)
  bytes=$(du -sb "$corpus" | cut -f1)
  echo "$target: ${runs:-?} executions in ${seconds} s, corpus $files files ($bytes bytes): $result"
done
exit "$status"
