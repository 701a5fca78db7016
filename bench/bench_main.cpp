// veskarra-bench: wall-clock figures of the demo without SDL. Every figure comes from
// fresh child processes (the program's start values each time) and the best of several
// repetitions is printed, since other work on the machine only ever adds time.
//   veskarra-bench startup [runs]       loading data/ and the rest of start-up
//   veskarra-bench scenes [runs] [fps]  one frame iteration per scene over a whole run
//   veskarra-bench present [rounds]     swap + 2x2 doubling next to a memcpy of 1228800 bytes
//   veskarra-bench music [runs]         replayer + mixer as a multiple of real time
//   veskarra-bench count [fps]          the work to count under callgrind (scripts/bench.sh)
//   veskarra-bench digest [fps]         digests of every frame and sound buffer of a run
// Run from the repository root (data/ is read from the working directory).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <valgrind/callgrind.h>
#include <vector>

#include "bench_clock.h"
#include "demo/assets.h"
#include "demo/demo_data.h"
#include "demo/frame_loop.h"
#include "demo/presentation.h"
#include "demo/startup.h"
#include "fx/halftone.h"
#include "fx/rects.h"
#include "demo_drive.h"
#include "host/host.h"
#include "player/player_control.h"
#include "player/position_clock.h"

namespace {

long peak_rss_kib()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int arg_or(int argc, char** argv, int index, int fallback)
{
    return argc > index ? std::atoi(argv[index]) : fallback;
}

// ---- start-up --------------------------------------------------------------------------

struct startup_result {
    double pictures_ms, model_ms, tables_ms, module_ms;   // CPU time of each loading step
    double assets_ms, player_ms, total_ms;                // CPU time of start-up
    double total_wall_ms;                                 // and its wall-clock time
};

int run_startup(startup_result& r)
{
    host_use_virtual();
    const int64_t w0 = bench_now_ns();
    const int64_t t0 = bench_cpu_ns();
    if (load_assets("data") != 0)
        return 1;
    const int64_t t1 = bench_cpu_ns();
    bench_session session;
    if (bench_start(session) != 0)
        return 1;
    const int64_t t2 = bench_cpu_ns();
    const int64_t w2 = bench_now_ns();
    r.assets_ms = double(t1 - t0) / 1e6;
    r.player_ms = double(t2 - t1) / 1e6;
    r.total_ms = double(t2 - t0) / 1e6;
    r.total_wall_ms = double(w2 - w0) / 1e6;
    return 0;
}

// The loading steps one by one, in load_assets's order, for the breakdown.
int run_startup_parts(startup_result& r)
{
    host_use_virtual();
    const int64_t t0 = bench_cpu_ns();
    if (load_pictures("data") != 0)
        return 1;
    const int64_t t1 = bench_cpu_ns();
    if (load_model("data/gun.bare") != 0)
        return 1;
    const int64_t t2 = bench_cpu_ns();
    build_dot_kernel(frame_width, frame_height);
    build_effect_tables();
    const int64_t t3 = bench_cpu_ns();
    if (load_module("data/trevakul_4.mod") != 0)
        return 1;
    const int64_t t4 = bench_cpu_ns();
    r.pictures_ms = double(t1 - t0) / 1e6;
    r.model_ms = double(t2 - t1) / 1e6;
    r.tables_ms = double(t3 - t2) / 1e6;
    r.module_ms = double(t4 - t3) / 1e6;
    return 0;
}

int bench_startup(int runs)
{
    startup_result best{1e9, 1e9, 1e9, 1e9, 1e9, 1e9, 1e9, 1e9};
    for (int k = 0; k < runs; ++k) {
        startup_result whole{}, parts{};
        if (bench_in_child(whole, run_startup) != 0 || bench_in_child(parts, run_startup_parts) != 0) {
            std::fprintf(stderr, "veskarra-bench: start-up failed (run from the repository root)\n");
            return 1;
        }
        best.pictures_ms = std::min(best.pictures_ms, parts.pictures_ms);
        best.model_ms = std::min(best.model_ms, parts.model_ms);
        best.tables_ms = std::min(best.tables_ms, parts.tables_ms);
        best.module_ms = std::min(best.module_ms, parts.module_ms);
        best.assets_ms = std::min(best.assets_ms, whole.assets_ms);
        best.player_ms = std::min(best.player_ms, whole.player_ms);
        best.total_ms = std::min(best.total_ms, whole.total_ms);
        best.total_wall_ms = std::min(best.total_wall_ms, whole.total_wall_ms);
    }
    std::printf("start-up (CPU time, best of %d fresh processes)\n", runs);
    std::printf("  %-36s %8.2f ms\n", "16 pictures loaded and packed", best.pictures_ms);
    std::printf("  %-36s %8.2f ms\n", "model read and checked", best.model_ms);
    std::printf("  %-36s %8.2f ms\n", "halftone kernel and effect tables", best.tables_ms);
    std::printf("  %-36s %8.2f ms\n", "module read", best.module_ms);
    std::printf("  %-36s %8.2f ms\n", "load_assets as a whole", best.assets_ms);
    std::printf("  %-36s %8.2f ms\n", "player, module parse, scene buffers", best.player_ms);
    std::printf("  %-36s %8.2f ms\n", "start-up to the first frame", best.total_ms);
    std::printf("  %-36s %8.2f ms\n", "the same in wall-clock time", best.total_wall_ms);
    return 0;
}

// ---- scenes ----------------------------------------------------------------------------

struct scene_result {
    long frames[bench_scene_count];
    double mean_us[bench_scene_count], median_us[bench_scene_count];
    double p99_us[bench_scene_count], max_us[bench_scene_count];
    double wall_mean_us[bench_scene_count];
    long total_frames;
    double run_seconds;    // length of the demo on the virtual clock
    long peak_rss_kib;
};

int scene_fps = 60;

// One whole run of the demo at scene_fps on the virtual clock. Only the frame iteration is
// timed (scene, overlays, grain); the audio buffers due before each frame are rendered
// between the timed stretches.
int run_scenes(scene_result& r)
{
    if (bench_load() != 0)
        return 1;
    bench_session session;
    if (bench_start(session) != 0)
        return 1;
    std::vector<int32_t> times[bench_scene_count];   // CPU time of each frame
    int64_t wall[bench_scene_count] = {};            // wall-clock time of all of them
    for (auto& t : times)
        t.reserve(1 << 14);
    uint64_t k = 0;
    for (;; ++k) {
        const uint32_t ms = bench_frame_ms(k, scene_fps);
        bench_audio_until(session, ms);
        virtual_ticks = ms;
        const int64_t w0 = bench_now_ns();
        const int64_t t0 = bench_cpu_ns();
        frame_draw_scene(session.run.state);
        frame_finish(session.run.state);
        const int64_t t1 = bench_cpu_ns();
        const int64_t w1 = bench_now_ns();
        const int s = bench_scene_of(uint32_t(music_position()));
        times[s].push_back(int32_t(t1 - t0));
        wall[s] += w1 - w0;
        if (session.run.state.quit_after_frame)
            break;
    }
    r.total_frames = long(k + 1);
    r.run_seconds = double(bench_frame_ms(k, scene_fps)) / 1000.0;
    for (int s = 0; s < bench_scene_count; ++s) {
        std::vector<int32_t>& t = times[s];
        r.frames[s] = long(t.size());
        if (t.empty())
            continue;
        double sum = 0;
        for (int32_t v : t)
            sum += v;
        std::sort(t.begin(), t.end());
        r.mean_us[s] = sum / double(t.size()) / 1000.0;
        r.wall_mean_us[s] = double(wall[s]) / double(t.size()) / 1000.0;
        r.median_us[s] = t[t.size() / 2] / 1000.0;
        r.p99_us[s] = t[std::min(t.size() - 1, t.size() * 99 / 100)] / 1000.0;
        r.max_us[s] = t.back() / 1000.0;
    }
    r.peak_rss_kib = peak_rss_kib();
    return 0;
}

int bench_scenes(int runs, int fps)
{
    scene_fps = fps;
    scene_result best{};
    for (int k = 0; k < runs; ++k) {
        scene_result r{};
        if (bench_in_child(r, run_scenes) != 0) {
            std::fprintf(stderr, "veskarra-bench: the demo run failed (run from the repository root)\n");
            return 1;
        }
        if (k == 0) {
            best = r;
            continue;
        }
        for (int s = 0; s < bench_scene_count; ++s) {
            best.mean_us[s] = std::min(best.mean_us[s], r.mean_us[s]);
            best.median_us[s] = std::min(best.median_us[s], r.median_us[s]);
            best.p99_us[s] = std::min(best.p99_us[s], r.p99_us[s]);
            best.max_us[s] = std::min(best.max_us[s], r.max_us[s]);
            best.wall_mean_us[s] = std::min(best.wall_mean_us[s], r.wall_mean_us[s]);
        }
        best.peak_rss_kib = std::max(best.peak_rss_kib, r.peak_rss_kib);
    }
    std::printf("frame iteration without SDL: scene + overlays + grain (whole demo at %d fps of\n"
                "virtual time, %.1f s, %ld frames; CPU time of the thread in us, best of %d runs\n"
                "per figure; wall = mean wall-clock time, which includes preemption)\n",
                fps, best.run_seconds, best.total_frames, runs);
    std::printf("  %-10s %7s %9s %9s %9s %9s %9s\n", "scene", "frames", "mean", "median", "p99",
                "max", "wall");
    for (int s = 0; s < bench_scene_count; ++s)
        std::printf("  %-10s %7ld %9.1f %9.1f %9.1f %9.1f %9.1f\n", bench_scene_names[s],
                    best.frames[s], best.mean_us[s], best.median_us[s], best.p99_us[s],
                    best.max_us[s], best.wall_mean_us[s]);
    std::printf("peak resident memory of the run (no SDL): %.1f MiB\n",
                double(best.peak_rss_kib) / 1024.0);
    return 0;
}

// ---- presentation ----------------------------------------------------------------------

uint32_t present_frame[frame_words];
alignas(64) uint8_t present_screen[640 * 480 * 4];
alignas(64) uint8_t present_source[640 * 480 * 4];

int bench_present(int rounds)
{
    for (int k = 0; k < frame_words; ++k)
        present_frame[k] = uint32_t(k) * 2654435761u;
    std::memset(present_source, 0x5A, sizeof present_source);
    std::memset(present_screen, 0, sizeof present_screen);
    std::vector<int64_t> swap_scale, scale, swap, copy;
    for (int r = 0; r < rounds; ++r) {
        int64_t t0 = bench_now_ns();
        swap_pixel_bytes(present_frame, 0x000000FFu);
        scale_2x(present_frame, present_screen, 2560);
        int64_t t1 = bench_now_ns();
        swap_scale.push_back(t1 - t0);
        t0 = bench_now_ns();
        swap_pixel_bytes(present_frame, 0x00FF0000u);   // the native layout: nothing to do
        scale_2x(present_frame, present_screen, 2560);
        t1 = bench_now_ns();
        scale.push_back(t1 - t0);
        t0 = bench_now_ns();
        swap_pixel_bytes(present_frame, 0x0000FF00u);
        t1 = bench_now_ns();
        swap.push_back(t1 - t0);
        t0 = bench_now_ns();
        std::memcpy(present_screen, present_source, sizeof present_screen);
        t1 = bench_now_ns();
        copy.push_back(t1 - t0);
    }
    // Keeps the copies from being dropped as dead stores.
    uint32_t check = 0;
    for (size_t k = 0; k < sizeof present_screen; k += 4093)
        check += present_screen[k];
    const auto report = [](const char* name, std::vector<int64_t>& t) {
        std::sort(t.begin(), t.end());
        std::printf("  %-40s %8.1f %8.1f\n", name, t[0] / 1000.0, t[t.size() / 2] / 1000.0);
        return double(t[0]);
    };
    std::printf("presentation into a 640x480 buffer (%d rounds; min and median us)\n", rounds);
    std::printf("  %-40s %8s %8s\n", "", "min", "median");
    const double a = report("swap_pixel_bytes + scale_2x (swapped)", swap_scale);
    const double b = report("scale_2x alone (Rmask 0x00FF0000)", scale);
    report("swap_pixel_bytes alone", swap);
    const double c = report("memcpy of 1228800 bytes (the floor)", copy);
    std::printf("  ratio to the memcpy floor: %.2f swapped, %.2f unswapped   (check %u)\n",
                a / c, b / c, check & 1);
    return 0;
}

// ---- music -----------------------------------------------------------------------------

struct music_result {
    double seconds_rendered;
    double real_stream_s, null_stream_s;
};

constexpr int music_seconds = 120;   // a little longer than the demo

int run_music(music_result& r)
{
    if (bench_load() != 0)
        return 1;
    static int16_t stream[bench_buffer_frames * 2];
    const int buffers = music_seconds * bench_rate / bench_buffer_frames;
    // Real stream: every buffer cleared as the device does, then filled.
    bench_session session;
    if (bench_start(session) != 0)
        return 1;
    int64_t spent = 0;
    for (int j = 0; j < buffers; ++j) {
        virtual_ticks = uint32_t(uint64_t(j) * bench_buffer_frames * 1000 / bench_rate);
        std::memset(stream, 0, sizeof stream);
        const int64_t t0 = bench_cpu_ns();
        audio_fill(nullptr, reinterpret_cast<uint8_t*>(stream), sizeof stream);
        spent += bench_cpu_ns() - t0;
    }
    r.real_stream_s = double(spent) / 1e9;
    r.seconds_rendered = double(buffers) * bench_buffer_frames / bench_rate;
    return 0;
}

int run_music_null(music_result& r)
{
    if (bench_load() != 0)
        return 1;
    bench_session session;
    if (bench_start(session) != 0)
        return 1;
    const int buffers = music_seconds * bench_rate / bench_buffer_frames;
    int64_t spent = 0;
    for (int j = 0; j < buffers; ++j) {
        virtual_ticks = uint32_t(uint64_t(j) * bench_buffer_frames * 1000 / bench_rate);
        const int64_t t0 = bench_cpu_ns();
        audio_fill(nullptr, nullptr, bench_buffer_frames * 4);
        spent += bench_cpu_ns() - t0;
    }
    r.null_stream_s = double(spent) / 1e9;
    r.seconds_rendered = double(buffers) * bench_buffer_frames / bench_rate;
    return 0;
}

int bench_music(int runs)
{
    double best_real = 1e9, best_null = 1e9, seconds = 0;
    for (int k = 0; k < runs; ++k) {
        music_result real{}, null{};
        if (bench_in_child(real, run_music) != 0 || bench_in_child(null, run_music_null) != 0) {
            std::fprintf(stderr, "veskarra-bench: the music run failed (run from the repository root)\n");
            return 1;
        }
        best_real = std::min(best_real, real.real_stream_s);
        best_null = std::min(best_null, null.null_stream_s);
        seconds = real.seconds_rendered;
    }
    std::printf("replayer + mixer, %.1f s of the demo's module in 4096-frame buffers (CPU time,\n"
                "best of %d)\n",
                seconds, runs);
    std::printf("  %-28s %8.1f ms  %8.0fx real time\n", "real stream", best_real * 1e3,
                seconds / best_real);
    std::printf("  %-28s %8.1f ms  %8.0fx real time\n", "null stream (fast-forward)",
                best_null * 1e3, seconds / best_null);
    return 0;
}

// ---- instruction counts ----------------------------------------------------------------

// Meant to run under callgrind with --collect-atstart=no: collection is switched on only
// around the measured work, and the counts are dumped once per scene (named after it), so
// scripts/bench.sh divides each dump by the frame count printed here. Natively the client
// requests do nothing and the program only prints the frame counts.
int bench_count(int fps)
{
    if (bench_load() != 0)
        return 1;
    bench_session session;
    if (bench_start(session) != 0)
        return 1;
    long frames[bench_scene_count] = {};
    int current = 0;
    for (uint64_t k = 0;; ++k) {
        const uint32_t ms = bench_frame_ms(k, fps);
        bench_audio_until(session, ms);
        virtual_ticks = ms;
        CALLGRIND_TOGGLE_COLLECT;
        frame_draw_scene(session.run.state);
        frame_finish(session.run.state);
        CALLGRIND_TOGGLE_COLLECT;
        const int s = bench_scene_of(uint32_t(music_position()));
        if (s != current) {
            // The frame just drawn belongs to the next scene: its counts go with it.
            CALLGRIND_DUMP_STATS_AT(bench_scene_names[current]);
            current = s;
        }
        ++frames[s];
        if (session.run.state.quit_after_frame)
            break;
    }
    CALLGRIND_DUMP_STATS_AT(bench_scene_names[current]);
    constexpr int reps = 10;
    CALLGRIND_TOGGLE_COLLECT;
    for (int r = 0; r < reps; ++r) {
        swap_pixel_bytes(work_frame, 0x000000FFu);
        scale_2x(work_frame, present_screen, 2560);
    }
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT("present_swapped");
    CALLGRIND_TOGGLE_COLLECT;
    for (int r = 0; r < reps; ++r)
        scale_2x(work_frame, present_screen, 2560);
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT("present");
    CALLGRIND_TOGGLE_COLLECT;
    for (int r = 0; r < reps; ++r)
        std::memcpy(present_screen, present_source, sizeof present_screen);
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT("memcpy");
    // Ten seconds of music into a real stream, as the device asks for it.
    static int16_t stream[bench_buffer_frames * 2];
    const int buffers = 10 * bench_rate / bench_buffer_frames;
    for (int j = 0; j < buffers; ++j) {
        std::memset(stream, 0, sizeof stream);
        CALLGRIND_TOGGLE_COLLECT;
        audio_fill(nullptr, reinterpret_cast<uint8_t*>(stream), sizeof stream);
        CALLGRIND_TOGGLE_COLLECT;
    }
    CALLGRIND_DUMP_STATS_AT("music");
    std::printf("fps %d\n", fps);
    for (int s = 0; s < bench_scene_count; ++s)
        std::printf("frames %s %ld\n", bench_scene_names[s], frames[s]);
    std::printf("frames present_swapped %d\nframes present %d\nframes memcpy %d\n", reps, reps,
                reps);
    std::printf("seconds music %.3f\n", double(buffers) * bench_buffer_frames / bench_rate);
    return 0;
}

// ---- output digest ---------------------------------------------------------------------

uint64_t fnv1a(uint64_t h, const void* data, size_t bytes)
{
    const uint8_t* p = static_cast<const uint8_t*>(data);
    for (size_t k = 0; k < bytes; ++k)
        h = (h ^ p[k]) * 0x100000001B3ull;
    return h;
}

uint64_t sound_digest = 0xCBF29CE484222325ull;

void digest_buffer(const int16_t* samples, int frames)
{
    sound_digest = fnv1a(sound_digest, samples, size_t(frames) * 4);
}

// Digests of everything the demo outputs over a whole run at `fps`: every work frame after
// overlays and grain, the screen of every tenth frame after a byte swap and the doubling,
// and every device buffer of sound. Two builds that print the same digests produced the
// same bits; the speed work is checked this way against the plain code it replaced.
int bench_digest(int fps)
{
    if (bench_load() != 0)
        return 1;
    bench_session session;
    session.on_buffer = digest_buffer;
    if (bench_start(session) != 0)
        return 1;
    uint64_t frames = 0xCBF29CE484222325ull, screens = frames;
    uint64_t k = 0;
    for (;; ++k) {
        const uint32_t ms = bench_frame_ms(k, fps);
        bench_audio_until(session, ms);
        virtual_ticks = ms;
        frame_draw_scene(session.run.state);
        frame_finish(session.run.state);
        frames = fnv1a(frames, work_frame, frame_bytes);
        if (k % 10 == 0) {
            swap_pixel_bytes(work_frame, 0x000000FFu);
            scale_2x(work_frame, present_screen, 2560);
            screens = fnv1a(screens, present_screen, sizeof present_screen);
        }
        if (session.run.state.quit_after_frame)
            break;
    }
    std::printf("%llu frames at %d fps: work frames %016llx, screens %016llx\n"
                "%llu sound buffers: %016llx\n",
                (unsigned long long)(k + 1), fps, (unsigned long long)frames,
                (unsigned long long)screens, (unsigned long long)session.run.buffers_requested,
                (unsigned long long)sound_digest);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const char* mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "startup") == 0)
        return bench_startup(arg_or(argc, argv, 2, 7));
    if (std::strcmp(mode, "scenes") == 0)
        return bench_scenes(arg_or(argc, argv, 2, 3), arg_or(argc, argv, 3, 60));
    if (std::strcmp(mode, "present") == 0)
        return bench_present(arg_or(argc, argv, 2, 300));
    if (std::strcmp(mode, "music") == 0)
        return bench_music(arg_or(argc, argv, 2, 3));
    if (std::strcmp(mode, "digest") == 0)
        return bench_digest(arg_or(argc, argv, 2, 60));
    if (std::strcmp(mode, "count") == 0)
        return bench_count(arg_or(argc, argv, 2, 20));
    std::fprintf(stderr, "usage: veskarra-bench startup|scenes|present|music|count [runs] [fps]\n");
    return 2;
}
