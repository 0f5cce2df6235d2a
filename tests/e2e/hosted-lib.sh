# Helpers of the hosted-mode tests, on top of lib.sh.
DAEMON_USER=tarvex-e2e  # XScreenSaver refuses to run hacks as root

# Maps a daemon's window (hosted-window.c W H X Y); sets HOST_WIN and HOST_CTL.
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

# The whole screen as a binary PPM with 8 bits per sample, in file $1.
screenshot() { import -silent -window root -depth 8 "ppm:$1"; }

# Waits up to $1 s until "screen-check.py window" passes with the other arguments.
wait_for_drawing() {
  for _ in $(seq $(($1 * 2))); do
    screenshot "$E2E_TMP/now.ppm"
    python3 "$E2E_DIR/screen-check.py" window "$E2E_TMP/now.ppm" "${@:2}" 2>"$E2E_TMP/why" && return 0
    sleep 0.5
  done
  fail "$(cat "$E2E_TMP/why")"
}

# Sets GONE_MS to the ms until process $1 has ended (or is a zombie), at most $2 s.
wait_gone() {
  local start state
  start=$(date +%s%N)
  for _ in $(seq $(($2 * 200))); do
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null || true)
    if [ -z "$state" ] || [ "$state" = Z ]; then
      GONE_MS=$((($(date +%s%N) - start) / 1000000))
      return 0
    fi
    sleep 0.005
  done
  fail "process $1 still runs after $2 s"
}

# An unprivileged user with a home in E2E_TMP; runs commands, finds its tarvex.
make_daemon_user() {
  id "$DAEMON_USER" >/dev/null 2>&1 || useradd --system --no-create-home "$DAEMON_USER"
  DAEMON_HOME=$E2E_TMP/home
  mkdir -p -m 700 "$DAEMON_HOME/runtime"
  chmod 755 "$E2E_TMP" && chmod -R a+rX "$PROGRAM_DIR" && chown -R "$DAEMON_USER" "$DAEMON_HOME"
}
as_daemon_user() {
  runuser -u "$DAEMON_USER" -- env -i PATH=/usr/bin:/bin HOME="$DAEMON_HOME" DISPLAY="$DISPLAY" \
    XDG_RUNTIME_DIR="$DAEMON_HOME/runtime" "$@"
}
# Sets TARVEX_PID once the daemon has started its tarvex.
wait_for_user_tarvex() {
  for _ in $(seq 100); do
    TARVEX_PID=$(pgrep -u "$DAEMON_USER" -f "$PROGRAM_DIR/tarvex" | head -n 1) && return 0
    sleep 0.1
  done
  fail "the daemon started no tarvex"
}

# The daemon's tarvex draws on the whole screen and maps no window of its own;
# then `$@` tells the daemon to end it, which must take at most 1 s.
expect_drawn_then_gone_after() {
  wait_for_user_tarvex
  wait_for_drawing 15 0 0 800 600
  [ -z "$(xdotool search --onlyvisible --class tarvex || true)" ] || fail "tarvex mapped a window"
  "$@" >/dev/null || fail "could not tell the daemon to end the saver"
  wait_gone "$TARVEX_PID" 1
}
