#!/usr/bin/env bash
# Builds and runs every test: unit tests, forge checks and end-to-end tests of the real
# binary under Xvfb (x86), then the portable core's tests cross-built for 32-bit big-endian
# PowerPC and run under qemu-ppc.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1
jobs=$(nproc)
passed=0
failed=0
suite() {   # suite NAME COMMAND...: runs one suite and counts it
  local name=$1; shift
  echo "=== $name"
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "=== $name FAILED"; fi
}

native() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESKARRA_E2E=ON > /dev/null &&
    cmake --build build -j"$jobs" &&
    (cd build && ctest --output-on-failure -j"$jobs")
}
powerpc() {
  # The full run compares its hashes with the native build's (run first).
  cmake -S . -B build-ppc -DCMAKE_TOOLCHAIN_FILE=cmake/powerpc-linux-gnu.cmake \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESKARRA_FULL_RUN_DIR="$PWD/build/full_run" > /dev/null &&
    cmake --build build-ppc -j"$jobs" &&
    (cd build-ppc && ctest --output-on-failure -j"$jobs")
}

suite native native
suite powerpc powerpc
echo "suites: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
