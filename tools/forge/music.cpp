// The composition: A minor at 125 bpm, speed 6, four bars of 4/4 a pattern. Each section
// starts on a scene boundary of the demo's timeline (position = order * 100 + row) and the
// accents fall on the rows the scenes time themselves by. Orders 0..13 play every row once,
// strictly forward, at six ticks a row: no jump, break, loop, delay or speed change there.
#include <cstring>

#include "music.h"

namespace {

// Sample numbers.
enum : uint8_t {
    smp_kick = 1, smp_snare, smp_closed_hat, smp_open_hat, smp_crash_kick, smp_tom, smp_riser,
    smp_bell, smp_bass, smp_pad_minor, smp_pad_major, smp_pulse, smp_lead,
};

// Effect commands (the parameter goes beside them).
enum : uint8_t {
    fx_arpeggio = 0x0, fx_slide_up = 0x1, fx_slide_down = 0x2, fx_porta = 0x3, fx_vibrato = 0x4,
    fx_porta_slide = 0x5, fx_vibrato_slide = 0x6, fx_offset = 0x9, fx_volume_slide = 0xA,
    fx_volume = 0xC, fx_extended = 0xE,
};
constexpr uint8_t ext_retrigger = 0x90, ext_note_cut = 0xC0, ext_note_delay = 0xD0;

// "C-1" .. "B-3" (and "C#2" sharps) to a note index: C-1 is index 24.
int note_of(const char* name)
{
    static const int semitones[7] = {9, 11, 0, 2, 4, 5, 7};   // A B C D E F G
    int n = semitones[name[0] - 'A'];
    if (name[1] == '#')
        n++;
    return 12 * (name[2] - '0' + 1) + n;
}

void put(forge_pattern& p, int row, int channel, int sample, int note, int command = 0, int param = 0)
{
    forge_cell& c = p.cells[row][channel];
    c.sample = uint8_t(sample);
    c.note = uint8_t(note);
    c.command = uint8_t(command);
    c.param = uint8_t(param);
}

// Sets only the command of a cell, keeping its note and sample.
void fx(forge_pattern& p, int row, int channel, int command, int param)
{
    p.cells[row][channel].command = uint8_t(command);
    p.cells[row][channel].param = uint8_t(param);
}

// A melodic line, one token a row from `row` on: "A-2" plays, "..." holds, "^^^" silences.
void line(forge_pattern& p, int channel, int row, int sample, const char* tokens)
{
    for (const char* t = tokens; *t && row < forge_rows; row++) {
        while (*t == ' ')
            t++;
        if (!*t)
            break;
        if (t[0] == '^')
            put(p, row, channel, 0, forge_no_note, fx_volume, 0);
        else if (t[0] != '.')
            put(p, row, channel, sample, note_of(t));
        t += 3;
    }
}

// One drum hit a character: K kick, S snare, g ghost snare, h closed hat, q quiet hat,
// o open hat, X crash with kick, 1..4 toms high to low, r snare retriggered every 2 ticks.
void drums(forge_pattern& p, int row, const char* hits, int channel = 0)
{
    for (const char* h = hits; *h && row < forge_rows; h++, row++) {
        switch (*h) {
        case 'K': put(p, row, channel, smp_kick, forge_drum_note); break;
        case 'S': put(p, row, channel, smp_snare, forge_drum_note); break;
        case 'g': put(p, row, channel, smp_snare, forge_drum_note, fx_volume, 22); break;
        case 'r': put(p, row, channel, smp_snare, forge_drum_note, fx_extended, ext_retrigger | 2); break;
        case 'h': put(p, row, channel, smp_closed_hat, forge_cymbal_note); break;
        case 'q': put(p, row, channel, smp_closed_hat, forge_cymbal_note, fx_volume, 18); break;
        case 'o': put(p, row, channel, smp_open_hat, forge_cymbal_note); break;
        case 'X': put(p, row, channel, smp_crash_kick, forge_cymbal_note); break;
        case '1': put(p, row, channel, smp_tom, note_of("F-3")); break;
        case '2': put(p, row, channel, smp_tom, note_of("D-3")); break;
        case '3': put(p, row, channel, smp_tom, note_of("A#2")); break;
        case '4': put(p, row, channel, smp_tom, note_of("G-2")); break;
        default: break;
        }
    }
}

// The chords of the song: where the bass, the pad and the arpeggio put each one.
struct chord {
    const char* bass;       // root for the bass (64-byte cycle: octave 1 sounds octave 2)
    int pad_note;           // the pad's triad sounds on A when played on C-3
    bool major;
    const char* arp;        // base note of the pulse arpeggio
};
const chord am = {"A-1", 48, false, "A-1"};
const chord f_ = {"F-1", 44, true, "F-1"};
const chord c_ = {"C-2", 51, true, "C-2"};
const chord g_ = {"G-1", 46, true, "G-1"};
const chord em = {"E-1", 43, false, "E-1"};
const chord e_ = {"E-1", 43, true, "E-1"};
const chord dm = {"D-1", 41, false, "D-2"};

using progression = const chord* [4];
const progression main_chords = {&am, &f_, &c_, &g_};
const progression greet_chords = {&f_, &g_, &em, &am};
const progression calm_chords = {&f_, &g_, &am, &e_};
const progression drive_chords = {&am, &am, &f_, &g_};
const progression close_chords = {&dm, &f_, &am, &am};

// Bass figures, one character a row: R root, O octave, F fifth, '.' rest,
// s root from the middle of the sample (softer attack, through the sample offset command).
void bass_bar(forge_pattern& p, int row, const chord& c, const char* figure)
{
    int root = note_of(c.bass);
    for (const char* f = figure; *f && row < forge_rows; f++, row++) {
        switch (*f) {
        case 'R': put(p, row, 1, smp_bass, root); break;
        case 'O': put(p, row, 1, smp_bass, root + 12); break;
        case 'F': put(p, row, 1, smp_bass, root + 7); break;
        case 's': put(p, row, 1, smp_bass, root, fx_offset, 4); break;
        default: break;
        }
    }
}

void bass(forge_pattern& p, const progression& chords, const char* figure)
{
    for (int bar = 0; bar < 4; bar++)
        bass_bar(p, bar * 16, *chords[bar], figure);
}

// Pad chord at the start of each bar; `volume` 0 keeps the sample's own.
void pad(forge_pattern& p, int channel, const progression& chords, int volume = 0)
{
    for (int bar = 0; bar < 4; bar++) {
        const chord& c = *chords[bar];
        put(p, bar * 16, channel, c.major ? smp_pad_major : smp_pad_minor, c.pad_note,
            volume ? fx_volume : 0, volume);
    }
}

// Pulse chords: the arpeggio command spreads the triad over the ticks of each row.
// `rhythm`: one character a row, 'x' strikes the chord, '-' holds it, '.' lets it stop.
void arp(forge_pattern& p, int channel, const progression& chords, const char* rhythm, int octave_up = 0)
{
    for (int bar = 0; bar < 4; bar++) {
        const chord& c = *chords[bar];
        int base = note_of(c.arp) + 12 * octave_up;
        int param = c.major ? 0x47 : 0x37;
        int row = bar * 16;
        for (const char* r = rhythm; *r && row < bar * 16 + 16; r++, row++) {
            if (*r == 'x')
                put(p, row, channel, smp_pulse, base, fx_arpeggio, param);
            else if (*r == '-')
                fx(p, row, channel, fx_arpeggio, param);
            else
                put(p, row, channel, 0, forge_no_note, fx_volume, 0);
        }
    }
}

// Vibrato on every held row of a channel between `from` and `to` (rows without a note).
void vibrato(forge_pattern& p, int channel, int from, int to, int param)
{
    for (int r = from; r <= to; r++) {
        forge_cell& c = p.cells[r][channel];
        if (c.note == forge_no_note && c.command == 0 && c.param == 0)
            fx(p, r, channel, fx_vibrato, param);
    }
}

// ---- The sections ----

const char* const melody_a =
    "E-3 ... ... ... ... ... D-3 ... C-3 ... ... ... B-2 ... C-3 ... "
    "A-2 ... ... ... ... ... ... ... ... ... C-3 ... F-3 ... E-3 ... "
    "G-3 ... ... ... E-3 ... ... ... C-3 ... ... ... D-3 ... E-3 ... "
    "D-3 ... ... ... ... ... ... ... B-2 ... ... ... G-2 ... B-2 ... ";
const char* const melody_a2 =
    "A-3 ... ... ... G-3 ... E-3 ... ... ... D-3 ... E-3 ... ... ... "
    "F-3 ... ... ... E-3 ... C-3 ... ... ... A-2 ... C-3 ... ... ... "
    "E-3 ... ... ... G-3 ... ... ... C-3 ... D-3 ... E-3 ... G-3 ... "
    "B-3 ... ... ... A-3 ... ... ... G-3 ... ... ... D-3 ... ... ... ";
const char* const melody_b =
    "C-3 ... ... ... ... ... ... ... A-2 ... ... ... C-3 ... ... ... "
    "D-3 ... ... ... ... ... ... ... B-2 ... ... ... G-2 ... ... ... "
    "B-2 ... ... ... ... ... ... ... G-2 ... ... ... E-2 ... G-2 ... "
    "A-2 ... ... ... ... ... ... ... ... ... ... ... ^^^ ... ... ... ";
const char* const melody_c =
    "A-2 ... A-2 C-3 ... A-2 E-3 ... D-3 ... C-3 ... A-2 ... G-2 ... "
    "A-2 ... A-2 C-3 ... A-2 E-3 ... G-3 ... E-3 ... D-3 ... C-3 ... "
    "F-2 ... A-2 C-3 ... F-3 E-3 ... C-3 ... A-2 ... C-3 ... D-3 ... "
    "G-2 ... B-2 D-3 ... G-3 F#3 ... D-3 ... B-2 ... D-3 ... ^^^ ... ";
const char* const beat_main = "K.h.S.hKK.h.S.ho";
const char* const beat_drive = "K.hKS.hhK.hKS.ho";

forge_pattern intro_pad()
{
    forge_pattern p;
    // When the song starts over, the outro's bass may still be sounding: silence it.
    put(p, 0, 1, 0, forge_no_note, fx_volume, 0);
    pad(p, 2, main_chords);
    // The pad swells in over the first bar.
    fx(p, 0, 2, fx_volume, 8);
    for (int r = 1; r < 12; r++)
        fx(p, r, 2, fx_volume_slide, 0x10);
    line(p, 3, 8, smp_bell,
         "E-3 ... ... ... ... ... ... ... C-3 ... ... ... ... ... ... ... "
         "... ... ... ... ... ... ... ... G-3 ... ... ... E-3 ... ... ... "
         "... ... ... ... ... ... ... ... D-3 ... ... ... B-2 ... ... ... ");
    drums(p, 32, "q...q...q...q...q...q.q.q.q.q.qo");
    return p;
}

forge_pattern intro_bass()
{
    forge_pattern p;
    pad(p, 2, main_chords);
    bass(p, main_chords, "R.......R...O...");
    drums(p, 0, "..h...h...h...h...h...h...h...h...h...h...h...h...h...h.h.h.hho");
    line(p, 3, 0, smp_bell,
         "E-3 ... ... ... ... ... D-3 ... C-3 ... ... ... ... ... ... ... "
         "A-2 ... ... ... ... ... ... ... ... ... C-3 ... ... ... ... ... "
         "G-3 ... ... ... E-3 ... ... ... C-3 ... ... ... ... ... ... ... "
         "D-3 ... ... ... ... ... ... ... B-2 ... ... ... G-2 ... ... ... ");
    return p;
}

forge_pattern intro_build()
{
    forge_pattern p;
    bass(p, main_chords, "R.R.O.R.R.R.O.R.");
    arp(p, 2, main_chords, "x-x-x-x-x-x-x-x-");
    for (int bar = 0; bar < 3; bar++)
        drums(p, bar * 16, "K.h.S.h.K.h.S.h.");
    // The last bar leads into the fireworks: a riser and a snare roll growing louder.
    drums(p, 48, "K.h.S.h.rgrgrrrr");
    for (int r = 56; r < 64; r++)
        if (p.cells[r][0].sample)
            fx(p, r, 0, fx_volume, 24 + 5 * (r - 56));
    line(p, 3, 0, smp_bell,
         "E-3 ... ... ... ... ... D-3 ... C-3 ... ... ... B-2 ... C-3 ... "
         "A-2 ... ... ... ... ... ... ... ... ... C-3 ... F-3 ... E-3 ... "
         "G-3 ... ... ... E-3 ... ... ... C-3 ... ... ... D-3 ... E-3 ... ");
    put(p, 48, 3, smp_riser, forge_drum_note);
    return p;
}

// Fireworks: crash on rows 0 and 32 (the launches), the full groove, the lead's theme.
forge_pattern fireworks(const char* melody, bool last)
{
    forge_pattern p;
    for (int bar = 0; bar < 4; bar++)
        drums(p, bar * 16, beat_main);
    drums(p, 0, "X");
    drums(p, 32, "X");
    if (last)
        drums(p, 56, "K.1.2.34");
    bass(p, main_chords, "R..R..O.R..R.FO.");
    arp(p, 2, main_chords, "x-x.x-x.x-x.x-x.");
    line(p, 3, 0, smp_lead, melody);
    vibrato(p, 3, 0, 63, 0x33);
    return p;
}

// Greetings, first half: half-time drums, gliding bass, pad and a sparse lead.
forge_pattern greetings_lead()
{
    forge_pattern p;
    for (int bar = 0; bar < 4; bar++)
        drums(p, bar * 16, "K.q.q.qqS.q.q.qq");
    drums(p, 0, "X");
    bass(p, greet_chords, "R.......F...O...");
    pad(p, 2, greet_chords);
    line(p, 3, 0, smp_lead, melody_b);
    vibrato(p, 3, 0, 63, 0x42);
    // Portamento: the lead glides into the second phrase and the last note.
    fx(p, 16, 3, fx_porta, 0x0C);
    fx(p, 48, 3, fx_porta, 0x08);
    return p;
}

// Greetings, second half: a bell on each row where a greeting appears.
forge_pattern greetings_bells()
{
    forge_pattern p;
    for (int bar = 0; bar < 4; bar++)
        drums(p, bar * 16, "K.q.q.qqS.q.q.qq");
    bass(p, greet_chords, "R.......F...O...");
    pad(p, 2, greet_chords, 32);
    struct hit {
        int row;
        const char* note;
    };
    static const hit hits[] = {
        {0, "C-3"},  {2, "A-2"},  {3, "C-3"},  {4, "F-3"},  {6, "E-3"},
        {9, "C-3"},  {10, "A-2"}, {16, "D-3"}, {17, "B-2"}, {20, "G-2"},
        {30, "D-3"}, {31, "B-2"}, {32, "E-3"}, {33, "G-3"}, {35, "B-3"},
    };
    for (const hit& h : hits)
        put(p, h.row, 3, smp_bell, note_of(h.note), fx_volume, 64);
    // Faint echoes once the fifteen greetings are out.
    line(p, 3, 40, smp_bell, "B-3 ... ... ... G-3 ... ... ... E-3 ... ... ... ... ... ... ... A-2");
    for (int r = 40; r < 64; r++)
        if (p.cells[r][3].sample)
            fx(p, r, 3, fx_volume, 14);
    return p;
}

// Rectangles, first half: a breakdown without kick.
forge_pattern rects_breakdown()
{
    forge_pattern p;
    for (int bar = 0; bar < 4; bar++)
        drums(p, bar * 16, "hqhqhqhohqhqhqho");
    drums(p, 0, "X");
    bass(p, main_chords, "s.s.s.s.s.s.O.s.");
    arp(p, 2, main_chords, "x-.-x-.-x-.-x-x-", 1);
    pad(p, 3, main_chords, 28);
    return p;
}

// Rectangles, second half: building up to row 32, where the wave starts to scroll.
forge_pattern rects_drop()
{
    forge_pattern p;
    drums(p, 0, "hqhqhqhohqhqhqho");
    drums(p, 16, "S...S...S.S.SSrr");
    for (int r = 16; r < 32; r++)
        if (p.cells[r][0].sample)
            fx(p, r, 0, fx_volume, 20 + 2 * (r - 16));
    bass(p, main_chords, "s.s.s.s.s.s.O.s.");
    for (int r = 16; r < 32; r++)
        p.cells[r][1] = forge_cell();
    bass_bar(p, 16, g_, "R.R.R.R.RRRRRRRR");
    arp(p, 2, main_chords, "x-.-x-.-x-.-x-x-", 1);
    put(p, 0, 3, smp_pad_minor, am.pad_note, fx_volume, 28);
    put(p, 16, 3, smp_riser, forge_drum_note);
    // The drop at row 32.
    for (int bar = 2; bar < 4; bar++)
        drums(p, bar * 16, beat_drive);
    drums(p, 32, "X");
    bass_bar(p, 32, c_, "R..R..O.R..R.FO.");
    bass_bar(p, 48, g_, "R..R..O.R..R.FO.");
    line(p, 3, 32,
         smp_lead,
         "G-3 ... ... ... E-3 ... ... ... C-3 ... ... ... D-3 ... E-3 ... "
         "D-3 ... ... ... ... ... ... ... B-2 ... ... ... G-2 ... B-2 ... ");
    vibrato(p, 3, 33, 63, 0x33);
    return p;
}

// Morph: calm, no drums but a soft hat, the bass gliding from chord to chord.
forge_pattern morph()
{
    forge_pattern p;
    drums(p, 0, "X");
    for (int bar = 0; bar < 4; bar++)
        drums(p, bar * 16 + 8, "o");
    pad(p, 2, calm_chords);
    put(p, 0, 1, smp_bass, note_of("F-1"));
    put(p, 16, 1, 0, note_of("G-1"), fx_porta, 0x06);
    put(p, 32, 1, 0, note_of("A-1"), fx_porta, 0x06);
    put(p, 48, 1, 0, note_of("E-1"), fx_porta, 0x04);
    for (int r = 17; r < 64; r++)
        if (r != 32 && r != 48)
            fx(p, r, 1, fx_porta, 0);
    line(p, 3, 0, smp_lead,
         "A-2 ... ... ... ... ... ... ... ... ... ... ... C-3 ... ... ... "
         "B-2 ... ... ... ... ... ... ... ... ... ... ... D-3 ... ... ... "
         "C-3 ... ... ... ... ... ... ... ... ... ... ... E-3 ... ... ... "
         "G#2 ... ... ... ... ... ... ... B-2 ... ... ... ... ... ... ... ");
    for (int r = 0; r < 64; r++)
        if (p.cells[r][3].sample)
            fx(p, r, 3, fx_volume, 34);
    vibrato(p, 3, 0, 63, 0x24);
    // The last bar swells back towards the model scene.
    for (int r = 56; r < 64; r++)
        fx(p, r, 3, fx_vibrato_slide, 0x10);
    drums(p, 60, "gggr");
    return p;
}

// Model, first half: the driving section.
forge_pattern model_drive()
{
    forge_pattern p;
    for (int bar = 0; bar < 4; bar++)
        drums(p, bar * 16, beat_drive);
    drums(p, 0, "X");
    bass(p, drive_chords, "RRO.RRO.RRO.RRFO");
    arp(p, 2, drive_chords, "x-x-x-x-x-x-x-x-", 1);
    line(p, 3, 0, smp_lead, melody_c);
    vibrato(p, 3, 0, 63, 0x23);
    return p;
}

// Model, second half: a hit and bounces at row 0 (the jump), a fall from row 48.
forge_pattern model_jump_fall()
{
    forge_pattern p;
    for (int bar = 0; bar < 3; bar++)
        drums(p, bar * 16, beat_drive);
    drums(p, 0, "X");
    bass(p, drive_chords, "RRO.RRO.RRO.RRFO");
    arp(p, 2, drive_chords, "x-x-x-x-x-x-x-x-", 1);
    // The bounce: a high note that falls back and jumps again, each jump smaller.
    put(p, 0, 3, smp_lead, note_of("A-3"));
    put(p, 6, 3, 0, note_of("A-2"), fx_porta, 0x20);
    put(p, 8, 3, 0, note_of("G-3"), fx_porta, 0x20);
    put(p, 12, 3, 0, note_of("A-2"), fx_porta, 0x18);
    put(p, 14, 3, 0, note_of("E-3"), fx_porta, 0x18);
    put(p, 18, 3, 0, note_of("A-2"), fx_porta, 0x10);
    put(p, 20, 3, 0, note_of("C-3"), fx_porta, 0x10);
    put(p, 24, 3, 0, note_of("A-2"), fx_porta, 0x08);
    for (int r = 1; r < 32; r++)
        if (p.cells[r][3].note == forge_no_note)
            fx(p, r, 3, fx_porta, 0);
    line(p, 3, 32, smp_lead, "F-3 ... E-3 ... C-3 ... ... ... G-3 ... F-3 ... D-3 ... B-2 ...");
    vibrato(p, 3, 32, 47, 0x33);
    // The fall: crash, then bass and lead slide down while the toms tumble.
    drums(p, 48, "X.......K.1.2334");
    put(p, 48, 1, smp_bass, note_of("A-2"));
    put(p, 48, 3, smp_lead, note_of("A-3"));
    for (int r = 48; r < 64; r++) {
        fx(p, r, 1, fx_slide_down, r < 49 ? 0 : 3);
        fx(p, r, 3, fx_slide_down, r < 49 ? 0 : 4);
        p.cells[r][2] = forge_cell();
    }
    put(p, 48, 2, 0, forge_no_note, fx_volume, 0);
    return p;
}

// Walkers: the last groove, the theme an octave up in the pulse and the lead together.
forge_pattern walkers(bool closing)
{
    forge_pattern p;
    for (int bar = 0; bar < 4; bar++)
        drums(p, bar * 16, "K.hSK.hoK.hSKKho");
    drums(p, 0, "X");
    bass(p, main_chords, "R.OR.ORFR.OR.OFO");
    arp(p, 2, main_chords, "x-x-x.x-x-x.x-x-", 1);
    line(p, 3, 0, smp_lead, melody_a2);
    vibrato(p, 3, 0, 63, 0x34);
    if (closing) {
        // Position 1340: the music lets go - one crash, then pad, bell and a fading bass.
        for (int r = 40; r < 64; r++)
            for (int c = 0; c < 4; c++)
                p.cells[r][c] = forge_cell();
        drums(p, 40, "X");
        put(p, 40, 1, smp_bass, note_of("A-1"));
        for (int r = 44; r < 64; r++)
            fx(p, r, 1, fx_volume_slide, 0x01);
        put(p, 40, 2, smp_pad_minor, am.pad_note);
        line(p, 3, 40, smp_bell, "E-3 ... ... ... ... ... C-3 ... ... ... ... ... A-2 ... ... ... ... ... ... ... E-2");
    }
    return p;
}

// Outro, past the demo's end: the pad and bells fade, then the song starts over.
forge_pattern outro(bool fade)
{
    forge_pattern p;
    pad(p, 2, close_chords, fade ? 30 : 0);
    bass(p, close_chords, "R...............");
    line(p, 3, 0, smp_bell,
         "A-2 ... ... ... ... ... ... ... C-3 ... ... ... ... ... ... ... "
         "F-2 ... ... ... ... ... ... ... A-2 ... ... ... ... ... ... ... "
         "E-3 ... ... ... ... ... ... ... C-3 ... ... ... ... ... ... ... "
         "B-2 ... ... ... ... ... ... ... E-2 ... ... ... ... ... ... ... ");
    for (int r = 0; r < 64; r++)
        if (p.cells[r][3].sample)
            fx(p, r, 3, fx_volume, fade ? 20 : 32);
    if (fade)
        for (int r = 49; r < 64; r++) {
            fx(p, r, 1, fx_volume_slide, 0x01);
            fx(p, r, 2, fx_volume_slide, 0x01);
        }
    return p;
}

} // namespace

forge_song forge_compose()
{
    forge_song song;
    song.title = "trevakul 4";
    song.samples[smp_kick - 1] = forge_kick();
    song.samples[smp_snare - 1] = forge_snare();
    song.samples[smp_closed_hat - 1] = forge_closed_hat();
    song.samples[smp_open_hat - 1] = forge_open_hat();
    song.samples[smp_crash_kick - 1] = forge_crash_kick();
    song.samples[smp_tom - 1] = forge_tom();
    song.samples[smp_riser - 1] = forge_riser();
    song.samples[smp_bell - 1] = forge_bell();
    song.samples[smp_bass - 1] = forge_bass();
    song.samples[smp_pad_minor - 1] = forge_pad(false);
    song.samples[smp_pad_major - 1] = forge_pad(true);
    song.samples[smp_pulse - 1] = forge_pulse();
    song.samples[smp_lead - 1] = forge_lead();

    // Orders and the scenes they carry: 0-2 parallax, 3-4 fireworks, 5-6 greetings,
    // 7-8 rectangles, 9 morph, 10-11 model, 12-13 walkers and (from row 40) closing.
    song.patterns = {
        intro_pad(),                 // 0
        intro_bass(),                // 1
        intro_build(),               // 2
        fireworks(melody_a, false),  // 3
        fireworks(melody_a2, true),  // 4
        greetings_lead(),            // 5
        greetings_bells(),           // 6
        rects_breakdown(),           // 7
        rects_drop(),                // 8
        morph(),                     // 9
        model_drive(),               // 10
        model_jump_fall(),           // 11
        walkers(false),              // 12
        walkers(true),               // 13
        outro(false),                // 14
        outro(true),                 // 15
    };
    song.orders = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    song.restart = 0;
    return song;
}

std::vector<uint8_t> forge_module()
{
    return forge_write_module(forge_compose());
}
