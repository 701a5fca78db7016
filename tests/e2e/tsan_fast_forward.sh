#!/usr/bin/env bash
# ThreadSanitizer check of the fast-forward against the audio thread: the real binary,
# built with -DVESKARRA_SANITIZE=thread, runs in an Xvfb window with Space held from the
# first frame to the end of the song, so the main thread's fast-forward steps and the audio
# thread's callback drive the same player all the time. Passes when the demo ends with
# status 0 and ThreadSanitizer reported nothing. Too slow for every CI run; run by hand:
#   cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESKARRA_SANITIZE=thread
#   cmake --build build-tsan -j2 --target veskarra
#   bash tests/e2e/tsan_fast_forward.sh build-tsan/veskarra . [AUDIODRIVER]
# AUDIODRIVER is dummy by default (disk works too and paces the callback like a device).
source "$(dirname "$0")/common.sh" "$@"
binary=$(realpath "$binary")
here=$(realpath "$(dirname "$0")")
driver=${3:-dummy}
start_xvfb
dir=$(make_workdir tsan)
cd "$dir"
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=$driver SDL_DISKAUDIOFILE=/dev/null \
  TSAN_OPTIONS="halt_on_error=0 exitcode=66 history_size=4 suppressions=$here/tsan_suppressions.txt" \
  "$binary" -w > "$scratch/out" 2> "$scratch/err" &
pid=$!
id=$(wait_window Veskarra 120)
[ -n "$id" ] || fail "no window; stderr: $(head -c 3000 "$scratch/err")"
xdotool windowfocus --sync "$id" 2>/dev/null
xdotool keydown space
wait_exit "$pid" 600
xdotool keyup space 2>/dev/null
reports=$(grep -c 'WARNING: ThreadSanitizer' "$scratch/err")
[ "$reports" -eq 0 ] || { head -c 20000 "$scratch/err"; fail "$reports ThreadSanitizer reports"; }
[ "$exit_status" = 0 ] || fail "status $exit_status; stderr: $(head -c 3000 "$scratch/err")"
echo "ok: the song fast-forwarded to its end with the audio thread running, no race reported"
