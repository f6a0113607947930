#!/bin/sh
# The release zip: it holds the stripped control and the developer files, and
# unpacked beside a program whose manifest names the assembly, the control
# works with nothing registered, in a fresh prefix.
# Usage: zip_reg_free.sh ZIP OCX CHECKER OBJDUMP WORK WINE_RUN ARCH PREFIX
set -e
zip=$1 ocx=$2 checker=$3 objdump=$4 work=$5 wine_run=$6 arch=$7 prefix=$8

. "$(dirname "$0")/../prefix_steps.sh"

"$wine_run" --fresh "$arch" "$prefix"
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"

contents=$(cd "$work" && LC_ALL=C ls | tr '\n' ' ')
expected="OrvelBoard.manifest OrvelBoard.ocx OrvelBoard.tlb README.txt board_host.cpp orvel_board.h orvel_board.idl orvel_board_i.c reference.md "
[ "$contents" = "$expected" ] || fail "the zip holds '$contents', expected '$expected'"
cmp "$ocx" "$work/OrvelBoard.ocx" || fail "the zip's control is not the build's"
sections=$("$objdump" -h "$work/OrvelBoard.ocx")
if echo "$sections" | grep -q '\.debug_'; then fail "the shipped control carries debug sections"; fi
echo "$sections" | grep -q '\.gnu_debuglink' || fail "the shipped control names no debug file"
echo "zip: $contents($(wc -c <"$work/OrvelBoard.ocx") bytes of control)"

if win reg query 'HKCR\CLSID\{D92AEA81-DB4C-4571-82BD-2B488F9A5458}' >/dev/null 2>&1; then
  fail "the class is registered in $prefix"
fi
cp "$checker" "$work"
echo "+ $work: $(basename "$checker")"
(cd "$work" && win "./$(basename "$checker")") || fail "the control did not work from the unpacked zip"
