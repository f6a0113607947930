#!/bin/sh
# Runs a Windows program under Wine in a private prefix.
# Usage: wine-run.sh win32|win64 PREFIX_DIR PROGRAM [ARGS...]
# The prefix is created on first use; a lock keeps parallel runs from racing.
set -e
arch=$1 prefix=$2
shift 2

export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all
# No Mono or Gecko installers: nothing here needs them, and they would prompt.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
if [ "$arch" = win64 ]; then wine=wine64; else wine=wine; fi
command -v "$wine" >/dev/null 2>&1 || wine=/usr/lib/wine/$wine

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/.initialised" ]; then
    "$wine" wineboot -i >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.initialised"
  fi
  # A Wine session keeps the display it started with (none, when run by the
  # build). A run wanting another display waits for that session to end,
  # a few seconds after its last program.
  if [ "$(cat "$prefix.display" 2>/dev/null)" != "${DISPLAY:-}" ]; then
    wineserver -w
    echo "${DISPLAY:-}" >"$prefix.display"
  fi
) 9>"$prefix.lock"

exec "$wine" "$@"
