# Sourced by the scripts that drive Windows programs in a prefix, with
# wine_run, arch and prefix set: run a program there, fail with a message,
# show a step (its status is the caller's to judge).
win() { "$wine_run" "$arch" "$prefix" "$@"; }
fail() {
  echo "FAILED: $*"
  exit 1
}
step() {
  echo "+ $*"
  "$@"
}
