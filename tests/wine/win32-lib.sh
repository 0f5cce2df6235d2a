# Shared set-up for the Windows program's tests under Wine, on top of the
# end-to-end helpers (tests/e2e/lib.sh): a throw-away Wine prefix with the
# Japanese locale (code page 932), a program directory of our own, and the
# prefix's Wine server stopped at the end.
# Needs TARVEX_BUILD (the cross build's program directory), set by ctest.

source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
# No Mono or Gecko installers in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

W32_PREFIX=
# Wine maps its first window slowly.
WINDOW_WAIT_SECONDS=30

# Only the Wine server of our own prefix is stopped.
e2e_extra_cleanup() {
  if [ -n "$W32_PREFIX" ]; then WINEPREFIX=$W32_PREFIX wineserver -k 2>/dev/null || true; fi
}

# A fresh Wine prefix in the temporary directory, with its own Wine server.
make_wine_prefix() {
  W32_PREFIX=$E2E_TMP/prefix
  export WINEPREFIX=$W32_PREFIX
  wine wineboot --init >/dev/null 2>&1 || fail "wineboot could not make a prefix"
  wineserver -w
}

# Replaces lib.sh's: a program directory with tarvex.scr and VBMP3.dll; sets
# PROGRAM_DIR.
make_program_dir() {
  PROGRAM_DIR=$E2E_TMP/program
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
  wine "$PROGRAM_DIR/tarvex.scr" "$@" >"$E2E_TMP/program.log" 2>&1 &
  APP_PID=$!
  E2E_PIDS+=("$APP_PID")
}
