#!/usr/bin/env bash
# Builds Spekulor for the browser into build-web/ and serves the page on 127.0.0.1.
#
#   scripts/web.sh            install, build and serve (PORT, default 8080)
#   scripts/web.sh build      install and build only
#   scripts/web.sh fftw       install and build FFTW for WebAssembly only
#   scripts/web.sh check      build, then compare the WebAssembly reports, pictures and
#                             files with spekulor-cli's (build/cli/spekulor-cli, CLI to
#                             change), in node and in the page in headless Chromium (its
#                             camera and mirror tests tabs and downloads too)
#   scripts/web.sh bench      build, then time the page in headless Chromium and
#                             measure the site (bench/web/page-timing.py)
#   scripts/web.sh screenshot build, then photograph the page for the README
#                             (docs/web-page.png)
#
# Debian's emscripten compiles the Qt-free libraries and web/'s bindings to WebAssembly.
# The image quality needs FFTW: Debian's source package of FFTW is fetched once through
# the machine's own Debian archive (a deb-src entry beside its deb entries) and built
# for WebAssembly into build-web/fftw, double precision, without threads or SIMD.
set -euo pipefail
cd "$(dirname "$0")/.."

root=$(pwd)
out="$root/build-web"
jobs="${JOBS:-2}"
mkdir -p "$out"

# Debian's emscripten looks for its node modules where Debian puts them; a node from
# elsewhere does not look there by itself.
export NODE_PATH=/usr/share/nodejs
# emcc is a Python program started once a file: Debian's own python3 (which Debian's
# emscripten depends on) starts in half the time of a python3 found earlier on the PATH
# through a version manager's shims.
if [ -z "${EMSDK_PYTHON:-}" ] && [ -x /usr/bin/python3 ]; then
  export EMSDK_PYTHON=/usr/bin/python3
fi

failed() {
  tail -n 20 "$1" >&2
  echo "Failed: the whole log is $1" >&2
  exit 1
}
elapsed() { echo "$(( $(date +%s) - $1 ))s"; }

install_tools() {
  scripts/deps.sh "$1"
}

# A deb-src entry for each archive the machine's deb entries name, so that apt-get source
# fetches from the same archive (and the same snapshot) as the installed packages.
add_source_entries() {
  local list=/etc/apt/sources.list.d/debian.sources
  local src=/etc/apt/sources.list.d/debian-src.sources
  [ -n "$(apt-cache showsrc fftw3 2>/dev/null)" ] && return
  if [ -f "$list" ]; then
    sed 's/^Types: deb$/Types: deb-src/' "$list" >"$src"
  elif [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >/etc/apt/sources.list.d/debian-src.list
  fi
  apt-get update
}

# emcc's own command for compiling a C file, the clang it runs with its flags, when that
# command writes the very object emcc writes (checked on a probe); nothing otherwise.
# emcc is a Python program that costs more than the compiling of most of FFTW's
# hundreds of small files.
direct_c_compiler() {
  local probe="$out/probe" command
  rm -rf "$probe"
  mkdir -p "$probe"
  printf 'double probe(double x) { return x * x + 1.0; }\n' >"$probe/probe.c"
  command=$(cd "$probe" && emcc -v -O2 -c probe.c -o emcc.o 2>&1 |
    sed -n 's/^ *"\(\/[^"]*\/clang-[0-9.]*\)"\(.*\) -v -O2 -c probe\.c -o emcc\.o$/\1\2/p' | head -n 1)
  if [ -n "$command" ] && (cd "$probe" && $command -O2 -c probe.c -o direct.o 2>/dev/null) &&
     cmp -s "$probe/emcc.o" "$probe/direct.o"; then
    echo "$command"
  fi
  rm -rf "$probe"
}

build_fftw() {
  local prefix="$out/fftw"
  if [ -f "$prefix/lib/libfftw3.a" ]; then
    echo "FFTW for WebAssembly: $prefix (already built)"
    return
  fi
  local start
  start=$(date +%s)
  mkdir -p "$out/src"
  if ! ls "$out"/src/fftw3_*.dsc >/dev/null 2>&1; then
    add_source_entries
    (cd "$out/src" && apt-get source --download-only fftw3)
  fi
  local dsc
  dsc=$(ls "$out"/src/fftw3_*.dsc | head -n 1)
  rm -rf "$out/src/fftw3"
  dpkg-source --no-check -x "$dsc" "$out/src/fftw3" >/dev/null
  # Only what quality/ calls: double-precision complex and real-to-complex plans, planned
  # with FFTW_ESTIMATE. No threads (the page computes on one thread), no SIMD (portable
  # WebAssembly), no Fortran, no documentation.
  # The answers of configure's checks for this FFTW and this emscripten, when they are
  # the ones they were found for (web/fftw-wasm-config.cache); a copy, configure writes
  # to it.
  local cache=/dev/null
  if [[ "$dsc" == */fftw3_3.3.10-1.dsc ]] && emcc --version | head -n 1 | grep -q ' 3\.1\.6 '; then
    cache="$out/fftw-config.cache"
    cp web/fftw-wasm-config.cache "$cache"
  fi
  (
    cd "$out/src/fftw3"
    # FFTW's config.sub (2018) predates the emscripten system name: wasm32 Linux marks the
    # build as a cross build, so configure compiles its checks without running them.
    emconfigure ./configure --cache-file="$cache" --prefix="$prefix" --host=wasm32-unknown-linux \
      --disable-shared --enable-static --disable-threads --disable-openmp \
      --disable-fortran --disable-doc --disable-dependency-tracking \
      CFLAGS="-O2" >"$out/fftw-configure.log" 2>&1 || failed "$out/fftw-configure.log"
    # The library only: its folders, then the library of them, not FFTW's own tests,
    # benchmark and tools.
    local direct dir
    direct=$(direct_c_compiler)
    {
      # With emcc's own clang command the objects are compiled without libtool, and
      # make then only links them (scripts/fftw-compile.py).
      if [ -n "$direct" ]; then
        for dir in kernel simd-support dft rdft reodft api; do
          make -n -C "$dir" CC=@CC@
        done | python3 "$root/scripts/fftw-compile.py" "$direct" "$jobs"
      fi
      for dir in support kernel simd-support dft rdft reodft api; do
        emmake make -j"$jobs" -C "$dir" ${direct:+CC="$direct"}
      done
      emmake make -j"$jobs" libfftw3.la ${direct:+CC="$direct"}
    } >"$out/fftw-make.log" 2>&1 || failed "$out/fftw-make.log"
    {
      emmake make install-libLTLIBRARIES install-pkgconfigDATA
      emmake make -C api install-includeHEADERS
    } >"$out/fftw-install.log" 2>&1 || failed "$out/fftw-install.log"
  )
  echo "FFTW for WebAssembly built in $(elapsed "$start"): $prefix"
}

build_libraries() {
  local start
  start=$(date +%s)
  # quality/ finds FFTW through pkg-config: only the WebAssembly build's .pc is seen.
  # Exceptions are caught as in the native program (bad_alloc of a too large analysis).
  PKG_CONFIG_LIBDIR="$out/fftw/lib/pkgconfig" emcmake cmake -S . -B "$out/cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS="-fexceptions" -DCMAKE_UNITY_BUILD=ON \
    -DSPEKULOR_APP=OFF -DSPEKULOR_CLI=OFF -DSPEKULOR_THREADS=OFF -DSPEKULOR_TESTS=OFF \
    -DSPEKULOR_BENCH=OFF -DSPEKULOR_WEB=ON -DSPEKULOR_WERROR=ON \
    -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=BOTH -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=BOTH \
    -DSPEKULOR_WEB_SITE="$out/site" >"$out/cmake-configure.log" 2>&1 ||
    failed "$out/cmake-configure.log"
  cmake --build "$out/cmake" -j"$jobs"
  echo "Libraries and bindings built in $(elapsed "$start")"
}

# Serves the site on a free port of 127.0.0.1 for the checks and the benchmark: sets
# server (its process) and site_url once it answers.
serve_site() {
  local port
  port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  python3 -m http.server --bind 127.0.0.1 --directory "$out/site" "$port" >/dev/null 2>&1 &
  server=$!
  site_url="http://127.0.0.1:$port/"
  local tries
  for tries in $(seq 50); do
    python3 -c "import urllib.request; urllib.request.urlopen('$site_url', timeout=1)" 2>/dev/null && return
    sleep 0.1
  done
  echo "The site's server did not answer at $site_url" >&2
  exit 1
}

case "${1:-}" in
  check | bench | screenshot) install_tools web-check ;;
  *) install_tools web ;;
esac
build_fftw
[ "${1:-}" = fftw ] && exit 0
build_libraries
[ "${1:-}" = build ] && exit 0
if [ "${1:-}" = check ]; then
  cli="${CLI:-build/cli/spekulor-cli}"
  if [ ! -x "$cli" ]; then
    cmake --preset release >/dev/null
    cmake --build build -j"$jobs" --target spekulor-cli
  fi
  # Debian's emscripten output predates node's own fetch, which it would take for a
  # browser's: --no-experimental-fetch makes it read spekulor.wasm from the disk.
  status=0
  node --no-experimental-fetch tests/web/report-check.cjs "$out/site" "$cli" || status=1
  # The page itself in headless Chromium, served as scripts/web.sh serves it.
  serve_site
  /usr/bin/python3 tests/web/page-check.py "$site_url" "$cli" || status=1
  /usr/bin/python3 tests/web/page-tabs-check.py "$site_url" "$cli" || status=1
  kill "$server"
  /usr/bin/python3 tests/web/offline-check.py "$out/site" "$cli" || status=1
  exit "$status"
fi
if [ "${1:-}" = bench ]; then
  serve_site
  status=0
  /usr/bin/python3 bench/web/page-timing.py "$site_url" "$out/site" || status=1
  kill "$server"
  exit "$status"
fi
if [ "${1:-}" = screenshot ]; then
  serve_site
  status=0
  /usr/bin/python3 scripts/web-screenshot.py "$site_url" docs/web-page.png || status=1
  kill "$server"
  exit "$status"
fi
port="${PORT:-8080}"
echo "Spekulor in the browser: http://127.0.0.1:$port/"
exec python3 -m http.server --bind 127.0.0.1 --directory "$out/site" "$port"
