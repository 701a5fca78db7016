#!/usr/bin/env bash
# Space held fast-forwards the music and the pictures with it: the demo reaches its last
# position and ends by itself with status 0, long before the music's real length (about
# 107 s). Audio goes to SDL's disk driver, so the device's callback runs in real time
# against the fast-forward steps of the main thread.
source "$(dirname "$0")/common.sh" "$@"
launch_demo fast_forward disk SDL_DISKAUDIOFILE="$scratch/audio.raw"
start=$(date +%s)
xdotool keydown --window "$id" space
wait_exit "$pid" 60
xdotool keyup space 2>/dev/null
elapsed=$(( $(date +%s) - start ))
[ "$exit_status" = "0" ] || fail "status with Space held: $exit_status after ${elapsed}s"
[ "$elapsed" -lt 60 ] || fail "took ${elapsed}s"
echo "ok: ended by itself with status 0 after ${elapsed}s with Space held"
