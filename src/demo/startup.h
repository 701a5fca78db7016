// The start-up steps shared by the demo and the capture tool once the assets are loaded.
#pragma once

// The scene buffers' first contents (whitenoise in scene_a and scene_b, scene_c cleared)
// and the overlay table over the loaded pictures.
void prepare_scenes();
