// Packs a forge_song into the bytes of a MOD module: title, 31 sample headers, song length,
// restart order, order list, "M.K." tag, patterns in file cell layout, then sample data.
#include <algorithm>

#include "music.h"

const uint16_t forge_periods[84] = {
    3424, 3232, 3048, 2880, 2712, 2560, 2416, 2280, 2152, 2032, 1920, 1812,
    1712, 1616, 1524, 1440, 1356, 1280, 1208, 1140, 1076, 1016, 960,  906,
    856,  808,  762,  720,  678,  640,  604,  570,  538,  508,  480,  453,
    428,  404,  381,  360,  339,  320,  302,  285,  269,  254,  240,  226,
    214,  202,  190,  180,  170,  160,  151,  143,  135,  127,  120,  113,
    107,  101,  95,   90,   85,   80,   75,   71,   67,   63,   60,   56,
    53,   50,   47,   45,   42,   40,   37,   35,   33,   31,   30,   28,
};

namespace {

void put_word(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(uint8_t(value >> 8));
    out.push_back(uint8_t(value));
}

void put_text(std::vector<uint8_t>& out, const std::string& text, size_t width)
{
    for (size_t i = 0; i < width; i++)
        out.push_back(i < text.size() ? uint8_t(text[i]) : 0);
}

} // namespace

std::vector<uint8_t> forge_write_module(const forge_song& song)
{
    std::vector<uint8_t> out;
    put_text(out, song.title, 20);
    for (const forge_sample& s : song.samples) {
        put_text(out, s.name, 22);
        put_word(out, uint32_t(s.data.size() / 2));
        out.push_back(uint8_t(s.finetune & 0x0F));
        out.push_back(s.volume);
        if (s.loop_length > 2) {
            put_word(out, s.loop_start / 2);
            put_word(out, s.loop_length / 2);
        } else {
            put_word(out, 0);
            put_word(out, 1);                          // the usual "no loop" mark
        }
    }
    out.push_back(uint8_t(song.orders.size()));
    out.push_back(song.restart);
    for (size_t i = 0; i < 128; i++)
        out.push_back(i < song.orders.size() ? song.orders[i] : 0);
    put_text(out, "M.K.", 4);
    for (const forge_pattern& p : song.patterns) {
        for (int r = 0; r < forge_rows; r++) {
            for (int c = 0; c < forge_channels; c++) {
                const forge_cell& cell = p.cells[r][c];
                uint32_t period = cell.note < 84 ? forge_periods[cell.note] : 0;
                out.push_back(uint8_t((cell.sample & 0xF0) | (period >> 8)));
                out.push_back(uint8_t(period & 0xFF));
                out.push_back(uint8_t(((cell.sample & 0x0F) << 4) | (cell.command & 0x0F)));
                out.push_back(cell.param);
            }
        }
    }
    for (const forge_sample& s : song.samples)
        for (int8_t v : s.data)
            out.push_back(uint8_t(v));
    return out;
}
