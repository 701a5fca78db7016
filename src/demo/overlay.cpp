// Placeholder overlays: an empty table until the overlays land.
#include "demo/overlay.h"

overlay_entry overlay_table[overlay_entries];

void build_overlay_table() {}
void overlay(uint32_t*, overlay_entry*) {}
void overlay_reset_state() {}
