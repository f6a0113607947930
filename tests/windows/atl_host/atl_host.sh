#!/bin/sh
# Drives atl_host_test with the X server's real mouse and checks the screen.
# Usage: atl_host.sh OUT_DIR EMULATOR... PROGRAM
# The program prints "BOARD left top width height" and "READY x y"; this script
# clicks there with xdotool, takes a screenshot of the whole display
# (OUT_DIR/atl_screen.png, kept as the run's artifact), lets the program check
# its events, then compares the board's area of the screenshot with the core's
# render the program wrote: not one pixel may differ.
if [ -z "$DISPLAY" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"; fi
out=$1
shift
. "$(dirname "$0")/../await_line.sh"
mkdir -p "$out" && cd "$out" || exit 1
rm -f clicked output.txt atl_screen.png atl_board.png core_newgame.ppm

"$@" core_newgame.ppm clicked >output.txt 2>&1 &
program=$!

await_line READY "$program" "atl_host_test did not get ready"

set -- $(grep '^READY ' output.txt | tr -d '\r')
x=$2 y=$3
set -- $(grep '^BOARD ' output.txt | tr -d '\r')
left=$2 top=$3 width=$4 height=$5

# The pointer goes back where it was: tests after this one share the display,
# and a pointer left over their windows would move their controls' mice.
eval "$(xdotool getmouselocation --shell)"
status=0
xdotool mousemove "$x" "$y" click 1 || status=1
import -window root atl_screen.png || status=1
xdotool mousemove "$X" "$Y"
touch clicked
wait "$program" || status=1
cat output.txt

if [ -f atl_screen.png ] && [ -f core_newgame.ppm ]; then
  convert atl_screen.png -crop "${width}x${height}+${left}+${top}" +repage atl_board.png
  differing=$(compare -metric AE core_newgame.ppm atl_board.png null: 2>&1)
  echo "screenshot of the board against the core's render: $differing differing pixels"
  [ "$differing" = 0 ] || status=1
else
  echo "no screenshot or no reference picture"
  status=1
fi
[ "$status" = 0 ] && echo "atl_host passed"
exit "$status"
