// Loading of the data files at start-up: the 16 pictures, the model and the module.
// Prints only the one message for a picture that cannot be loaded.
#pragma once
#include <cstdint>

// The file names of the pictures, in load order.
extern const char* const picture_list[16];

// 1 when the picture at `index` has the format and size its role needs.
int picture_fits_role(int index);

// Loads the pictures from `dir` in order, packing each. On the first failure prints
// "Couldn't open pic: NAME" on standard output (no line end) and returns 1; 0 when all load.
int load_pictures(const char* dir);
// Reads the model file into model_data (big-endian on disk) and checks it. 0 or 1.
int load_model(const char* path);
// Start-up's loading steps in order: pictures, model, the halftone kernel and effect
// tables, module, all from the folder `dir` ("data" for the demo). 0, or 1 on failure.
int load_assets(const char* dir);
// Reads the module file into module_data, recording module_size. 0 or 1.
int load_module(const char* path);
