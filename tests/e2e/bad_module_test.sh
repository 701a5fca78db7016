#!/usr/bin/env bash
# Broken module files through the real binary (outcomes in bad_data_common.sh).
source "$(dirname "$0")/bad_data_common.sh" "$@"

# The module: one that cannot be played gives way to the silent stand-in, and the demo runs
# to its end all the same; one that is taken plays, however odd its contents (sample data
# past the file but inside the zeroed buffer is taken, and plays as silence).
check mod_empty stand_in
check mod_header_only_part stand_in
check mod_truncated_in_patterns stand_in
check mod_order_above_127 stand_in
check mod_song_length_200 stand_in
check mod_unknown_tag stand_in
check mod_tag_stop stand_in
check mod_tag_lower_case stand_in
check mod_sample_length_lies ends
check mod_truncated_in_samples ends
check mod_truncated_last_byte ends
check mod_loop_past_sample ends
check mod_song_length_128 ends
check mod_restart_past_song ends
check mod_longer_than_buffer ends
check mod_song_length_0 ends_or_runs
check mod_cells_garbage ends_or_runs
check mod_tag_32_channels ends_or_runs
finish_bad_data
