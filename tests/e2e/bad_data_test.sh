#!/usr/bin/env bash
# Broken data files through the real binary: every case gives its one clear outcome and
# never a crash, a sanitizer report or a hang. The damage is made by break_data.py from the
# forge's own files, one case at a time.
#   pic NAME  status 1 and exactly "Couldn't open pic: NAME" on standard output
#   refused   status 1, nothing printed (the model)
#   runs      the window opens (start-up accepted every file) and the demo still runs a few
#             seconds later, nothing printed (for a module that cannot be played the demo
#             shows its opening scene silently: the music clock never moves)
#   ends      with Space held under Xvfb the music is fast-forwarded to its end and the demo
#             ends with status 0: the module was taken and plays
#   ends_or_runs  as ends, or still running at the deadline (a song that may loop forever)
#   silent    with Space held for longer than the intact song takes to end, still running:
#             the fast-forward of a refused module moves nothing
source "$(dirname "$0")/common.sh" "$@"
binary=$(realpath "$binary")
break_data=$(dirname "$0")/break_data.py
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
    silent) run_window "$dir" $((20 * BAD_DATA_SLOW)) space; wanted=137 ;;
  esac
  [[ " $wanted " == *" $status "* ]] || { fail_case "$case: status $status, expected $wanted ($outcome); stderr: $(head -c 2000 "$scratch/err")"; rm -rf "$dir"; return; }
  printf '%s' "$expected_out" | cmp -s - "$scratch/out" ||
    { fail_case "$case: standard output '$(head -c 200 "$scratch/out")', expected '$expected_out'"; rm -rf "$dir"; return; }
  # Only the demo's own notes may reach standard error, never a sanitizer report.
  if grep -q -E 'Sanitizer|runtime error|Segmentation|Aborted' "$scratch/err"; then
    fail_case "$case: $(head -c 3000 "$scratch/err")"; rm -rf "$dir"; return
  fi
  rm -rf "$dir"
  echo "ok: $case ($outcome${name:+ $name}, status $status)"
}

# Pictures: refused at load or by the geometry their role needs.
check pic_empty pic towers.png
check pic_truncated_header pic towers.png
check pic_truncated_half pic towers.png
check pic_truncated_last_byte pic heart.png
check pic_bad_signature pic towers.png
check pic_text pic noise.png
check pic_bad_crc pic towers.png
check pic_corrupt_data pic towers.png
check pic_huge_width pic towers.png
check pic_huge_both pic towers.png
check pic_zero_width pic towers.png
check pic_header_taller pic towers.png
check pic_header_narrower pic towers.png
check pic_depth_16 pic towers.png
check pic_depth_4_palette pic towers.png
check pic_header_depth_1 pic towers.png
check pic_rgb pic towers.png
check pic_grey pic heart.png
check pic_grey_alpha pic heart.png
check pic_palette pic whitenoise.png
check pic_wide_short pic towers.png
check pic_texture_too_narrow pic circle32.png
check pic_texture_too_short pic circle34.png
check pic_one_pixel pic stara.png
check pic_unknown_colour_type pic towers.png

# The model: refused when its counts or indexes do not fit; a file cut short anywhere reads
# on as zeros (V or F of 0, faces 0 0 0), a valid model, and the demo runs. Refused:
# negative or huge counts, counts past the 10000 bytes read, indexes out of range.
check model_empty runs
check model_three_bytes runs
check model_truncated_in_vertices runs
check model_truncated_in_faces runs
check model_longer_than_read runs
check model_negative_vertices refused
check model_too_many_vertices refused
check model_huge_vertex_count refused
check model_faces_past_read refused
check model_faces_lie_within_read runs
check model_negative_faces refused
check model_index_past_vertices refused
check model_negative_index refused
check model_huge_coordinates ends
check model_points_at_viewer ends

# The module: one that cannot be played leaves the demo running silently on its opening
# scene; one that is taken plays, however odd its contents.
check mod_empty runs
check mod_header_only_part runs
check mod_truncated_in_patterns runs
check mod_order_above_127 runs
check mod_song_length_200 runs
check mod_unknown_tag silent
check mod_tag_stop runs
check mod_tag_lower_case runs
check mod_sample_length_lies runs
check mod_truncated_in_samples runs
check mod_truncated_last_byte ends
check mod_loop_past_sample ends
check mod_song_length_128 ends
check mod_restart_past_song ends
check mod_longer_than_buffer ends
check mod_song_length_0 ends_or_runs
check mod_cells_garbage ends_or_runs
check mod_tag_32_channels ends_or_runs

[ "$failures" -eq 0 ] || { echo "$failures bad-data cases failed"; exit 1; }
echo "all bad-data cases passed"
