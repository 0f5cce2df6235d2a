# Helpers of the daemon tests: an unprivileged user (XScreenSaver refuses to
# run hacks as root) with a program directory and a home it can read.

DAEMON_USER=tarvex-e2e

# Creates the user when missing; sets DAEMON_HOME (a fresh home in E2E_TMP)
# and makes the program directory readable by it.
make_daemon_user() {
  id "$DAEMON_USER" >/dev/null 2>&1 || useradd --system --no-create-home "$DAEMON_USER" ||
    fail "cannot create the user $DAEMON_USER"
  DAEMON_HOME=$E2E_TMP/home
  mkdir -p "$DAEMON_HOME/runtime"
  chmod 755 "$E2E_TMP"
  chmod -R a+rX "$PROGRAM_DIR"
  chown -R "$DAEMON_USER" "$DAEMON_HOME"
  chmod 700 "$DAEMON_HOME/runtime"
}

# Runs a command as the user, in its home, on our display.
as_daemon_user() {
  runuser -u "$DAEMON_USER" -- env -i PATH=/usr/bin:/bin HOME="$DAEMON_HOME" DISPLAY="$DISPLAY" \
    XDG_RUNTIME_DIR="$DAEMON_HOME/runtime" XDG_CONFIG_HOME="$DAEMON_HOME/.config" "$@"
}

# Waits up to $1 seconds for the user's tarvex to run; sets TARVEX_PID.
wait_for_user_tarvex() {
  for _ in $(seq $(($1 * 10))); do
    TARVEX_PID=$(pgrep -u "$DAEMON_USER" -f "$PROGRAM_DIR/tarvex" | head -n 1 || true)
    [ -n "$TARVEX_PID" ] && return 0
    sleep 0.1
  done
  fail "the daemon started no tarvex"
}

# Milliseconds until process $1 (not our child) has ended, failing after $2
# s. An ended process may stay a zombie: nobody here need reap it.
ms_until_gone() {
  local pid=$1 start
  start=$(date +%s%N)
  for _ in $(seq $(($2 * 100))); do
    if [ "$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null || echo X)" = Z ] ||
      [ ! -e "/proc/$pid" ]; then
      echo $((($(date +%s%N) - start) / 1000000))
      return 0
    fi
    sleep 0.01
  done
  fail "tarvex still runs $2 s after the daemon let go"
}
