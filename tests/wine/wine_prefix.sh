#!/bin/sh
# The Wine prefix of the test run: "setup" creates or updates it and keeps a
# Wine server running for the tests that follow (each program then starts in
# well under a second); "cleanup" stops that server.
set -eu
: "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
case $2 in
  setup)
    mkdir -p "$WINEPREFIX"
    # The server and Wine's services outlive this script: holding its output
    # would keep the test run waiting. A server running already is fine.
    "$1" --persistent=120 </dev/null >"$WINEPREFIX/setup.log" 2>&1 || true
    wine wineboot --init </dev/null >>"$WINEPREFIX/setup.log" 2>&1 || { cat "$WINEPREFIX/setup.log" >&2; exit 1; }
    ;;
  cleanup) "$1" --kill || true ;;
  *) echo "usage: $0 WINESERVER setup|cleanup" >&2; exit 2 ;;
esac
