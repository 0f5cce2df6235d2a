#!/bin/sh
# The Wine prefix of the test run: "setup" creates or updates it and keeps a
# Wine server running for the tests that follow (each program then starts in
# well under a second); "cleanup" stops that server.
set -eu
: "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
wineserver=$1
case $2 in
  setup)
    mkdir -p "$WINEPREFIX"
    # The server and Wine's services outlive this script: they must not hold
    # on to its output, or the test run would wait for them.
    log="$WINEPREFIX/setup.log"
    # Fails harmlessly when a server for the prefix runs already.
    "$wineserver" --persistent=120 </dev/null >"$log" 2>&1 || true
    if ! wine wineboot --init </dev/null >>"$log" 2>&1; then
      cat "$log" >&2
      exit 1
    fi
    ;;
  cleanup)
    "$wineserver" --kill || true
    ;;
  *)
    echo "usage: $0 WINESERVER setup|cleanup" >&2
    exit 2
    ;;
esac
