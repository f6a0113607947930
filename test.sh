#!/bin/sh
# Builds everything and runs every test: the portable core natively (also with
# AddressSanitizer and UndefinedBehaviorSanitizer), then the component for
# 32-bit and 64-bit Windows under Wine, the two trees side by side, each on a
# virtual display of its own.
set -e
cd "$(dirname "$0")"
sh tools/install-packages.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest -j"$jobs" --output-on-failure)

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DORVEL_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs" --target core_tests snapshot view_gallery
(cd build-sanitize && ctest -j"$jobs" --output-on-failure)

# Both trees are built first: the 64-bit tree tests the 32-bit installer too.
for arch in win32 win64; do
  toolchain=cmake/mingw-i686.cmake
  [ "$arch" = win64 ] && toolchain=cmake/mingw-x86_64.cmake
  cmake --no-warn-unused-cli -S . -B build-$arch -DCMAKE_TOOLCHAIN_FILE=$toolchain >/dev/null
  cmake --build build-$arch -j"$jobs"
done

# Display numbers from 32 and 64 up: two runs starting together must not pick the same.
echo "Running the Windows tests of both trees (build-win32/ctest.log, build-win64/ctest.log)"
for arch in win32 win64; do
  (
    cd build-$arch
    if xvfb-run -a -n "${arch#win}" -s "-screen 0 1024x768x24" ctest -j"$jobs" --output-on-failure >ctest.log 2>&1
    then echo passed; else echo failed; fi >ctest.status
  ) &
done
wait
status=0
for arch in win32 win64; do
  echo "== $arch"
  cat build-$arch/ctest.log
  [ "$(cat build-$arch/ctest.status)" = passed ] || status=1
done
[ "$status" = 0 ] || exit 1
echo "All tests passed."
