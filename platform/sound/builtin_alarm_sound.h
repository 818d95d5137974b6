#pragma once

#include <span>

// The chime played when no music file is chosen: a complete WAVE file held in the program's data.
std::span<const unsigned char> builtInAlarmSound();
