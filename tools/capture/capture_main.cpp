// veskarra-capture: the demo rendered offline on a virtual clock, in sync, to PNG frames,
// a WAV and an MP4; single frames; a contact sheet; and any module file to WAV.
#include <cstdio>
#include <string>

#include "capture_options.h"
#include "capture_render.h"
#include "contact_sheet.h"
#include "module_render.h"

int main(int argc, char** argv)
{
    capture_options options;
    std::string error;
    if (parse_capture_options(argc, argv, options, error) != status_ok) {
        std::fprintf(stderr, "veskarra-capture: %s\n%s", error.c_str(), capture_usage());
        return status_usage;
    }
    if (options.help) {
        std::fputs(capture_usage(), stdout);
        return status_ok;
    }
    switch (options.mode) {
    case capture_mode::render:
        return run_render(options);
    case capture_mode::frame_at:
        return run_frame_at(options);
    case capture_mode::contact_sheet:
        return run_contact_sheet(options);
    case capture_mode::module:
        return run_module(options);
    }
    return status_failure;
}
