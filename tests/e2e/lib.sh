# Shared set-up for the end-to-end scripts: a private X display, a program
# directory of our own, and clean-up of everything started.
# Needs TARVEX_BUILD (the build's program directory), set by ctest.

set -euo pipefail

E2E_PIDS=()
E2E_TMP=$(mktemp -d)

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb on a free display at the given size (default 1024x768) and
# exports DISPLAY.
start_xvfb() {
  local size=${1:-1024x768} n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
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

# Waits until a window whose name matches $1 is mapped; prints its id.
wait_for_window() {
  local name=$1 id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  fail "no window named '$name' appeared"
}

# Waits up to $2 seconds (default 5) for process $1 to end; prints its status.
wait_for_exit() {
  local pid=$1 limit=${2:-5} status
  for _ in $(seq $((limit * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      status=0
      wait "$pid" || status=$?
      echo "$status"
      return 0
    fi
    sleep 0.1
  done
  fail "process $pid still runs after ${limit}s"
}
