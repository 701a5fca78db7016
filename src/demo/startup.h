// The start-up steps shared by the demo and the capture tool once the assets are loaded.
#pragma once

// The scene buffers' first contents (whitenoise in scene_a and scene_b, scene_c cleared)
// and the overlay table over the loaded pictures.
void prepare_scenes();

// The music's start once the player is open: the module is loaded into the player or, when
// it cannot be played, the silent stand-in of the same length is, so the scenes still follow
// the music clock from the first to the last; then the scene buffers are prepared, the
// music started and the position read once. Returns null, or the loader's reason when the
// stand-in plays.
const char* start_music_and_scenes();
