#!/usr/bin/env bash
# Broken module files through the real binary (outcomes in bad_data_common.sh).
source "$(dirname "$0")/bad_data_common.sh" "$@"

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
finish_bad_data
