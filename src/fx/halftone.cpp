// Halftone dots: the source redrawn as soft round dots, one per channel per cell of a
// staggered 9-pixel grid, added onto the target. Owns the distance kernel built once at
// start-up, the frame size it was built for, and the kernel's entries sorted by distance.
#include "fx/halftone.h"

#include <algorithm>
#include <cmath>

#include "gfx/frame.h"

namespace {

// Distances from a cell centre in units of 1/42.67 pixel with a quarter-pixel offset;
// entry (r, c) is the offset (c - 6, r - 6); -1 beyond 6.5 pixels.
constexpr int32_t kernel_size = 12;
constexpr int32_t kernel_entries = kernel_size * kernel_size;

// One kernel entry inside the 6.5-pixel circle: its offset from the cell centre.
struct kernel_entry {
    int32_t dx, dy;     // -6 .. 5
    int32_t offset;     // dy * halftone_width + dx: the same offset in words
};

struct halftone_state {
    int32_t halftone_width = 0;
    int32_t halftone_height = 0;
    int32_t dot_kernel[kernel_entries] = {};
    // The entries that are not -1 by increasing distance (row-major among equals), in
    // groups of equal distance: group g holds by_distance[group_start[g] ..
    // group_start[g + 1] - 1], all at distance group_distance[g]. A dot of any level
    // reaches only a first run of groups, and all entries of a group get the same amount.
    int32_t group_count = 0;
    int32_t group_distance[kernel_entries] = {};
    int32_t group_start[kernel_entries + 1] = {};
    kernel_entry by_distance[kernel_entries] = {};
};
halftone_state state;

constexpr int32_t pitch = 9;        // cell spacing; odd cell rows are shifted by 4
constexpr int32_t rim_width = 42;   // kernel units over which a dot's edge fades out
constexpr int32_t min_level = 6;    // a channel at this level or below draws no dot

// Bytes-wise a + b, each byte capped at 255.
uint32_t add_saturated(uint32_t a, uint32_t b)
{
    const uint32_t low = (a & 0x7F7F7F7Fu) + (b & 0x7F7F7F7Fu);
    const uint32_t sum = low ^ ((a ^ b) & 0x80808080u);
    const uint32_t carry = ((a & b) | ((a | b) & ~sum)) & 0x80808080u;
    return sum | ((carry >> 7) * 0xFFu);
}

}  // namespace

void build_dot_kernel(int32_t width, int32_t height)
{
    // The effect reads and writes frames: larger sizes are held to the frame's.
    state.halftone_width = width < 0 ? 0 : width > frame_width ? frame_width : width;
    state.halftone_height = height < 0 ? 0 : height > frame_height ? frame_height : height;
    for (int32_t r = 0; r < kernel_size; ++r)
        for (int32_t c = 0; c < kernel_size; ++c) {
            const int32_t dx = c - 6, dy = r - 6;
            const double d = sqrt(static_cast<double>(dx * dx + dy * dy));
            state.dot_kernel[r * kernel_size + c] =
                d > 6.5 ? -1 : static_cast<int32_t>((d + 0.25) * 42.666666666666664);
        }

    // Insertion sort by distance; equal distances keep their row-major order.
    int32_t sorted[kernel_entries];
    int32_t count = 0;
    for (int32_t i = 0; i < kernel_entries; ++i) {
        if (state.dot_kernel[i] < 0)
            continue;
        int32_t k = count++;
        for (; k > 0 && state.dot_kernel[sorted[k - 1]] > state.dot_kernel[i]; --k)
            sorted[k] = sorted[k - 1];
        sorted[k] = i;
    }
    state.group_count = 0;
    for (int32_t k = 0; k < count; ++k) {
        const int32_t i = sorted[k];
        const int32_t dx = i % kernel_size - 6, dy = i / kernel_size - 6;
        state.by_distance[k] = kernel_entry{dx, dy, dy * state.halftone_width + dx};
        if (k == 0 || state.dot_kernel[i] != state.dot_kernel[sorted[k - 1]]) {
            state.group_distance[state.group_count] = state.dot_kernel[i];
            state.group_start[state.group_count] = k;
            ++state.group_count;
        }
    }
    state.group_start[state.group_count] = count;
}

const int32_t* halftone_kernel() { return state.dot_kernel; }

void halftone(uint32_t* target, const uint32_t* source, int32_t a)
{
    const int32_t W = state.halftone_width, H = state.halftone_height;

    // Level of a channel mean v: v * a / 256, capped at 255 (a below 0 counts as 0).
    uint8_t level_table[256];
    int64_t sum = 0;
    for (int32_t v = 0; v < 256; ++v, sum += a) {
        const int64_t level = sum >> 8;
        level_table[v] = static_cast<uint8_t>(level < 0 ? 0 : level > 255 ? 255 : level);
    }

    // Amount added to a channel at kernel distance K from a dot of level lev, by
    // K - lev + 255: inside the dot 255 (saturates to 255, the core), then the rim
    // (42 - j) * 256 / 42 for j = 0 .. 41, held to 255, then nothing.
    constexpr int32_t max_kernel = 283;
    uint8_t amount[255 + max_kernel + 1];
    for (int32_t d = -255; d <= max_kernel; ++d) {
        int32_t value = 0;
        if (d < 0)
            value = 255;
        else if (d < rim_width)
            value = (rim_width - d) * 256 / rim_width;
        amount[d + 255] = static_cast<uint8_t>(value > 255 ? 255 : value);
    }

    int32_t row = 0;
    for (int32_t yc = 0; yc < H; yc += pitch, ++row) {
        for (int32_t xc = (row & 1) ? 4 : 0; xc < W; xc += pitch) {
            // Mean of up to four samples per channel; samples left of or above the
            // frame are skipped.
            uint32_t sums[4] = {0, 0, 0, 0};
            uint32_t n = 0;
            for (int32_t sy = yc - 6; sy <= yc; sy += 6) {
                if (sy < 0) continue;
                for (int32_t sx = xc - 6; sx <= xc; sx += 6) {
                    if (sx < 0) continue;
                    const uint32_t p = source[sy * W + sx];
                    for (int ch = 0; ch < 4; ++ch) sums[ch] += (p >> (8 * ch)) & 0xFFu;
                    ++n;
                }
            }
            // Levels per channel, byte 0 blue .. byte 3 alpha; -1 marks no dot.
            int32_t lev[4];
            bool any = false;
            for (int ch = 0; ch < 4; ++ch) {
                const int32_t l = level_table[sums[ch] / n];
                lev[ch] = l > min_level ? l : -1;
                any |= lev[ch] >= 0;
            }
            if (!any) continue;

            // Every channel's amount is 0 from distance lev + rim_width on, so the dot of
            // the highest level bounds the groups that add anything; the pixels past it
            // would only be added 0. Cells whose whole kernel lies inside the frame skip
            // the bounds tests.
            const int32_t max_lev = std::max(std::max(lev[0], lev[1]), std::max(lev[2], lev[3]));
            const int32_t reach = max_lev + rim_width;
            const bool inside = yc >= 6 && yc + 5 < H && xc >= 6 && xc + 5 < W;
            uint32_t* centre = target + yc * W + xc;
            int32_t g = 0;
            if (inside) {
                // Closer than the lowest dot's level every dot adds 255 (its core): those
                // groups, a first run of the sorted entries, take one OR of the same word.
                int32_t core = 256;
                uint32_t core_add = 0;
                for (int ch = 0; ch < 4; ++ch)
                    if (lev[ch] >= 0) {
                        core = std::min(core, lev[ch]);
                        core_add |= 0xFFu << (8 * ch);
                    }
                while (g < state.group_count && state.group_distance[g] < core)
                    ++g;
                const kernel_entry* end = state.by_distance + state.group_start[g];
                for (const kernel_entry* e = state.by_distance; e != end; ++e)
                    centre[e->offset] |= core_add;
            }
            for (; g < state.group_count; ++g) {
                const int32_t K = state.group_distance[g];
                if (K >= reach) break;
                uint32_t add = 0;
                bool partial = false;   // some channel adds neither 0 nor 255
                for (int ch = 0; ch < 4; ++ch)
                    if (lev[ch] >= 0) {
                        const uint32_t v = amount[K - lev[ch] + 255];
                        partial |= v != 0 && v != 255;
                        add |= v << (8 * ch);
                    }
                const kernel_entry* e = state.by_distance + state.group_start[g];
                const kernel_entry* end = state.by_distance + state.group_start[g + 1];
                if (inside && !partial) {
                    // Inside the cores every byte adds 0 or 255: the saturating sum is
                    // the byte itself or 255, which an OR gives at once.
                    for (; e != end; ++e)
                        centre[e->offset] |= add;
                } else if (inside) {
                    for (; e != end; ++e)
                        centre[e->offset] = add_saturated(centre[e->offset], add);
                } else {
                    for (; e != end; ++e) {
                        const int32_t x = xc + e->dx, y = yc + e->dy;
                        if (x < 0 || x >= W || y < 0 || y >= H) continue;
                        uint32_t& p = target[y * W + x];
                        p = add_saturated(p, add);
                    }
                }
            }
        }
    }
}
