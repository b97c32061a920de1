#!/usr/bin/env bash
# Builds the libFuzzer targets in build-check (clang, with AddressSanitizer and
# UndefinedBehaviorSanitizer: the same build whose unit tests scripts/test.sh runs under
# the sanitizers) and runs each for a bounded time (FUZZ_SECONDS, default 60) from its
# checked-in seed corpus, FUZZ_JOBS (default 2) at a time. FUZZ_QUICK_SECONDS (default
# FUZZ_SECONDS) bounds the three quick targets instead, the readers and the calculation,
# which try hundreds of thousands of inputs a minute where the analyses' target tries
# hundreds; that one runs first, beside the others one after another. Fails on any finding (crash,
# sanitizer report, leak, timeout); prints the executions run and the corpus size of
# every target.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-60}"
quick_seconds="${FUZZ_QUICK_SECONDS:-$seconds}"
jobs="${JOBS:-2}"
fuzz_jobs="${FUZZ_JOBS:-2}"
build=build-check
targets=(analysis_fuzz config_lookup_fuzz config_write_fuzz calculation_fuzz)
declare -A seeds=([config_lookup_fuzz]=config [config_write_fuzz]=config
                  [calculation_fuzz]=calculation [analysis_fuzz]=analysis)
# The analyses' inputs carry their options after the ten field lines: let them grow
# to full length from the start.
declare -A extra=([analysis_fuzz]=-len_control=0)
declare -A bound=([analysis_fuzz]="$seconds" [config_lookup_fuzz]="$quick_seconds"
                  [config_write_fuzz]="$quick_seconds" [calculation_fuzz]="$quick_seconds")

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Precompiled headers are cached too when ccache may ignore their time stamps.
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
cmake --preset check "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$jobs" --target fuzz_targets

# Runs one target; its summary line goes to $build/<target>.summary.
run_target() {
  local target=$1
  local corpus="$build/corpus/$target" artifacts="$build/artifacts/$target"
  local log="$build/$target.log" result
  mkdir -p "$corpus" "$artifacts"
  # The seeds stay as they are; new inputs go to the build's own corpus.
  if ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/$target" -max_total_time="${bound[$target]}" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
      -print_final_stats=1 -artifact_prefix="$artifacts/" ${extra[$target]:-} "$corpus" "fuzz/corpus/${seeds[$target]}" \
      >"$log" 2>&1; then
    result=clean
  else
    result="FINDING (see $log and $artifacts)"
  fi
  local runs files bytes
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  files=$(find "$corpus" -type f | wc -l)
  bytes=$(du -sb "$corpus" | cut -f1)
  echo "$target: ${runs:-?} executions in ${bound[$target]} s, corpus $files files ($bytes bytes): $result" \
    >"$build/$target.summary"
  [ "$result" = clean ]
}

status=0
running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$fuzz_jobs" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
  run_target "$target" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done

for target in "${targets[@]}"; do
  cat "$build/$target.summary"
  if ! grep -q ': clean$' "$build/$target.summary"; then tail -n 40 "$build/$target.log" >&2; fi
done
exit "$status"
