#!/usr/bin/env bash
# The real binary in a real X window: a 640x480 window titled "Veskarra" appears, its
# pixels are the work frame doubled (2x2 blocks whose rows come from the towers picture of
# the opening scene), and Escape ends the program with status 0.
source "$(dirname "$0")/common.sh" "$@"
launch_demo window dummy
geometry=$(xdotool getwindowgeometry "$id" | grep Geometry | awk '{print $2}')
[ "$geometry" = "640x480" ] || fail "window geometry $geometry"
echo "ok: window 640x480 titled Veskarra"

sleep 2   # well inside the opening scene, before the first overlay
/usr/bin/import -window "$id" "$scratch/shot.png" || fail "screenshot"
/usr/bin/convert "$scratch/shot.png" -depth 8 "rgb:$scratch/shot.rgb"
/usr/bin/convert data/towers.png -depth 8 "rgb:$scratch/towers.rgb"
python3 "$(dirname "$0")/check_screen.py" "$scratch/shot.rgb" "$scratch/towers.rgb" ||
  fail "the screen is not the opening scene doubled"
echo "ok: screen shows the work frame doubled"

xdotool key --window "$id" Escape
wait_exit "$pid" 10
[ "$exit_status" = "0" ] || fail "status after Escape: $exit_status"
echo "ok: Escape ends with status 0"
