// The demo's module, composed in code: returns the bytes of trevakul_4.mod.
#pragma once
#include <cstdint>
#include <vector>

std::vector<uint8_t> forge_module();
