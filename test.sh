#!/bin/sh
# Builds everything and runs every test: the portable core natively (also with
# AddressSanitizer and UndefinedBehaviorSanitizer), then the component for
# 32-bit and 64-bit Windows under Wine, on a virtual display.
set -e
cd "$(dirname "$0")"
sh tools/install-packages.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure)

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DORVEL_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs" --target core_tests snapshot
(cd build-sanitize && ctest --output-on-failure)

for arch in win32 win64; do
  toolchain=cmake/mingw-i686.cmake
  [ "$arch" = win64 ] && toolchain=cmake/mingw-x86_64.cmake
  cmake --no-warn-unused-cli -S . -B build-$arch -DCMAKE_TOOLCHAIN_FILE=$toolchain >/dev/null
  cmake --build build-$arch -j"$jobs"
  (cd build-$arch && xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure)
done
echo "All tests passed."
