# Helpers of the hosted-mode tests, on top of lib.sh: a daemon's window
# stood in for by hosted-window.c, and looks at what was drawn into it.

HOSTED_DIR=$(dirname "${BASH_SOURCE[0]}")

# Maps a grey W x H window at X, Y; sets HOST_WIN (its id) and HOST_CTL (a
# pipe whose lines resize or destroy it). $5 names the window's pipe.
start_host_window() {
  local helper=$E2E_TMP/hosted-window ctl=$E2E_TMP/${5:-host}.ctl
  [ -x "$helper" ] || cc -o "$helper" "$HOSTED_DIR/hosted-window.c" -lX11 ||
    fail "cannot build the window helper"
  mkfifo "$ctl"
  "$helper" "${@:1:4}" < "$ctl" > "$ctl.id" &
  E2E_PIDS+=($!)
  exec {HOST_FD}> "$ctl"
  for _ in $(seq 50); do [ -s "$ctl.id" ] && break; sleep 0.1; done
  HOST_WIN=$(cat "$ctl.id")
  HOST_CTL=$HOST_FD
  [ -n "$HOST_WIN" ] || fail "the window helper printed no window"
}

# Waits up to $1 seconds until hosted-check.py, given a fresh screenshot and
# the rest of the arguments, passes.
wait_for_drawing() {
  local limit=$1
  shift
  for _ in $(seq $((limit * 2))); do
    screenshot "$E2E_TMP/now.ppm"
    python3 "$HOSTED_DIR/hosted-check.py" "$E2E_TMP/now.ppm" "$@" 2>"$E2E_TMP/why" && return 0
    sleep 0.5
  done
  fail "$(cat "$E2E_TMP/why")"
}

# The number of windows mapped on the screen, besides the root.
mapped_windows() {
  xwininfo -root -children | grep -c '^ *0x' || true
}

# Sends SIGTERM to our child $1 and waits for its end; sets TERM_MS (the
# milliseconds until it ended) and EXIT_STATUS. Runs in this shell.
term_and_time() {
  local pid=$1 start end
  start=$(date +%s%N)
  kill -TERM "$pid"
  while [ -e "/proc/$pid" ] && [ "$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null)" != Z ]; do
    sleep 0.002
  done
  end=$(date +%s%N)
  EXIT_STATUS=0
  wait "$pid" || EXIT_STATUS=$?
  TERM_MS=$(((end - start) / 1000000))
}
