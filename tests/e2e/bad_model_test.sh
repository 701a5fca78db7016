#!/usr/bin/env bash
# Broken model files through the real binary (outcomes in bad_data_common.sh).
source "$(dirname "$0")/bad_data_common.sh" "$@"

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
finish_bad_data
