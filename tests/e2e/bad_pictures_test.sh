#!/usr/bin/env bash
# Broken picture files through the real binary (outcomes in bad_data_common.sh).
source "$(dirname "$0")/bad_data_common.sh" "$@"

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
finish_bad_data
