# Sourced by the scripts that drive a test program with the X server's input.
# await_line WORD PID MESSAGE: waits, up to two minutes, for output.txt to hold
# a line starting with WORD while the program PID runs; when the program ends
# first or time runs out, shows its output and MESSAGE, stops it and exits.
await_line() {
  tries=0
  until grep -q "^$1 " output.txt; do
    if ! kill -0 "$2" 2>/dev/null || [ "$tries" -ge 1200 ]; then
      cat output.txt
      echo "$3"
      kill "$2" 2>/dev/null
      exit 1
    fi
    tries=$((tries + 1))
    sleep 0.1
  done
}
