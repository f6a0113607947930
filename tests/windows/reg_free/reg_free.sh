#!/bin/sh
# The control used without registration, in a prefix where it never was
# registered: the demo plays its scripted game with the assembly beside it and
# in a subfolder named after it (application manifest as a file beside the
# program), the checker runs with its manifest embedded as resource 1, and the
# demo without an application manifest must fail to create the control.
# Usage: reg_free.sh OCX COMPONENT_MANIFEST APP_MANIFEST DEMO CHECKER WORK_DIR WINE_RUN ARCH PREFIX
set -e
ocx=$1 component=$2 application=$3 demo=$4 checker=$5 work=$6 wine_run=$7 arch=$8 prefix=$9
clsid='{D92AEA81-DB4C-4571-82BD-2B488F9A5458}'

. "$(dirname "$0")/../prefix_steps.sh"
# Nothing may come from the registry: neither a class nor its ProgID.
check_unregistered() {
  if win reg query "HKCR\\CLSID\\$clsid" >/dev/null 2>&1; then fail "the class is registered in $prefix"; fi
  if win reg query "HKCR\\OrvelBoardLib.OvlChess" >/dev/null 2>&1; then fail "the ProgID is registered in $prefix"; fi
  if win reg query "HKCR\\OrvelBoardLib.OvlBoard" >/dev/null 2>&1; then fail "OvlBoard is registered in $prefix"; fi
}
# FOLDER [ASSEMBLY_SUBFOLDER]: the demo with its application manifest and the assembly.
lay_out_demo() {
  mkdir -p "$1/$2"
  cp "$demo" "$1/orvel_demo.exe"
  cp "$application" "$1/orvel_demo.exe.manifest"
  cp "$ocx" "$component" "$1/$2"
}
play() {
  echo "+ $1: orvel_demo.exe --scripted out.bmp"
  out=$(cd "$1" && win ./orvel_demo.exe --scripted out.bmp 2>&1) || fail "$1: the demo failed: $out"
  echo "$out" | tail -n 1
  echo "$out" | grep -q "move g1-f3" || fail "$1: no move g1-f3 in: $out"
}

rm -rf "$work"
mkdir -p "$work"
check_unregistered

lay_out_demo "$work/beside"
play "$work/beside"

lay_out_demo "$work/subfolder" OrvelBoard
play "$work/subfolder"

mkdir -p "$work/embedded"
cp "$checker" "$ocx" "$component" "$work/embedded"
echo "+ $work/embedded: $(basename "$checker")"
(cd "$work/embedded" && win "./$(basename "$checker")") || fail "the embedded-manifest checks failed"

# Without the application manifest the same files must not be enough.
lay_out_demo "$work/unlisted"
rm "$work/unlisted/orvel_demo.exe.manifest"
echo "+ $work/unlisted: orvel_demo.exe without its manifest"
if out=$(cd "$work/unlisted" && win ./orvel_demo.exe --scripted out.bmp 2>&1); then
  fail "the control was created with no application manifest: is it registered? $out"
fi
echo "$out" | grep -q "cannot place the control: 0x80040154" || fail "unexpected failure: $out"
echo "$out"

check_unregistered
echo "registration-free use passed"
