// Player control and tick scheduling: opening the output, loading and starting the module,
// and audio_fill, the device callback that alternates replayer ticks with mixer stretches
// and stamps the rows with the time they will be heard.
#pragma once
#include <cstdint>

int player_open(int rate, int frames);
int player_load(uint8_t* module, uint32_t image_size, uint32_t buffer_size);
void player_start(int ticks_per_second);
void audio_fill(void* userdata, uint8_t* stream, int len);
uint32_t timer_tick(uint32_t interval);
void player_close();
void player_control_reset_state();
