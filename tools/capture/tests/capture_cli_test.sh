#!/usr/bin/env bash
# The capture binary from the outside: usage errors give status 2, failures status 1 with a
# message and no finished-looking file, two runs give identical frames and WAV, the WAV
# covers exactly the frames written, single frames and module mode work.
# Arguments: CAPTURE_BINARY SOURCE_DIR
set -u
capture=$1
data=$2/data
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cd "$scratch"

expect_status() {   # expect_status STATUS ARGS...
  local want=$1; shift
  "$capture" "$@" > out.txt 2> err.txt
  local got=$?
  [ "$got" -eq "$want" ] || fail "'$*' gave status $got, expected $want: $(cat err.txt)"
  if [ "$want" -ne 0 ]; then
    [ -s err.txt ] || fail "'$*' said nothing on standard error"
  fi
}

# Usage errors.
expect_status 2
expect_status 2 --frames f --fps 0
expect_status 2 --frames f --scale 8
expect_status 2 --frames f --from 170
expect_status 2 --video v.mp4 --from 400 --to 300
expect_status 2 --module m.mod
expect_status 2 --frame-at-ms 10
expect_status 2 --contact-sheet s.png --wav w.wav
expect_status 2 --no-such-option
grep -q usage: err.txt || fail "no usage text after a usage error"
expect_status 0 --help

# Failures: missing data, an unreadable module, unwritable outputs. Nothing is left behind.
mkdir empty
expect_status 1 --data "$scratch/empty" --wav w.wav --quiet
[ -z "$(ls -A | grep -v -e '^empty$' -e '^out.txt$' -e '^err.txt$')" ] || fail "files left: $(ls)"
expect_status 1 --module missing.mod --wav m.wav
expect_status 1 --data "$data" --wav /nonexistent/w.wav --quiet
expect_status 1 --data "$data" --frame-at-ms 100 --png /nonexistent/f.png --quiet
mkdir -p full && touch full/x
expect_status 1 --data "$data" --frames full --to-ms 100 --quiet
expect_status 1 --data "$data" --frames f --from 12800 --quiet    # the demo ends before
[ ! -e f ] && [ ! -e f.part ] || fail "an empty range left a frames folder"

# Two runs of a range give identical bytes; the WAV covers the frames written exactly.
for run in 1 2; do
  expect_status 0 --data "$data" --fps 30 --scale 1 --from 258 --to 302 \
      --frames "frames$run" --wav "sound$run.wav" --quiet
done
diff -r frames1 frames2 > /dev/null || fail "frames differ between two runs"
cmp -s sound1.wav sound2.wav || fail "WAV differs between two runs"
count=$(ls frames1 | wc -l)
# Rows 258..263 and 300..302, 120 ms each, at 30 frames a second.
[ "$count" -ge 30 ] && [ "$count" -le 36 ] || fail "$count frames for positions 258 to 302"
bytes=$(stat -c %s sound1.wav)
[ "$bytes" -eq $(( 44 + count * 1470 * 4 )) ] ||
  fail "WAV of $bytes bytes for $count frames at 30 a second"
ls frames1 | head -n 1 | grep -q '^frame_[0-9]\{6\}\.png$' || fail "frame names: $(ls frames1 | head -n 1)"

# A single frame at a time, at the screen size.
expect_status 0 --data "$data" --frame-at-ms 2500 --png one.png --quiet
/usr/bin/identify -format '%w %h' one.png | grep -q '^640 480$' || fail "frame size"

# Module mode on the demo's module: a length is printed and the WAV holds exactly that.
expect_status 0 --module "$data/trevakul_4.mod" --wav song.wav --seconds 2.5
grep -q '^length 2.500 s (110250 frames' out.txt || fail "module length line: $(cat out.txt)"
[ "$(stat -c %s song.wav)" -eq $(( 44 + 110250 * 4 )) ] || fail "module WAV size"
echo "1 passed, 0 failed"
