// Contact sheet: tiles chosen by music position, gathered in one run, laid out in a grid.
#include "contact_sheet.h"

#include <algorithm>
#include <cstring>

#include "capture_render.h"
#include "demo/assets.h"
#include "demo/demo_data.h"
#include "demo_render.h"
#include "frame_image.h"
#include "output_file.h"
#include "player/position_clock.h"
#include "progress.h"
#include "tiny_font.h"

namespace {

constexpr int columns = 4;
constexpr int gap = 4;
constexpr int label_size = 2;                       // font pixels are 2x2
constexpr int label_band = glyph_height * label_size + 8;
constexpr int cell_width = frame_width + gap;
constexpr int cell_height = frame_height + label_band + gap;
constexpr uint32_t end_position = last_position + 1;

// Positions chosen inside each scene where it has built up and few overlays cover it.
struct scene_pick {
    const char* name;
    uint32_t position;
};
constexpr scene_pick scene_picks[] = {
    {"parallax", 50},    {"fireworks", 420}, {"greetings", 560}, {"rectangles", 800},
    {"morph", 950},      {"model", 1150},    {"walkers", 1300},  {"closing", 1350},
};

// Row index of a position (order * 64 + row) and back.
uint32_t row_index(uint32_t p) { return p - (p / 100) * 36; }
uint32_t index_position(uint32_t i) { return (i / 64) * 100 + i % 64; }

std::string upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return s;
}

} // namespace

std::vector<sheet_tile> sheet_tiles(const overlay_entry* table)
{
    std::vector<sheet_tile> tiles;
    for (const scene_pick& s : scene_picks)
        tiles.push_back({s.position, upper(s.name)});
    for (int n = 0; n < overlay_entries && table[n].pic; ++n) {
        const uint32_t first = row_index(table[n].start_pos);
        const uint32_t last = row_index(std::min(table[n].end_pos, end_position));
        const uint32_t middle = index_position(first + (last > first ? (last - first) / 2 : 0));
        std::string name = "?";
        for (int p = 0; p < picture_count; ++p)
            if (table[n].pic == &pictures[p]) {
                name = picture_list[p];
                name = name.substr(0, name.find('.'));
            }
        tiles.push_back({middle, "OVERLAY " + std::to_string(n) + " " + upper(name)});
    }
    std::stable_sort(tiles.begin(), tiles.end(),
                     [](const sheet_tile& a, const sheet_tile& b) { return a.position < b.position; });
    return tiles;
}

int run_contact_sheet(const capture_options& o)
{
    install_interrupt_handlers();
    std::string error;
    if (!can_create(o.contact_sheet, error))
        return report_failure(error);
    static demo_session session;
    session.fps = o.fps;
    if (demo_start(session, o.data_dir.c_str(), error) != 0)
        return report_failure(error);
    const std::vector<sheet_tile> tiles = sheet_tiles(overlay_table);
    const int rows = (int(tiles.size()) + columns - 1) / columns;
    rgb_image sheet;
    sheet.width = columns * cell_width + gap;
    sheet.height = rows * cell_height + gap;
    sheet.rgb.assign(size_t(sheet.width) * size_t(sheet.height) * 3, 0x20);

    progress_meter meter;
    progress_start(meter, o.quiet);
    static rgb_image tile;
    size_t next = 0;
    uint32_t now = 0;
    for (uint64_t k = 0; next < tiles.size(); ++k) {
        if (capture_interrupted)
            return report_failure("interrupted; nothing was kept");
        now = frame_time_ms(k, o.fps);
        if (demo_audio_until(session, now, error) != 0)
            return report_failure(error);
        demo_draw_frame(session, now);
        const uint32_t position = uint32_t(music_position());
        if (position >= tiles[next].position)
            frame_to_rgb(work_frame, 1, tile);
        for (; next < tiles.size() && position >= tiles[next].position; ++next) {
            const int x0 = gap + int(next % columns) * cell_width;
            const int y0 = gap + int(next / columns) * cell_height;
            for (int y = 0; y < frame_height; ++y)
                std::memcpy(&sheet.rgb[(size_t(y0 + y) * size_t(sheet.width) + size_t(x0)) * 3],
                            &tile.rgb[size_t(y) * frame_width * 3], frame_width * 3);
            const std::string label = std::to_string(position) + " " + tiles[next].label;
            draw_text(sheet, x0, y0 + frame_height + 4, label_size, label.c_str(), 0xFFFFFF);
        }
        progress_show(meter, int32_t(position), next, now, false);
        if (next < tiles.size() && session.run.state.quit_after_frame)
            return report_failure("the demo ended before position " +
                                  std::to_string(tiles[next].position));
    }
    progress_end(meter, music_position(), next, now);
    if (write_png(sheet, part_path(o.contact_sheet), error) != 0 ||
        publish_part(o.contact_sheet, error) != 0) {
        discard_part(o.contact_sheet);
        return report_failure(error);
    }
    return status_ok;
}
