#!/bin/sh
# Runs a group of the test container with the display set to DPI dots per
# inch, in the Wine prefix given (every new Wine process reads the setting).
# With "-" for CONTAINER_TEST it only sets the DPI and registers the control.
# Usage: at_dpi.sh DPI GROUP OCX CONTAINER_TEST|- WINE_RUN [WINE_RUN_ARGS...]
set -e
dpi=$1 group=$2 ocx=$3 container_test=$4
shift 4
"$@" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
"$@" regsvr32 /s "$ocx"
[ "$container_test" = - ] || "$@" "$container_test" "$group"
