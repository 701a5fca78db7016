// The recording sound driver: every operation appends one driver_call.
#include "recording_driver.h"

#include "player/replayer.h"
#include "player/sound_driver.h"

namespace {

std::vector<driver_call> log_of_calls;
int selected_channel = -1;

void record(const char* op, std::initializer_list<int64_t> args, const int8_t* data = nullptr) {
    driver_call call{op, selected_channel, {0, 0, 0, 0, 0, 0}, data,
                     player.order, player.row, player.tick};
    int i = 0;
    for (int64_t a : args) call.args[i++] = a;
    log_of_calls.push_back(call);
}

int add_sample(int index, const int8_t* data, int length, int loop_start, int loop_end,
               int looped) {
    record("add_sample", {index, 0, length, loop_start, loop_end, looped}, data);
    return 1;
}
void select_channel(int channel) {
    selected_channel = channel;
    record("select_channel", {channel});
}
void set_sample(int index) { record("set_sample", {index}); }
void set_channels(int count) { record("set_channels", {count}); }
void before_close() { record("before_close", {}); }
void set_position(uint32_t offset) { record("set_position", {offset}); }
void set_volume(int volume) { record("set_volume", {volume}); }
void set_panning(int pan) { record("set_panning", {pan}); }
void open(int rate, int frames) { record("open", {rate, frames}); }
void set_master_volume(int volume) { record("set_master_volume", {volume}); }
void after_open() { record("after_open", {}); }
void set_period(int period) { record("set_period", {period}); }
void close() { record("close", {}); }

int argument_count(const std::string& op) {
    if (op == "add_sample") return 6;
    if (op == "open") return 2;
    if (op == "before_close" || op == "after_open" || op == "close") return 0;
    return 1;
}

}  // namespace

std::string driver_call::text() const {
    std::string s = op + "(";
    const int count = argument_count(op);
    for (int i = 0; i < count; i++) {
        if (i > 0) s += ", ";
        s += (op == "add_sample" && i == 1) ? std::string("data") : std::to_string(args[i]);
    }
    return s + ")";
}

namespace recording_driver {

void install() {
    sound_driver_reset();
    sound_driver = sound_driver_table{add_sample,  select_channel, set_sample, set_channels,
                                      before_close, set_position,  set_volume, set_panning,
                                      open,        set_master_volume, after_open, set_period,
                                      close};
    log_of_calls.clear();
    selected_channel = -1;
}

void clear() { log_of_calls.clear(); }

const std::vector<driver_call>& calls() { return log_of_calls; }

std::vector<std::string> trace() {
    std::vector<std::string> out;
    for (const driver_call& call : log_of_calls) out.push_back(call.text());
    return out;
}

std::vector<std::string> channel_trace(int channel) {
    std::vector<std::string> out;
    for (const driver_call& call : log_of_calls) {
        if (call.channel == channel && call.op != "select_channel") out.push_back(call.text());
    }
    return out;
}

std::vector<int64_t> values(const std::string& op, int channel) {
    std::vector<int64_t> out;
    for (const driver_call& call : log_of_calls) {
        if (call.channel == channel && call.op == op) out.push_back(call.args[0]);
    }
    return out;
}

}  // namespace recording_driver
