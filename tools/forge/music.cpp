// Placeholder until the composer lands: an empty result means "no module".
#include "music.h"

std::vector<uint8_t> forge_module() { return {}; }
