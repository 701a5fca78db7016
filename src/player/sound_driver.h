// The output-driver table: the 13 operations through which the replayer makes sound
// without knowing the device. Filled once by player_open (device operations from the
// audio back-end, voice operations from the mixer); before that every entry holds a
// harmless stand-in, so no caller ever calls through an empty entry.
#pragma once
#include <cstdint>

struct sound_driver_table {
    int (*add_sample)(int index, const int8_t* data, int length, int loop_start, int loop_end,
                      int looped);                   // registers sample `index`; returns 1
    void (*select_channel)(int channel);             // channel for the following voice calls
    void (*set_sample)(int index);                   // attaches a sample, keeps position/pitch
    void (*set_channels)(int count);                 // channels 0..count-1 are rendered
    void (*before_close)();                          // hook before close
    void (*set_position)(uint32_t offset);           // play position in bytes (if inside)
    void (*set_volume)(int volume);                  // 0 silent, 64 full
    void (*set_panning)(int pan);                    // 0..255, higher = more left
    void (*open)(int rate, int frames);              // prepares rendering at `rate`
    void (*set_master_volume)(int volume);           // overall volume, capped at 252
    void (*after_open)();                            // hook after open
    void (*set_period)(int period);                  // Amiga period; 0 stops the advance
    void (*close)();                                 // releases the device
};

extern sound_driver_table sound_driver;
extern const char* driver_name;    // "" at start, "SDL audio" once registered
extern const char* driver_error;   // "" at start, "SDL audio error" when opening failed

// Puts the stand-ins back into every entry and empties both texts.
void sound_driver_reset();
