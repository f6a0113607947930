#!/bin/sh
# Drives accessibility_test with the X server's real keyboard.
# Usage: accessibility.sh OUT_DIR EMULATOR... PROGRAM
# When the program prints "KEYS x y" the board has the focus: this script
# focuses the host window, keeps the pointer over the board (without a window
# manager keys go where the pointer is), presses Up Right Right Space End
# Return, and touches keys_done.
if [ -z "$DISPLAY" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"; fi
out=$1
shift
. "$(dirname "$0")/../await_line.sh"
mkdir -p "$out" && cd "$out" || exit 1
rm -f keys_done stop.flag
: >output.txt

"$@" >output.txt 2>&1 &
program=$!

await_line KEYS "$program" "accessibility_test did not get to the keys"
set -- $(grep '^KEYS ' output.txt | tr -d '\r')
x=$2 y=$3

eval "$(xdotool getmouselocation --shell)"
status=0
host=$(xdotool search --name 'Orvel accessibility host' | head -n 1)
[ -n "$host" ] && xdotool windowfocus --sync "$host"
xdotool mousemove --sync "$x" "$y" || status=1
# The reader, in another process, asks for the focused square after each
# WinEvent: keys faster than it reads would reach it out of order. Nothing
# says when it has read, so the keys are paced.
for key in Up Right Right space End Return; do
  xdotool key "$key" || status=1
  sleep 0.2
done
xdotool mousemove "$X" "$Y"
touch keys_done
wait "$program" || status=1
cat output.txt
[ "$status" = 0 ] && echo "accessibility passed"
exit "$status"
