#!/bin/sh
# Drives moves_test with the X server's real mouse and keyboard.
# Usage: moves.sh OUT_DIR DPI|- OCX PROGRAM EMULATOR...
# With a DPI, the emulator's prefix is first set to it and the control
# registered there; "-" keeps the prefix as it is. Round by round the program
# prints "DO n ACTION..." and waits for the file done_n. Actions: press:X,Y,
# move:X,Y and release:X,Y for the left button, click:X,Y, dblclick:X,Y, key:NAME, focus (the
# keyboard to the program's window), shot:FILE (a picture of the whole display).
# The keys go to the focused window, so the test takes a display of its own,
# where no other test's new window can take the focus: the first free number
# three after the display it was given (the screen-reader tests take the two
# before), so trees tested side by side do not collide.
if [ -z "$MOVES_OWN_DISPLAY" ]; then
  given=${DISPLAY#*:}
  given=${given%%.*}
  export MOVES_OWN_DISPLAY=1
  exec xvfb-run -a -n $((${given:-97} + 3)) -s "-screen 0 1280x1024x24" sh "$0" "$@"
fi
out=$1 dpi=$2 ocx=$3 program=$4
shift 4
mkdir -p "$out" && cd "$out" || exit 1
rm -f done_* output.txt mid_drag_*.png
if [ "$dpi" != - ]; then
  "$@" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  "$@" regsvr32 /s "$ocx"
fi
: >output.txt
"$@" "$program" >output.txt 2>&1 &
pid=$!

# The pointer goes back where it was: tests after this one share the display.
eval "$(xdotool getmouselocation --shell)"
status=0
round=0
while :; do
  until grep -q "^DO $round \|^END" output.txt; do
    kill -0 "$pid" 2>/dev/null || break 2
    sleep 0.1
  done
  grep -q "^DO $round " output.txt || break
  for action in $(grep "^DO $round " output.txt | tr -d '\r' | cut -d' ' -f3-); do
    where=$(echo "${action#*:}" | tr ',' ' ')
    case $action in
      focus) xdotool windowfocus --sync "$(xdotool search --name 'Orvel moves host' | head -n 1)" ;;
      press:*) xdotool mousemove $where mousedown 1 ;;
      move:*) xdotool mousemove $where ;;
      release:*) xdotool mousemove $where mouseup 1 ;;
      click:*) xdotool mousemove $where click 1 ;;
      dblclick:*) xdotool mousemove $where click --repeat 2 --delay 40 1 ;;
      key:*) xdotool key "${action#key:}" ;;
      shot:*) import -window root "${action#shot:}" && echo "screenshot: $PWD/${action#shot:}" ;;
    esac || status=1
  done
  touch "done_$round"
  round=$((round + 1))
done
xdotool mousemove "$X" "$Y"
wait "$pid" || status=1
cat output.txt
[ "$status" = 0 ] && echo "moves passed"
exit "$status"
