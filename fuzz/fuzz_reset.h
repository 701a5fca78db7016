// Puts every module with state back to its start values, so that each fuzz input runs
// against the state a fresh process would have.
#pragma once
#include "demo/reset.h"

inline void reset_all_state() { demo_reset_state(); }
