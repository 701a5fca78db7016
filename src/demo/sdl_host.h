// Binds the host seam to SDL 1.2 (the demo binary only).
#pragma once

void bind_sdl_host();
