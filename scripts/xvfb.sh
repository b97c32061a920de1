# Sourced by the screenshot scripts: start_xvfb WxHxD starts a virtual X server on a
# free display, exports DISPLAY and sets xvfb_pid (the caller stops it).
start_xvfb() {
  local displayfile
  displayfile="$(mktemp)"
  # Xvfb picks a free display and writes its number to the file.
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$displayfile" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
  if [ ! -s "$displayfile" ]; then
    rm -f "$displayfile"
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$displayfile")"
  rm -f "$displayfile"
}
