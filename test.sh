#!/bin/sh
# Builds everything and runs every test: the portable core natively (also with
# AddressSanitizer and UndefinedBehaviorSanitizer), then the component for
# 32-bit Windows under Wine, on a virtual display.
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

cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build-win32 -j"$jobs"
(cd build-win32 && xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure)
echo "All tests passed."
