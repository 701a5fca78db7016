// The command line: what each mode accepts, the ranges of the values, and what is refused.
#include <gtest/gtest.h>

#include <vector>

#include "capture_options.h"

namespace {

int parse(std::vector<const char*> args, capture_options& options, std::string& error)
{
    args.insert(args.begin(), "veskarra-capture");
    return parse_capture_options(int(args.size()), args.data(), options, error);
}

TEST(capture_options, accepts_each_mode_with_its_settings)
{
    capture_options o;
    std::string error;
    ASSERT_EQ(status_ok, parse({"--video", "a.mp4", "--wav", "a.wav", "--fps", "50", "--scale", "4",
                                "--from", "1000", "--to-ms", "120000", "--quiet"}, o, error)) << error;
    EXPECT_EQ(capture_mode::render, o.mode);
    EXPECT_EQ(50, o.fps);
    EXPECT_EQ(4, o.scale);
    EXPECT_TRUE(o.has_from_position && o.has_to_ms && !o.has_from_ms && !o.has_to_position);
    EXPECT_EQ(1000u, o.from_position);
    EXPECT_EQ(120000u, o.to_ms);
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ("data", o.data_dir);

    ASSERT_EQ(status_ok, parse({"--data", "d", "--frame-at-ms", "5000", "--png", "f.png"}, o, error));
    EXPECT_EQ(capture_mode::frame_at, o.mode);
    EXPECT_EQ(5000u, o.frame_at_ms);
    EXPECT_EQ(2, o.scale);   // the screen, by default

    ASSERT_EQ(status_ok, parse({"--contact-sheet", "s.png"}, o, error));
    EXPECT_EQ(capture_mode::contact_sheet, o.mode);

    ASSERT_EQ(status_ok, parse({"--module", "m.mod", "--wav", "m.wav", "--seconds", "1.5"}, o, error));
    EXPECT_EQ(capture_mode::module, o.mode);
    EXPECT_TRUE(o.has_seconds);
    EXPECT_EQ(66150u, o.seconds_frames);

    ASSERT_EQ(status_ok, parse({"--frames", "out", "--from", "1362", "--to", "1362"}, o, error));
    ASSERT_EQ(status_ok, parse({"--wav", "w.wav"}, o, error));
}

TEST(capture_options, refuses_bad_command_lines_with_a_reason)
{
    const std::vector<std::vector<const char*>> cases = {
        {},                                                // nothing to write
        {"--quiet"},                                       // still nothing to write
        {"--video"},                                       // missing value
        {"--video", ""},                                   // empty value
        {"--bogus"},
        {"--frames", "d", "--frames", "e"},                // twice
        {"--frames", "d", "--fps", "0"},
        {"--frames", "d", "--fps", "60x"},
        {"--frames", "d", "--fps", "-5"},
        {"--frames", "d", "--fps", "1001"},
        {"--frames", "d", "--scale", "5"},
        {"--frames", "d", "--scale", "1.5"},
        {"--frames", "d", "--from", "170"},                // row 70 does not exist
        {"--frames", "d", "--from", "12900"},
        {"--frames", "d", "--from", "500", "--to", "400"},
        {"--frames", "d", "--from", "500", "--from-ms", "10"},
        {"--frames", "d", "--to", "500", "--to-ms", "10"},
        {"--frames", "d", "--from-ms", "2000", "--to-ms", "2000"},
        {"--frames", "d", "--from-ms", "99999999"},
        {"--frames", "d", "--png", "p.png"},               // --png belongs to --frame-at-ms
        {"--frames", "d", "--seconds", "3"},
        {"--frame-at-ms", "100"},                          // no --png
        {"--frame-at-ms", "100", "--png", "p.png", "--wav", "w.wav"},
        {"--frame-at-ms", "100", "--png", "p.png", "--from", "100"},
        {"--contact-sheet", "s.png", "--scale", "2"},
        {"--contact-sheet", "s.png", "--frame-at-ms", "5", "--png", "p.png"},
        {"--module", "m.mod"},                             // no --wav
        {"--module", "m.mod", "--wav", "w.wav", "--seconds", "0"},
        {"--module", "m.mod", "--wav", "w.wav", "--seconds", "3601"},
        {"--module", "m.mod", "--wav", "w.wav", "--seconds", "nan"},
        {"--module", "m.mod", "--wav", "w.wav", "--data", "d"},
        {"--module", "m.mod", "--wav", "w.wav", "--video", "v.mp4"},
    };
    for (const auto& args : cases) {
        capture_options o;
        std::string error;
        std::string line;
        for (const char* a : args)
            line += std::string(a) + " ";
        EXPECT_EQ(status_usage, parse(args, o, error)) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
}

TEST(capture_options, help_is_not_an_error)
{
    capture_options o;
    std::string error;
    EXPECT_EQ(status_ok, parse({"--frames", "d", "--help"}, o, error));
    EXPECT_TRUE(o.help);
}

} // namespace
