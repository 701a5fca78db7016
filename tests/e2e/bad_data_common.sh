# Shared by the bad-data tests (bad_pictures_test.sh, bad_model_test.sh,
# bad_module_test.sh): broken data files through the real binary, where every case gives its
# one clear outcome and never a crash, a sanitizer report or a hang. The damage is made by
# break_data.py from the forge's own files, one case at a time.
# Usage in a test: source bad_data_common.sh "$@", then one `check CASE OUTCOME [NAME]` a
# case, then finish_bad_data.
#   pic NAME  status 1 and exactly "Couldn't open pic: NAME" on standard output
#   refused   status 1, nothing printed (the model)
#   runs      the window opens (start-up accepted every file) and the demo still runs a few
#             seconds later, nothing printed
#   ends      with Space held under Xvfb the music is fast-forwarded to its end and the demo
#             ends with status 0: the module was taken and plays
#   ends_or_runs  as ends, or still running at the deadline (a song that may loop forever)
#   stand_in  a module that cannot be played: one line "veskarra: REASON, playing silently"
#             on standard error, and with Space held the silent stand-in song of the same
#             length is fast-forwarded to its end and the demo ends with status 0
source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"
binary=$(realpath "$binary")
break_data=$(dirname "${BASH_SOURCE[0]}")/break_data.py
export SDL_AUDIODRIVER=dummy
: "${BAD_DATA_SLOW:=1}"   # multiplies every deadline (sanitizer builds pass 4)
failures=0
start_xvfb
fail_case() { echo "FAIL: $*"; failures=$((failures + 1)); }

# SDL turns SIGTERM into a quit event, which the demo ignores like a window's close
# request: a run that has to be stopped is stopped with SIGKILL (status 137).
run_dummy() {   # run_dummy DIR SECONDS: sets status; output in $scratch/out, $scratch/err
  (cd "$1" && SDL_VIDEODRIVER=dummy timeout -s KILL "$2" "$binary" -w \
      > "$scratch/out" 2> "$scratch/err")
  status=$?
}

wait_or_kill() {   # wait_or_kill PID SECONDS: sets status, 137 when it had to be killed
  local _
  for _ in $(seq $(( $2 * 10 ))); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  status=$?
}

# run_window DIR SECONDS [space]: the demo in an Xvfb window; once the window is there
# (every asset was accepted) Space is held if asked, and the demo gets SECONDS to end.
# Sets status; "nowindow" when the window never came and the demo had not ended either.
run_window() {
  local pid id attempt
  for attempt in 1 2 3; do
    (cd "$1" && exec env SDL_VIDEODRIVER=x11 "$binary" -w > "$scratch/out" 2> "$scratch/err") &
    pid=$!
    id=$(wait_window Veskarra $((10 * BAD_DATA_SLOW)))
    [ -n "$id" ] && break
    wait_or_kill "$pid" 0
    # The busy X server refuses a connection once in a while: that, and only that, is
    # tried again.
    [ "$status" = 1 ] && grep -q 'x11 not available' "$scratch/err" && continue
    [ "$status" = 137 ] && status=nowindow
    return
  done
  [ -n "$id" ] || return
  if [ "${3:-}" = space ]; then
    xdotool windowfocus --sync "$id" 2>/dev/null
    xdotool keydown space
  fi
  wait_or_kill "$pid" "$2"
  [ "${3:-}" = space ] && xdotool keyup space 2>/dev/null
}

check() {   # check CASE OUTCOME [NAME]
  local case=$1 outcome=$2 name=${3:-} dir
  dir=$(make_workdir "$case")
  python3 "$break_data" "$dir/data" "$case" || { fail_case "$case: cannot break the data"; return; }
  local expected_out= wanted
  case $outcome in
    pic) run_dummy "$dir" $((20 * BAD_DATA_SLOW)); wanted=1; expected_out="Couldn't open pic: $name" ;;
    refused) run_dummy "$dir" $((20 * BAD_DATA_SLOW)); wanted=1 ;;
    runs) run_window "$dir" $((3 * BAD_DATA_SLOW)); wanted=137 ;;
    ends) run_window "$dir" $((40 * BAD_DATA_SLOW)) space; wanted=0 ;;
    ends_or_runs) run_window "$dir" $((20 * BAD_DATA_SLOW)) space; wanted="0 137" ;;
    stand_in) run_window "$dir" $((40 * BAD_DATA_SLOW)) space; wanted=0 ;;
  esac
  [[ " $wanted " == *" $status "* ]] || { fail_case "$case: status $status, expected $wanted ($outcome); stderr: $(head -c 2000 "$scratch/err")"; rm -rf "$dir"; return; }
  printf '%s' "$expected_out" | cmp -s - "$scratch/out" ||
    { fail_case "$case: standard output '$(head -c 200 "$scratch/out")', expected '$expected_out'"; rm -rf "$dir"; return; }
  if [ "$outcome" = stand_in ] && ! { [ "$(grep -c . "$scratch/err")" -ge 1 ] &&
       grep -q -E '^veskarra: pt_takemod error: .*, playing silently$' "$scratch/err"; }; then
    fail_case "$case: no word of the silent stand-in; stderr: $(head -c 2000 "$scratch/err")"
    rm -rf "$dir"; return
  fi
  # Only the demo's own notes may reach standard error, never a sanitizer report.
  if grep -q -E 'Sanitizer|runtime error|Segmentation|Aborted' "$scratch/err"; then
    fail_case "$case: $(head -c 3000 "$scratch/err")"; rm -rf "$dir"; return
  fi
  rm -rf "$dir"
  echo "ok: $case ($outcome${name:+ $name}, status $status)"
}

finish_bad_data() {
  [ "$failures" -eq 0 ] || { echo "$failures bad-data cases failed"; exit 1; }
  echo "all bad-data cases passed"
}
