#!/usr/bin/env bash
# Builds and runs every test: unit tests, forge checks and end-to-end tests of the real
# binary under Xvfb (x86), then the portable core's tests cross-built for 32-bit big-endian
# PowerPC and run under qemu-ppc; then the unit tests and the bad-data end-to-end test
# with AddressSanitizer and UndefinedBehaviorSanitizer, and each libFuzzer target for a
# bounded time (FUZZ_SECONDS, 20 by default; fuzz/README.md has the longer runs).
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

# AddressSanitizer + UndefinedBehaviorSanitizer: every unit test, then the real binary on
# broken data files, then (once the capture tool is in the tree) one whole capture run.
sanitize() {
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVESKARRA_SANITIZE=address,undefined > /dev/null &&
    cmake --build build-asan -j"$jobs" &&
    (cd build-asan && ctest --output-on-failure -j"$jobs") &&
    sanitize_bad_data &&
    sanitize_capture
}
# The bad-data tests with the sanitized binary, the three files' tests side by side. Leak
# detection is off for the real binary: SDL and the X libraries keep memory to the end.
sanitize_bad_data() {
  local kind pids=() status=0 pid
  for kind in pictures model module; do
    BAD_DATA_SLOW=3 ASAN_OPTIONS=detect_leaks=0 \
      bash tests/e2e/bad_${kind}_test.sh build-asan/veskarra "$PWD" > "build-asan/bad_$kind.log" 2>&1 &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
  for kind in pictures model module; do
    grep -v '^ok: ' "build-asan/bad_$kind.log"
  done
  return "$status"
}
sanitize_capture() {
  [ -d tools/capture ] || { echo "no capture tool in the tree yet"; return 0; }
  local out
  out=$(mktemp -d) || return 1
  # Leak detection stays on: the capture's frame loop may keep only start-up's memory.
  mkdir -p "$out/frames" &&
    build-asan/tools/capture/veskarra-capture --data "$PWD/data" --scale 1 --fps 2 --quiet \
      --wav "$out/music.wav" --frames "$out/frames" > "$out/log" 2>&1
  local status=$?
  [ "$status" -eq 0 ] || cat "$out/log"
  rm -rf "$out"
  return "$status"
}

# libFuzzer targets built with clang; new inputs go to a scratch corpus, the committed
# seeds are only read. A crash, a sanitizer report or a leak fails the suite.
fuzz() {
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVESKARRA_FUZZ=ON -DVESKARRA_SANITIZE=address,undefined > /dev/null &&
    cmake --build build-fuzz -j"$jobs" --target fuzz_picture fuzz_module fuzz_model || return 1
  local scratch target status=0
  scratch=$(mktemp -d) || return 1
  for target in picture module model; do
    mkdir -p "$scratch/$target"
    build-fuzz/fuzz/fuzz_$target -max_total_time="${FUZZ_SECONDS:-20}" -print_final_stats=1 \
      -artifact_prefix="$scratch/" "$scratch/$target" "fuzz/corpus/$target" \
      > "$scratch/$target.log" 2>&1
    if [ $? -ne 0 ]; then
      status=1
      tail -n 60 "$scratch/$target.log"
      ls "$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-* 2>/dev/null
    fi
    echo "fuzz_$target: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$scratch/$target.log" | tail -n 1)"
  done
  rm -rf "$scratch"
  return "$status"
}

suite native native
suite powerpc powerpc
suite sanitize sanitize
suite fuzz fuzz
echo "suites: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
