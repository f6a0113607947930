#!/bin/sh
# Registers the module with regsvr32 (twice: the second time must be harmless),
# checks the registry, then unregisters (twice as well) and checks it is clean.
# Usage: registration_round_trip.sh MODULE CHECKER WINE_RUN [WINE_RUN_ARGS...]
set -e
module=$1 checker=$2
shift 2

step() {
  echo "+ $*"
  "$@"
}
# Starts from whatever an interrupted run left: unregistering must succeed
# with nothing registered as well.
step "$@" regsvr32 /u /s "$module"
step "$@" "$checker" unregistered
for _ in 1 2; do
  step "$@" regsvr32 /s "$module"
  step "$@" "$checker" registered "$module"
done
for _ in 1 2; do
  step "$@" regsvr32 /u /s "$module"
  step "$@" "$checker" unregistered
done
