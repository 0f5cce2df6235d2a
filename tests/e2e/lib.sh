# Shared set-up for the end-to-end scripts, Linux and Wine: a private X
# display, a program directory of our own, the saver's settings and message
# files, waiting for windows and processes, screenshots, and clean-up of
# everything started.
# Needs TARVEX_BUILD (the build's program directory), set by ctest.

set -euo pipefail

E2E_PIDS=()
E2E_TMP=$(mktemp -d)
# How long wait_for_window waits by default, in seconds.
WINDOW_WAIT_SECONDS=10

# A library on top may define e2e_extra_cleanup, run before the processes
# started are stopped.
e2e_cleanup() {
  local pid
  if declare -F e2e_extra_cleanup >/dev/null; then e2e_extra_cleanup; fi
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb at the given size (default 1024x768) and exports DISPLAY. The
# display number is drawn at random far above the usual ones, so that other
# X clients on this machine (which default to :0) never land on it; the
# server's lock file decides between two tests that draw the same number.
# -noreset: without it the server resets when its last client leaves (the
# readiness probe), refusing whoever connects during the reset.
start_xvfb() {
  local size=${1:-1024x768} n pid
  for _ in $(seq 20); do
    n=$((200 + RANDOM % 700))
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        E2E_PIDS+=("$pid")
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
  done
  fail "no Xvfb display could be started"
}

# A program directory with the built program and library, and a private
# configuration and lock directory; prints nothing, sets PROGRAM_DIR.
make_program_dir() {
  PROGRAM_DIR=$E2E_TMP/program
  mkdir -p "$PROGRAM_DIR" "$E2E_TMP/config" "$E2E_TMP/runtime"
  chmod 700 "$E2E_TMP/runtime"
  cp "$TARVEX_BUILD/tarvex" "$PROGRAM_DIR/"
  [ -f "$TARVEX_BUILD/libvbmp3.so" ] && cp "$TARVEX_BUILD/libvbmp3.so" "$PROGRAM_DIR/"
  export XDG_CONFIG_HOME=$E2E_TMP/config
  export XDG_RUNTIME_DIR=$E2E_TMP/runtime
}

# Waits up to $2 seconds (default WINDOW_WAIT_SECONDS) until a window whose
# name matches $1 is mapped; prints its id.
wait_for_window() {
  local name=$1 limit=${2:-$WINDOW_WAIT_SECONDS} id
  for _ in $(seq $((limit * 10))); do
    id=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  fail "no window named '$name' appeared"
}

# Waits up to $2 seconds (default 5) for our child process $1 to end and sets
# EXIT_STATUS. Runs in this shell (not in $(...)): only the parent can collect
# a child's status.
wait_for_exit() {
  local pid=$1 limit=${2:-5}
  for _ in $(seq $((limit * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      EXIT_STATUS=0
      wait "$pid" || EXIT_STATUS=$?
      return 0
    fi
    sleep 0.1
  done
  fail "process $pid still runs after ${limit}s"
}

# The whole screen as a binary PPM with 8 bits per sample, in file $1.
screenshot() {
  import -silent -window root -depth 8 "ppm:$1"
}

# tarvex.ini with a 25 ms period and white text, and a message of three lines
# of full-width squares (Shift-JIS 81 A1) with an empty line between.
write_saver_files() {
  printf '[TARVEX]\r\nTIME=1\r\nFONTCOLOR=16777215\r\n' > "$PROGRAM_DIR/tarvex.ini"
  local squares
  squares=$(printf '\x81\xa1%.0s' $(seq 24))
  printf '%s\r\n\r\n%s\r\n%s\r\n' "$squares" "$squares" "$squares" > "$PROGRAM_DIR/readme.txt"
}

# Starts "tarvex /s" in the background; sets SAVER_PID and SAVER_WIN.
start_saver() {
  "$PROGRAM_DIR/tarvex" /s &
  SAVER_PID=$!
  E2E_PIDS+=("$SAVER_PID")
  SAVER_WIN=$(wait_for_window '^Form1$')
}

# Prints "blank" or "visible": the pointer's current image.
pointer_image() {
  local probe=$E2E_TMP/pointer-probe
  if [ ! -x "$probe" ]; then
    cc -o "$probe" "$(dirname "${BASH_SOURCE[0]}")/saver-pointer-probe.c" -lXfixes -lX11 ||
      fail "cannot build the pointer probe"
  fi
  "$probe"
}

# True while the saver process runs.
saver_running() {
  kill -0 "$SAVER_PID" 2>/dev/null
}
