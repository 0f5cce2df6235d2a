# Shared set-up for the saver's end-to-end scripts, on top of lib.sh: the
# settings and message files, starting the saver and a probe of the pointer's
# image.

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

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
