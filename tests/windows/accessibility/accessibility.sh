#!/bin/sh
# Drives accessibility_test with the X server's real keyboard and mouse.
# Usage: accessibility.sh OUT_DIR EMULATOR... PROGRAM
# Round by round the program prints "DO n ACTION..." and waits for the file
# done_n. Actions: key:NAME presses a key, click:X,Y clicks the left button at
# a point on the screen, point:X,Y rests the pointer there (without a window
# manager keys go where the pointer is), press:X,Y, move:X,Y and release:X,Y
# drag with the left button. The first round also focuses the host.
# The keys go to the focused window, so the test takes a display of its own,
# where no other test's new window can take the focus: the first free number
# after the display it was given, so trees tested side by side do not collide;
# ACCESSIBILITY_DISPLAY_STEP numbers apart, so two such tests started together do not either.
if [ -z "$ACCESSIBILITY_OWN_DISPLAY" ]; then
  given=${DISPLAY#*:}
  given=${given%%.*}
  export ACCESSIBILITY_OWN_DISPLAY=1
  exec xvfb-run -a -n $((${given:-98} + ${ACCESSIBILITY_DISPLAY_STEP:-1})) -s "-screen 0 1024x768x24" sh "$0" "$@"
fi
out=$1
shift
mkdir -p "$out" && cd "$out" || exit 1
rm -f done_* stop.flag
: >output.txt

"$@" >output.txt 2>&1 &
program=$!

eval "$(xdotool getmouselocation --shell)"
status=0
round=0
while :; do
  until grep -q "^DO $round " output.txt; do
    kill -0 "$program" 2>/dev/null || break 2
    sleep 0.1
  done
  if [ "$round" = 0 ]; then
    host=$(xdotool search --name 'Orvel accessibility host' | head -n 1)
    [ -n "$host" ] && xdotool windowfocus --sync "$host"
  fi
  for action in $(grep "^DO $round " output.txt | tr -d '\r' | cut -d' ' -f3-); do
    where=$(echo "${action#*:}" | tr ',' ' ')
    case $action in
      key:*) xdotool key "${action#key:}" || status=1 ;;
      point:*|move:*) xdotool mousemove $where || status=1 ;;
      press:*) xdotool mousemove $where mousedown 1 || status=1 ;;
      release:*) xdotool mousemove $where mouseup 1 || status=1 ;;
      click:*) { xdotool mousemove $where && xdotool click 1; } || status=1 ;;
    esac
    sleep 0.2
  done
  touch "done_$round"
  round=$((round + 1))
done
xdotool mousemove "$X" "$Y"
wait "$program" || status=1
cat output.txt
[ "$status" = 0 ] && echo "accessibility passed"
exit "$status"
