#!/usr/bin/env bash
# The music reaches the audio device: with SDL's disk driver the demo's output over a few
# seconds is not silence, has the length of the time played (44100 stereo 16-bit frames
# a second, in buffers of 4096 frames), and is sample for sample what our replayer and
# mixer render offline from the same module (after the silent buffers the device plays
# while it is still paused).
source "$(dirname "$0")/common.sh" "$@"
launch_demo audio disk SDL_DISKAUDIOFILE="$scratch/audio.raw"
sleep 5
xdotool key --window "$id" Escape
wait_exit "$pid" 10
[ "$exit_status" = "0" ] || fail "status after Escape: $exit_status"
bytes=$(stat -c %s "$scratch/audio.raw")
seconds=$(( bytes / 176400 ))
[ "$seconds" -ge 4 ] && [ "$seconds" -le 7 ] || fail "$bytes bytes of audio for about 5 s"
python3 - "$scratch/audio.raw" <<'PY' || fail "the audio is silent"
import array, sys
samples = array.array("h", open(sys.argv[1], "rb").read())
loud = sum(1 for s in samples if abs(s) > 1000)
print("samples: %d, above 1000: %d" % (len(samples), loud))
sys.exit(0 if loud > len(samples) // 50 else 1)
PY
capture=$(dirname "$binary")/tools/capture/veskarra-capture
"$capture" --module data/trevakul_4.mod --wav "$scratch/offline.wav" --seconds 10 > /dev/null ||
  fail "offline render"
python3 - "$scratch/audio.raw" "$scratch/offline.wav" <<'PY' || fail "the device's audio differs from the offline render"
import sys
live = open(sys.argv[1], "rb").read()
offline = open(sys.argv[2], "rb").read()[44:]
buffer = 4096 * 4
start = 0
while live[start:start + buffer] == bytes(buffer):
    start += buffer
compared = min(len(live) - start, len(offline))
print("silent buffers before the music: %d; compared %d bytes" % (start // buffer, compared))
sys.exit(0 if compared > 3 * 176400 and live[start:start + compared] == offline[:compared] else 1)
PY
echo "ok: $bytes bytes of music, equal to the offline render"
