#!/usr/bin/env bash
# The whole demo through the capture tool: it stops after the first frame whose position
# reads 1363, and its length is the module's rows times the row time. The forged module
# plays 6 ticks of 20 ms a row (120 ms), so row 13 * 64 + 63 = 895 starts at 107400 ms and
# is stamped one tick later, 107420 ms; at 60 frames a second the last frame is the first
# whose clock (k * 1000 / 60, rounded down) is past that stamp.
# Arguments: DEMO_BINARY SOURCE_DIR (the capture binary is found beside the demo's).
set -u
build_dir=$(dirname "$1")
source_dir=$2
capture=$build_dir/tools/capture/veskarra-capture
[ -x "$capture" ] || capture=$build_dir/veskarra-capture
[ -x "$capture" ] || { echo "FAIL: no veskarra-capture beside $1"; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

start=$(date +%s.%N)
"$capture" --data "$source_dir/data" --wav "$scratch/full.wav" 2> "$scratch/err.txt" ||
  fail "status $?: $(cat "$scratch/err.txt")"
end=$(date +%s.%N)
tail -c 300 "$scratch/err.txt" | tr '\r' '\n' | tail -n 2

stamp=$(( 895 * 120 + 20 ))
expected_frames=0
while [ $(( expected_frames * 1000 / 60 )) -le $stamp ]; do expected_frames=$(( expected_frames + 1 )); done
expected_frames=$(( expected_frames + 1 ))   # frames 0 .. k
frames=$(( ($(stat -c %s "$scratch/full.wav") - 44) / 4 / 735 ))
# The stamps are whole milliseconds of a clock that only approximates the sample clock: one
# frame either way is allowed, no more.
[ $(( frames - expected_frames )) -ge -1 ] && [ $(( frames - expected_frames )) -le 1 ] ||
  fail "$frames frames, expected $expected_frames (the last at $(( (frames - 1) * 1000 / 60 )) ms)"
grep -q "position 1363" "$scratch/err.txt" || fail "the last frame was not at position 1363"
awk -v s="$start" -v e="$end" 'BEGIN { printf "full render: %.1f s for 107.4 s of demo, %.1fx real time\n", e - s, 107.4 / (e - s) }'
echo "1 passed, 0 failed"
