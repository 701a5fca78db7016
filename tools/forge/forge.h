// The whole generation: everything in data/ and the rectangle table's source file.
#pragma once
#include <string>

// Writes the pictures, gun.bare and (once composed) trevakul_4.mod into dir, creating
// it if needed. Returns 0, or 1 after printing what could not be written.
int forge_data(const std::string& dir);

// Writes the source file of mosaic_rect_table to path. Returns 0 or 1 as above.
int forge_rects_table(const std::string& path);
