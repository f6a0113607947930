#!/bin/sh
# Runs the test container's "scale" group with the display set to DPI dots per
# inch, in the Wine prefix given (every new Wine process reads the setting).
# With "-" for CONTAINER_TEST it only sets the DPI and registers the control.
# Usage: at_dpi.sh DPI OCX CONTAINER_TEST|- WINE_RUN [WINE_RUN_ARGS...]
set -e
dpi=$1 ocx=$2 container_test=$3
shift 3
"$@" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
"$@" regsvr32 /s "$ocx"
[ "$container_test" = - ] || "$@" "$container_test" scale
