#!/bin/sh
# The release zip as a developer's kit: unpacked alone, it names no folder of
# the build machine, carries the build's type library, and its header and
# identifier file build a C client, a C++ client and the kit's board host with
# nothing else on the include path; all run against the zip's control
# registered in a fresh prefix, the host played by DRIVER.
# Usage: kit.sh ZIP TLB SOURCE_DIR CC CXX WORK WINE_RUN ARCH PREFIX DRIVER
set -e
zip=$1 tlb=$2 source_dir=$3 cc=$4 cxx=$5 work=$6 wine_run=$7 arch=$8 prefix=$9 driver=${10}
here=$(cd "$(dirname "$0")" && pwd)

. "$(dirname "$0")/../prefix_steps.sh"

WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
rm -rf "$work" "$prefix" "$prefix.display"
mkdir -p "$work/kit" "$work/clients"
(cd "$work/kit" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"

named=$(grep -rl -F "$source_dir" "$work/kit" || true)
[ -z "$named" ] || fail "$(echo "$named" | xargs -n1 basename | tr '\n' ' ')name $source_dir"
cmp "$tlb" "$work/kit/OrvelBoard.tlb" || fail "the zip's type library is not the build's"

# The clients are built where nothing but the kit is beside them.
cp "$here/c_client.c" "$here/cpp_client.cpp" "$work/clients"
cd "$work/clients"
flags="-Wall -Wextra -Werror -static -I$work/kit"
libraries="-lole32 -loleaut32 -luuid"
step "$cc" $flags -o c_client.exe c_client.c "$work/kit/orvel_board_i.c" $libraries || fail "the C client does not build"
step "$cxx" $flags -std=c++17 -o cpp_client.exe cpp_client.cpp "$work/kit/orvel_board_i.c" $libraries ||
  fail "the C++ client does not build"
step "$cxx" $flags -std=c++17 -o board_host.exe "$work/kit/board_host.cpp" "$work/kit/orvel_board_i.c" $libraries ||
  fail "the kit's board host does not build"

(cd "$work/kit" && step win regsvr32 /s OrvelBoard.ocx) || fail "the zip's control does not register"
step win ./c_client.exe || fail "the C client"
step win ./cpp_client.exe || fail "the C++ client"
step win "$driver" ./board_host.exe || fail "the kit's board host"
(cd "$work/kit" && step win regsvr32 /u /s OrvelBoard.ocx) || fail "the zip's control does not unregister"
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
