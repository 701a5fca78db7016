// Crawling walkers: a branching pattern of diagonal lines confined by a mask picture.
#pragma once
#include <cstdint>
#include "gfx/picture.h"

void crawlers(uint32_t* target, const picture* mask);
void crawlers_reset_state();
