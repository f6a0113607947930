#!/bin/sh
# Runs SCRIPT (in the current folder) under Wine's cscript and passes only when
# it prints "SCRIPT passed", its last line: Wine's cscript exits 0 even after a
# script error. A run that prints nothing at all never got as far as the script
# host (seen once in many runs: a Wine start that ended at once, silently), so
# that case alone is tried once more, and says so.
# Usage: run_script.sh SCRIPT WINE_RUN [WINE_RUN_ARGS...]
script=$1
shift
for attempt in 1 2; do
  output=$("$@" cscript //nologo "$script" 2>&1)
  status=$?
  [ -n "$output" ] && echo "$output"
  case "$output" in
    *"$script passed"*) exit 0 ;;
    "") echo "run_script: no output at all (exit status $status), attempt $attempt" ;;
    *) exit 1 ;;
  esac
done
exit 1
