#!/bin/sh
# The control against a bare window at 96, 144 and 192 DPI, each in a prefix
# of its own set to that DPI (every new Wine process reads the setting): whole
# repaints, then the other paint paths (drag frames, Draw, arrows), then 40
# boards of each class in turn, each class in a process of its own.
# Usage, from the folder holding many_boards.exe: versus_bare.sh win32|win64 [ROUNDS [PATH_ROUNDS]]
set -e
arch=$1 rounds=${2:-30} path_rounds=${3:-15}
wine_run="$(dirname "$0")/../../tools/wine-run.sh"
for dpi in 96 144 192; do
  prefix="$PWD/wineprefix-$arch-dpi-$dpi"
  sh "$wine_run" "$arch" "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >/dev/null
  sh "$wine_run" "$arch" "$prefix" many_boards.exe --versus-bare "$rounds"
  sh "$wine_run" "$arch" "$prefix" many_boards.exe --paint-paths "$path_rounds"
  for class in chess board; do
    sh "$wine_run" "$arch" "$prefix" many_boards.exe --in-turn "$class" "$path_rounds"
  done
  echo
done
