// The demo's loaded assets in a byte-order-neutral file: the pictures as packed pixel
// words, the model's integers and the module image, all numbers big-endian. A native run
// writes it after decoding the PNG files; a cross-built run (powerpc under qemu, where the
// PNG library is not built) reads it and starts from exactly the same words.
#pragma once
#include <string>

// 0 on success, -1 when the file cannot be written or read or is malformed.
int write_packed_data(const std::string& path);
int read_packed_data(const std::string& path);
