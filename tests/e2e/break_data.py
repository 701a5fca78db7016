#!/usr/bin/env python3
"""Writes one broken version of a data file in place: break_data.py DATA_DIR CASE.

Each case names the file and the damage (see CASES). The damage is made from the forge's own
file, so every case differs from a working file in exactly one way."""
import struct
import sys
import zlib


def chunks(png):
    """(type, data) of every chunk of a PNG file."""
    out, pos = [], 8
    while pos + 8 <= len(png):
        length, kind = struct.unpack('>I4s', png[pos:pos + 8])
        out.append((kind, png[pos + 8:pos + 8 + length]))
        pos += 12 + length
    return out


def build_png(parts):
    body = b''.join(struct.pack('>I', len(d)) + k + d +
                    struct.pack('>I', zlib.crc32(k + d) & 0xFFFFFFFF) for k, d in parts)
    return b'\x89PNG\r\n\x1a\n' + body


def png_with_header(png, width=None, height=None, depth=None, colour=None):
    """The same chunks with fields of the header replaced (CRC recomputed)."""
    parts = []
    for kind, data in chunks(png):
        if kind == b'IHDR':
            w, h, d, c, rest = struct.unpack('>IIBB3s', data)
            data = struct.pack('>IIBB3s', width if width is not None else w,
                               height if height is not None else h,
                               depth if depth is not None else d,
                               colour if colour is not None else c, rest)
        parts.append((kind, data))
    return build_png(parts)


def png_image(width, height, colour, depth, bytes_per_pixel):
    raw = b''.join(b'\0' + bytes(width * bytes_per_pixel) for _ in range(height))
    ihdr = struct.pack('>IIBBBBB', width, height, depth, colour, 0, 0, 0)
    parts = [(b'IHDR', ihdr)]
    if colour == 3:
        parts.append((b'PLTE', bytes(range(48))))
    return build_png(parts + [(b'IDAT', zlib.compress(raw)), (b'IEND', b'')])


def be(*values):
    return b''.join(struct.pack('>i', v) for v in values)


def mod_with(module, offset, data):
    return module[:offset] + data + module[offset + len(data):]


def module_header(module):
    song_length, order_list = module[950], module[952:1080]
    highest = max(order_list)
    return song_length, highest, 1084 + (highest + 1) * 1024


U = 65536
TRIANGLE = be(3, 0, 0, 0, U, 0, 0, 0, U, 0, 1, 0, 1, 2)

# case: (file, function of the file's bytes giving the broken bytes)
CASES = {
    # Pictures.
    'pic_empty': ('towers.png', lambda b: b''),
    'pic_truncated_header': ('towers.png', lambda b: b[:20]),
    'pic_truncated_half': ('towers.png', lambda b: b[:len(b) // 2]),
    'pic_truncated_last_byte': ('heart.png', lambda b: b[:-1]),
    'pic_bad_signature': ('towers.png', lambda b: b'\x89PNH' + b[4:]),
    'pic_text': ('noise.png', lambda b: b'not a picture\n'),
    'pic_bad_crc': ('towers.png', lambda b: b[:29] + bytes([b[29] ^ 0xFF]) + b[30:]),
    'pic_corrupt_data': ('towers.png',
                         lambda b: b[:len(b) // 2] + bytes(x ^ 0x5A for x in b[len(b) // 2:
                                                                              len(b) // 2 + 64])
                         + b[len(b) // 2 + 64:]),
    'pic_huge_width': ('towers.png', lambda b: png_with_header(b, width=1000000)),
    'pic_huge_both': ('towers.png', lambda b: png_with_header(b, width=0x7FFFFFFF,
                                                              height=0x7FFFFFFF)),
    'pic_zero_width': ('towers.png', lambda b: png_with_header(b, width=0)),
    'pic_header_taller': ('towers.png', lambda b: png_with_header(b, height=480)),
    'pic_header_narrower': ('towers.png', lambda b: png_with_header(b, width=160)),
    'pic_depth_16': ('towers.png', lambda b: png_image(320, 240, 6, 16, 8)),
    'pic_depth_4_palette': ('towers.png', lambda b: png_image(320, 240, 3, 4, 1)),
    'pic_header_depth_1': ('towers.png', lambda b: png_with_header(b, depth=1)),
    'pic_rgb': ('towers.png', lambda b: png_image(320, 240, 2, 8, 3)),
    'pic_grey': ('heart.png', lambda b: png_image(320, 240, 0, 8, 1)),
    'pic_grey_alpha': ('heart.png', lambda b: png_image(320, 240, 4, 8, 2)),
    'pic_palette': ('whitenoise.png', lambda b: png_image(320, 240, 3, 8, 1)),
    'pic_wide_short': ('towers.png', lambda b: png_image(640, 120, 6, 8, 4)),
    'pic_texture_too_narrow': ('circle32.png', lambda b: png_image(350, 271, 6, 8, 4)),
    'pic_texture_too_short': ('circle34.png', lambda b: png_image(353, 272, 6, 8, 4)),
    'pic_one_pixel': ('stara.png', lambda b: png_image(1, 1, 6, 8, 4)),
    'pic_unknown_colour_type': ('towers.png', lambda b: png_with_header(b, colour=5)),
    # The model.
    'model_empty': ('gun.bare', lambda b: b''),
    'model_three_bytes': ('gun.bare', lambda b: b'\0\0\0'),
    'model_truncated_in_vertices': ('gun.bare', lambda b: b[:len(b) // 3]),
    'model_truncated_in_faces': ('gun.bare', lambda b: b[:len(b) - 7]),
    'model_longer_than_read': ('gun.bare', lambda b: b + bytes(20000)),
    'model_negative_vertices': ('gun.bare', lambda b: be(-1) + b[4:]),
    'model_too_many_vertices': ('gun.bare', lambda b: be(1001) + b[4:]),
    'model_huge_vertex_count': ('gun.bare', lambda b: be(0x7FFFFFFF) + b[4:]),
    'model_faces_past_read': ('gun.bare', lambda b: be(3, 0, 0, 0, U, 0, 0, 0, U, 0, 900)),
    'model_faces_lie_within_read': ('gun.bare', lambda b: be(3, 0, 0, 0, U, 0, 0, 0, U, 0, 50,
                                                             0, 1, 2)),
    'model_negative_faces': ('gun.bare', lambda b: be(3, 0, 0, 0, U, 0, 0, 0, U, 0, -5)),
    'model_index_past_vertices': ('gun.bare', lambda b: TRIANGLE[:-4] + be(3)),
    'model_negative_index': ('gun.bare', lambda b: TRIANGLE[:-4] + be(-1)),
    'model_huge_coordinates': ('gun.bare', lambda b: be(3, 0x7FFFFFFF, 0x7FFFFFFF, -0x80000000,
                                                        -0x80000000, 0, 0, 0, 0x7FFFFFFF, 0,
                                                        1, 0, 1, 2)),
    'model_points_at_viewer': ('gun.bare', lambda b: be(3, 0, 0, 20 * U, U, 0, 20 * U,
                                                        0, U, 20 * U, 1, 0, 1, 2)),
    # The module.
    'mod_empty': ('trevakul_4.mod', lambda b: b''),
    'mod_header_only_part': ('trevakul_4.mod', lambda b: b[:1083]),
    'mod_truncated_in_patterns': ('trevakul_4.mod', lambda b: b[:module_header(b)[2] - 1]),
    'mod_truncated_in_samples': ('trevakul_4.mod', lambda b: b[:module_header(b)[2] + 100]),
    'mod_truncated_last_byte': ('trevakul_4.mod', lambda b: b[:-1]),
    'mod_unknown_tag': ('trevakul_4.mod', lambda b: mod_with(b, 1080, b'XYZW')),
    'mod_tag_stop': ('trevakul_4.mod', lambda b: mod_with(b, 1080, b'STOP')),
    'mod_tag_lower_case': ('trevakul_4.mod', lambda b: mod_with(b, 1080, b'm.k.')),
    'mod_order_above_127': ('trevakul_4.mod', lambda b: mod_with(b, 952 + 127, b'\xC8')),
    'mod_song_length_200': ('trevakul_4.mod', lambda b: mod_with(b, 950, b'\xC8')),
    'mod_sample_length_lies': ('trevakul_4.mod', lambda b: mod_with(b, 20 + 22, b'\xFF\xFF')),
    'mod_loop_past_sample': ('trevakul_4.mod', lambda b: mod_with(b, 20 + 26, b'\x7F\xFF\x7F\xFF')),
    'mod_song_length_0': ('trevakul_4.mod', lambda b: mod_with(b, 950, b'\x00')),
    'mod_song_length_128': ('trevakul_4.mod', lambda b: mod_with(b, 950, b'\x80')),
    'mod_restart_past_song': ('trevakul_4.mod', lambda b: mod_with(b, 951, b'\x7E')),
    'mod_cells_garbage': ('trevakul_4.mod',
                          lambda b: b[:1084] + bytes((i * 151 + 7) & 0xFF for i in range(1024))
                          + b[2108:]),
    'mod_longer_than_buffer': ('trevakul_4.mod', lambda b: b + bytes(1200000 - len(b))),
    'mod_tag_32_channels': ('trevakul_4.mod', lambda b: mod_with(b, 1080, b'32CH')),
}

if __name__ == '__main__':
    if len(sys.argv) == 2 and sys.argv[1] == '--list':
        print('\n'.join(CASES))
        sys.exit(0)
    data_dir, case = sys.argv[1], sys.argv[2]
    name, damage = CASES[case]
    path = f'{data_dir}/{name}'
    with open(path, 'rb') as f:
        original = f.read()
    with open(path, 'wb') as f:
        f.write(damage(original))
