// Command-line parsing of veskarra-capture: every option, its value's range, and which
// options go with which mode.
#include "capture_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Options with a value; flags are handled separately.
enum option_id {
    opt_data, opt_fps, opt_scale, opt_from, opt_from_ms, opt_to, opt_to_ms, opt_video,
    opt_frames, opt_wav, opt_frame_at_ms, opt_png, opt_contact_sheet, opt_module, opt_seconds,
    opt_quiet, opt_count
};

struct option_name {
    const char* name;
    bool takes_value;
};

constexpr option_name option_names[opt_count] = {
    {"--data", true},      {"--fps", true},         {"--scale", true},
    {"--from", true},      {"--from-ms", true},     {"--to", true},
    {"--to-ms", true},     {"--video", true},       {"--frames", true},
    {"--wav", true},       {"--frame-at-ms", true}, {"--png", true},
    {"--contact-sheet", true}, {"--module", true},  {"--seconds", true},
    {"--quiet", false},
};

// Which options each mode accepts, besides the one that selects it.
constexpr bool allowed[4][opt_count] = {
    // data fps scale from fromms to toms video frames wav frameat png sheet module secs quiet
    {true, true, true, true, true, true, true, true, true, true, false, false, false, false, false, true},
    {true, true, true, false, false, false, false, false, false, false, true, true, false, false, false, true},
    {true, true, false, false, false, false, false, false, false, false, false, false, true, false, false, true},
    {false, false, false, false, false, false, false, false, false, true, false, false, false, true, true, true},
};

// A whole decimal number in [low, high]; the text must hold nothing else.
bool parse_number(const char* text, long low, long high, long& value)
{
    if (*text < '0' || *text > '9')
        return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || v < low || v > high)
        return false;
    value = v;
    return true;
}

// A decimal number of seconds above 0 and at most one hour, as 44100 Hz frames.
bool parse_seconds(const char* text, uint64_t& frames)
{
    if ((*text < '0' || *text > '9') && *text != '.')
        return false;
    errno = 0;
    char* end = nullptr;
    const double s = std::strtod(text, &end);
    if (errno != 0 || *end != '\0' || !(s > 0.0) || s > 3600.0)
        return false;
    frames = uint64_t(std::llround(s * 44100.0));
    return frames > 0;
}

} // namespace

int valid_position(uint32_t position)
{
    return position <= 12863 && position % 100 < 64;
}

const char* capture_usage()
{
    return "usage:\n"
           "  veskarra-capture [--data DIR] [--fps N] [--scale 1|2|3|4]\n"
           "                   [--from POS|--from-ms MS] [--to POS|--to-ms MS]\n"
           "                   (--video out.mp4 | --frames DIR) [--wav out.wav] [--quiet]\n"
           "  veskarra-capture [--data DIR] --frame-at-ms MS --png out.png [--scale N]\n"
           "  veskarra-capture [--data DIR] --contact-sheet out.png\n"
           "  veskarra-capture --module FILE.mod --wav out.wav [--seconds S]\n"
           "POS is a music position, order * 100 + row; MS are milliseconds of the demo's clock.\n";
}

int parse_capture_options(int argc, const char* const* argv, capture_options& options,
                          std::string& error)
{
    options = capture_options();
    bool seen[opt_count] = {};
    const char* values[opt_count] = {};
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            options.help = true;
            return status_ok;
        }
        int id = 0;
        while (id < opt_count && std::strcmp(arg, option_names[id].name) != 0)
            ++id;
        if (id == opt_count) {
            error = std::string("unknown option ") + arg;
            return status_usage;
        }
        if (seen[id]) {
            error = std::string(arg) + " given twice";
            return status_usage;
        }
        seen[id] = true;
        if (option_names[id].takes_value) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                error = std::string(arg) + " needs a value";
                return status_usage;
            }
            values[id] = argv[++i];
        }
    }

    const int selectors = seen[opt_frame_at_ms] + seen[opt_contact_sheet] + seen[opt_module];
    if (selectors > 1) {
        error = "choose one of --frame-at-ms, --contact-sheet and --module";
        return status_usage;
    }
    int selector = -1;
    if (seen[opt_frame_at_ms]) {
        options.mode = capture_mode::frame_at;
        selector = opt_frame_at_ms;
    } else if (seen[opt_contact_sheet]) {
        options.mode = capture_mode::contact_sheet;
        selector = opt_contact_sheet;
    } else if (seen[opt_module]) {
        options.mode = capture_mode::module;
        selector = opt_module;
    }
    for (int id = 0; id < opt_count; ++id)
        if (seen[id] && id != selector && !allowed[int(options.mode)][id]) {
            error = std::string(option_names[id].name) + " does not go with " +
                    (selector < 0 ? "--video, --frames and --wav" : option_names[selector].name);
            return status_usage;
        }

    long v = 0;
    if (seen[opt_data])
        options.data_dir = values[opt_data];
    if (seen[opt_fps]) {
        if (!parse_number(values[opt_fps], 1, 1000, v)) {
            error = "--fps takes a whole number from 1 to 1000";
            return status_usage;
        }
        options.fps = int(v);
    }
    if (seen[opt_scale]) {
        if (!parse_number(values[opt_scale], 1, 4, v)) {
            error = "--scale takes 1, 2, 3 or 4";
            return status_usage;
        }
        options.scale = int(v);
    }
    const int position_options[2] = {opt_from, opt_to};
    for (int id : position_options)
        if (seen[id]) {
            if (!parse_number(values[id], 0, 12863, v) || !valid_position(uint32_t(v))) {
                error = std::string(option_names[id].name) +
                        " takes a music position, order * 100 + row with a row from 0 to 63";
                return status_usage;
            }
            (id == opt_from ? options.from_position : options.to_position) = uint32_t(v);
        }
    const int ms_options[3] = {opt_from_ms, opt_to_ms, opt_frame_at_ms};
    for (int id : ms_options)
        if (seen[id]) {
            if (!parse_number(values[id], 0, 9999998, v)) {
                error = std::string(option_names[id].name) +
                        " takes milliseconds, a whole number from 0 to 9999998";
                return status_usage;
            }
            (id == opt_from_ms ? options.from_ms : id == opt_to_ms ? options.to_ms
                                                                    : options.frame_at_ms) =
                uint32_t(v);
        }
    options.has_from_position = seen[opt_from];
    options.has_from_ms = seen[opt_from_ms];
    options.has_to_position = seen[opt_to];
    options.has_to_ms = seen[opt_to_ms];
    if (seen[opt_seconds]) {
        if (!parse_seconds(values[opt_seconds], options.seconds_frames)) {
            error = "--seconds takes a number of seconds above 0 and at most 3600";
            return status_usage;
        }
        options.has_seconds = true;
    }
    if (seen[opt_video])
        options.video = values[opt_video];
    if (seen[opt_frames])
        options.frames_dir = values[opt_frames];
    if (seen[opt_wav])
        options.wav = values[opt_wav];
    if (seen[opt_png])
        options.png = values[opt_png];
    if (seen[opt_contact_sheet])
        options.contact_sheet = values[opt_contact_sheet];
    if (seen[opt_module])
        options.module_file = values[opt_module];
    options.quiet = seen[opt_quiet];

    switch (options.mode) {
    case capture_mode::render:
        if (!seen[opt_video] && !seen[opt_frames] && !seen[opt_wav]) {
            error = "nothing to write: give --video, --frames or --wav";
            return status_usage;
        }
        if (seen[opt_from] && seen[opt_from_ms]) {
            error = "--from and --from-ms exclude each other";
            return status_usage;
        }
        if (seen[opt_to] && seen[opt_to_ms]) {
            error = "--to and --to-ms exclude each other";
            return status_usage;
        }
        if (seen[opt_from] && seen[opt_to] && options.from_position > options.to_position) {
            error = "--from lies after --to";
            return status_usage;
        }
        if (seen[opt_from_ms] && seen[opt_to_ms] && options.from_ms >= options.to_ms) {
            error = "--from-ms must lie before --to-ms";
            return status_usage;
        }
        break;
    case capture_mode::frame_at:
        if (!seen[opt_png]) {
            error = "--frame-at-ms needs --png out.png";
            return status_usage;
        }
        break;
    case capture_mode::contact_sheet:
        break;
    case capture_mode::module:
        if (!seen[opt_wav]) {
            error = "--module needs --wav out.wav";
            return status_usage;
        }
        break;
    }
    return status_ok;
}
