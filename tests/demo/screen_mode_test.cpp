// The window choice: "-w" exactly, or a program name ending in w.
#include <gtest/gtest.h>

#include <vector>

#include "demo/screen_mode.h"

namespace {

TEST(screen_mode_flags, window_only_for_exact_dash_w_or_a_name_ending_in_w)
{
    struct mode_case {
        std::vector<const char*> argv;
        uint32_t flags;
    };
    const mode_case cases[] = {
        {{"veskarra"}, fullscreen_flag},
        {{"veskarra", "-w"}, 0},
        {{"veskarra", "x", "-w", "y"}, 0},
        {{"veskarra", "-W"}, fullscreen_flag},
        {{"veskarra", "-w1"}, fullscreen_flag},
        {{"veskarra", "--w"}, fullscreen_flag},
        {{"veskarra", "w"}, fullscreen_flag},
        {{"./demow"}, 0},
        {{"demow", "-W", "--full"}, 0},
        {{"demoW"}, fullscreen_flag},
        {{""}, fullscreen_flag},
    };
    for (const mode_case& c : cases) {
        SCOPED_TRACE(c.argv[0]);
        EXPECT_EQ(screen_mode_flags(int(c.argv.size()), c.argv.data()), c.flags);
    }
}

} // namespace
