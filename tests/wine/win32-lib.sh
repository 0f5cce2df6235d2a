# Shared set-up for the Windows program's tests under Wine: a private X
# display, a throw-away Wine prefix with the Japanese locale (code page 932),
# a program directory of our own, and clean-up of everything started.
# Needs TARVEX_BUILD (the cross build's program directory), set by ctest.

set -euo pipefail

export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
# No Mono or Gecko installers in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

W32_PIDS=()
W32_TMP=$(mktemp -d)
W32_PREFIX=

w32_cleanup() {
  local pid
  # Only the Wine server of our own prefix is stopped.
  if [ -n "$W32_PREFIX" ]; then WINEPREFIX=$W32_PREFIX wineserver -k 2>/dev/null || true; fi
  for pid in "${W32_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${W32_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$W32_TMP"
}
trap w32_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb on a free display at the given size (default 1024x768) and
# exports DISPLAY.
start_xvfb() {
  local size=${1:-1024x768} n
  for n in $(seq 150 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    W32_PIDS+=($!)
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
  done
  fail "no Xvfb display could be started"
}

# A fresh Wine prefix in the temporary directory, with its own Wine server.
make_wine_prefix() {
  W32_PREFIX=$W32_TMP/prefix
  export WINEPREFIX=$W32_PREFIX
  wine wineboot --init >/dev/null 2>&1 || fail "wineboot could not make a prefix"
  wineserver -w
}

# A program directory with tarvex.scr and VBMP3.dll; sets PROGRAM_DIR.
make_program_dir() {
  PROGRAM_DIR=$W32_TMP/program
  mkdir -p "$PROGRAM_DIR"
  cp "$TARVEX_BUILD/tarvex.scr" "$PROGRAM_DIR/"
  [ -f "$TARVEX_BUILD/VBMP3.dll" ] && cp "$TARVEX_BUILD/VBMP3.dll" "$PROGRAM_DIR/"
  return 0
}

# Everything a test of the program needs, in that order.
set_up_program() {
  start_xvfb "$@"
  make_wine_prefix
  make_program_dir
}

# Starts "tarvex.scr $*" in the background; sets APP_PID.
start_program() {
  wine "$PROGRAM_DIR/tarvex.scr" "$@" >"$W32_TMP/program.log" 2>&1 &
  APP_PID=$!
  W32_PIDS+=("$APP_PID")
}

# Waits until a window whose name matches $1 is mapped; prints its id.
wait_for_window() {
  local name=$1 id
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  fail "no window named '$name' appeared"
}

# Waits up to $2 seconds (default 10) for process $1, a child of this shell,
# to end; sets EXIT_STATUS to its status.
wait_for_exit() {
  local pid=$1 limit=${2:-10}
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
