#!/bin/sh
# Builds the 32-bit control, the demo host and the 32-bit release packages (no
# tests, no benchmarks) and runs the demo: in a window when a display is
# available; otherwise on a virtual display, playing a short scripted game with
# the mouse and saving a screenshot. DEMO_DPI=192 shows it as a 200 % display does.
set -e
cd "$(dirname "$0")"
sh tools/install-packages.sh

cmake --no-warn-unused-cli -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build-win32 -j"$(nproc)" --target OrvelBoard orvel_demo packages
packages=$(sed -n 's/^ORVEL_PACKAGE_DIR:PATH=//p' build-win32/CMakeCache.txt)
echo "The 32-bit release packages are in $packages:"
ls "$packages" | grep -e '-x86' -e '-win32' | sed 's/^/  /'
# A prefix of its own: DEMO_DPI must not change the scale the tests' prefix runs at.
prefix=$PWD/build-win32/wineprefix-demo
run="sh tools/wine-run.sh win32 $prefix"
$run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${DEMO_DPI:-96}" /f >/dev/null
$run regsvr32 /s build-win32/component/OrvelBoard.ocx
demo=build-win32/host/demo/orvel_demo.exe

if [ -n "$DISPLAY" ]; then
  exec $run "$demo"
fi
picture="$PWD/build-win32/demo.png"
# The Wine session is waited out before the virtual display goes, so no Wine
# process is left to lose its X connection.
# The virtual screen grows with the scale, so a 200 % form fits on it.
dpi=${DEMO_DPI:-96}
xvfb-run -a -s "-screen 0 $((1024 * dpi / 96))x$((768 * dpi / 96))x24" sh -c \
  "$run $demo --scripted build-win32/demo.bmp && WINEPREFIX=$prefix wineserver -w"
convert build-win32/demo.bmp "$picture"
echo "No display: played a scripted game. Screenshot: $picture"
