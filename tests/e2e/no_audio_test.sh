#!/usr/bin/env bash
# No usable audio device: the demo says so in one line on standard error and still runs
# in sync on SDL's dummy driver, so with Space held it reaches its end and exits with 0.
source "$(dirname "$0")/common.sh" "$@"
launch_demo no_audio no-such-driver
xdotool keydown --window "$id" space
wait_exit "$pid" 60
xdotool keyup space 2>/dev/null
[ "$exit_status" = "0" ] || fail "status: $exit_status; stderr: $(cat "$scratch/err")"
lines=$(wc -l < "$scratch/err")
[ "$lines" -eq 1 ] && grep -q "^veskarra: no audio device (.*), playing silently$" "$scratch/err" ||
  fail "standard error was: $(cat "$scratch/err")"
echo "ok: $(cat "$scratch/err"); ran to its end"
