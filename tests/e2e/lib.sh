# Shared steps of the end-to-end scripts, for the Linux program and for the
# Windows one under Wine. Needs TARVEX_BUILD (the build's program directory).

set -euo pipefail
unset QT_QPA_PLATFORM  # real windows, not the offscreen platform

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_PIDS=()
E2E_TMP=$(mktemp -d)
WINE_PREFIX_DIR=
WINDOW_WAIT_SECONDS=10

# Stops what was started, and only the Wine server of our own prefix.
e2e_cleanup() {
  if [ -n "$WINE_PREFIX_DIR" ]; then WINEPREFIX=$WINE_PREFIX_DIR wineserver -k 2>/dev/null || true; fi
  { kill "${E2E_PIDS[@]}"; wait "${E2E_PIDS[@]}"; } 2>/dev/null || true
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }

# Starts Xvfb (default 1024x768) on a display drawn far above :0, where other
# clients never land; its lock file decides between two tests that draw the
# same. -noreset: else the server resets when the readiness probe leaves.
start_xvfb() {
  local n
  for _ in $(seq 20); do
    n=$((200 + RANDOM % 700))
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      kill -0 $! 2>/dev/null || break
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
  done
  fail "no Xvfb display could be started"
}

# Two monitors, the primary $1 (WxH) and 1280x1024 beside it, room for a
# 640x480 one right of them, on a red root window.
use_two_monitors() {
  local width=${1%x*} height=${1#*x}
  start_xvfb "$((width + 1920))x$((height > 1024 ? height : 1024))"
  xrandr --setmonitor primary "$width/$((width / 4))x$height/$((height / 4))+0+0" screen >/dev/null
  xrandr --setmonitor second "1280/320x1024/256+${width}+0" none >/dev/null
  xsetroot -solid red
}

# The monitors given (WxH+X+Y, the primary first), and the crawl $1 s apart: see screen-check.py.
check_monitors() { python3 "$E2E_DIR/screen-check.py" monitors "$@" || fail "the monitors are not as expected"; }
check_crawl() { python3 "$E2E_DIR/screen-check.py" crawl "$1" || fail "the crawl is not as expected"; }
pointer_image() { python3 "$E2E_DIR/screen-check.py" pointer; }

# The Windows program from here on: Wine, code page 932, a fresh prefix.
use_wine() {
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers
  export WINEPREFIX=$E2E_TMP/prefix && WINE_PREFIX_DIR=$WINEPREFIX
  WINDOW_WAIT_SECONDS=30  # Wine maps its first window slowly
  wine wineboot --init >/dev/null 2>&1 || fail "wineboot could not make a prefix"
  wineserver -w
}

# Our own program directory, configuration and lock directories; sets PROGRAM.
make_program_dir() {
  PROGRAM_DIR=$E2E_TMP/program
  mkdir -p "$PROGRAM_DIR" "$E2E_TMP/config" "$E2E_TMP/runtime"
  chmod 700 "$E2E_TMP/runtime"
  for file in tarvex libvbmp3.so tarvex.scr VBMP3.dll; do [ ! -f "$TARVEX_BUILD/$file" ] || cp "$TARVEX_BUILD/$file" "$PROGRAM_DIR/"; done
  export XDG_CONFIG_HOME=$E2E_TMP/config XDG_RUNTIME_DIR=$E2E_TMP/runtime
  PROGRAM=("$PROGRAM_DIR/tarvex")
  [ -z "$WINE_PREFIX_DIR" ] || PROGRAM=(wine "$PROGRAM_DIR/tarvex.scr")
}

# The playback library that writes what it plays to $TARVEX_WAV_OUT, and an
# 8 s tone of 440 Hz as the MP3 file $1.
use_wav_library() {
  cp "$TARVEX_WAV_SHIM" "$PROGRAM_DIR/libvbmp3.so"
  sox -n -r 44100 -c 2 "$E2E_TMP/tone.wav" synth 8 sine 440
  lame --quiet -b 128 "$E2E_TMP/tone.wav" "$1"
}

# Starts the program in the background, its output in program.log; sets APP_PID.
start_program() { "${PROGRAM[@]}" "$@" >"$E2E_TMP/program.log" 2>&1 & APP_PID=$! && E2E_PIDS+=("$APP_PID"); }

# Prints the id of a mapped window whose name matches $1, once there is one.
wait_for_window() {
  for _ in $(seq $((WINDOW_WAIT_SECONDS * 10))); do xdotool search --onlyvisible --limit 1 --name "$1" 2>/dev/null && return 0 || sleep 0.1; done
  fail "no window named '$1' appeared: $(cat "$E2E_TMP/program.log" 2>/dev/null)"
}

# Child $3 (default: the program started last) must end within $2 seconds with
# status $1. Not in $(...): only the parent can collect a child's status.
expect_exit() {
  local pid=${3:-$APP_PID} status=0
  for _ in $(seq $(($2 * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" || status=$?
      [ "$status" = "$1" ] || fail "exit status $status, not $1: $(cat "$E2E_TMP/program.log")"
      return 0
    fi
    sleep 0.1
  done
  fail "process $pid still runs after $2 s"
}

# tarvex.ini with a 25 ms period and white text, and a message of three lines
# of full-width squares (Shift-JIS 81 A1) with an empty line between.
write_saver_files() {
  printf '[TARVEX]\r\nTIME=1\r\nFONTCOLOR=16777215\r\n' >"$PROGRAM_DIR/tarvex.ini"
  local squares=$(printf '\x81\xa1%.0s' $(seq 24))
  printf '%s\r\n\r\n%s\r\n%s\r\n' "$squares" "$squares" "$squares" >"$PROGRAM_DIR/readme.txt"
}

# Starts "/s" with the pointer mid-screen; sets SAVER_PID once its window shows.
start_saver() { xdotool mousemove 512 384 && start_program /s && SAVER_PID=$APP_PID && wait_for_window '^Form1$' >/dev/null; }

# A second start, with each switch given, must end at once with status 0
# and show no window beside the running one.
expect_second_instances_to_end() {
  for switch in "$@"; do start_program "$switch" && expect_exit 0 20; done
  [ "$(xdotool search --onlyvisible --name . | wc -l)" = 1 ] || fail "a second instance showed a window"
}

# Presses Enter in every message box titled "tarvex" until the command succeeds.
answer_boxes_until() {
  for _ in $(seq 20); do
    "$@" && return 0
    for box in $(xdotool search --onlyvisible --name '^tarvex$' 2>/dev/null); do xdotool windowfocus --sync "$box" key Return 2>/dev/null || true; done
    sleep 0.25
  done
}

# Starts "/c" and gives the settings dialog (its focus on 保 存) the keyboard.
open_dialog() { start_program /c && xdotool windowfocus --sync "$(wait_for_window 'ソラリオン風')" && sleep 0.5; }

# Escape leaves the dialog open; Enter on 保 存 saves (tarvex.ini must hold
# the printf format $1) and ends it; Tab, Enter (取 消) leave the file alone.
dialog_save_then_cancel() {
  local ini=$PROGRAM_DIR/tarvex.ini
  open_dialog
  xdotool key Escape sleep 0.5
  kill -0 "$APP_PID" 2>/dev/null || fail "Escape ended the program"
  xdotool key Return && expect_exit 0 10
  # shellcheck disable=SC2059 # the expected bytes are given as a format
  printf "$1" >"$E2E_TMP/expected.ini"
  cmp "$ini" "$E2E_TMP/expected.ini" || fail "the saved file differs: $(od -c "$ini")"
  cp "$ini" "$E2E_TMP/saved.ini"
  open_dialog && xdotool key Tab Return && expect_exit 0 10
  cmp "$ini" "$E2E_TMP/saved.ini" || fail "cancel changed the file"
}

# Hosted mode. Maps a daemon's window (hosted-window.c W H X Y); sets HOST_WIN and HOST_CTL.
start_host_window() {
  local ctl=$E2E_TMP/host-$RANDOM
  [ -x "$E2E_TMP/hosted-window" ] || cc -o "$E2E_TMP/hosted-window" "$E2E_DIR/hosted-window.c" -lX11
  mkfifo "$ctl"
  "$E2E_TMP/hosted-window" "$@" <"$ctl" >"$ctl.id" &
  E2E_PIDS+=($!)
  exec {HOST_CTL}>"$ctl"
  for _ in $(seq 50); do [ -s "$ctl.id" ] && break || sleep 0.1; done
  HOST_WIN=$(cat "$ctl.id")
}

# Waits up to $1 s until "screen-check.py window -" passes with the other arguments.
wait_for_drawing() {
  for _ in $(seq $(($1 * 2))); do python3 "$E2E_DIR/screen-check.py" window - "${@:2}" 2>"$E2E_TMP/why" && return 0 || sleep 0.5; done
  fail "$(cat "$E2E_TMP/why")"
}

# Sets GONE_MS to the ms until process $1 has ended (or is a zombie), at most $2 s.
wait_gone() {
  local start state
  start=$(date +%s%N)
  for _ in $(seq $(($2 * 200))); do
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null || true)
    [ -n "$state" ] && [ "$state" != Z ] || { GONE_MS=$((($(date +%s%N) - start) / 1000000)) && return 0; }
    sleep 0.005
  done
  fail "process $1 still runs after $2 s"
}
