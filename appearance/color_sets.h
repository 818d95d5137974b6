#pragma once

#include <cstdint>

struct App;

// Three colours, each R + 256 * G + 65536 * B.
struct ColorSet {
    std::int32_t timeBarText;
    std::int32_t separator;
    std::int32_t eventBarText;
};

constexpr int colorSetCount = 52;

// Set k from 1 to colorSetCount.
const ColorSet& colorSet(int k);

void changeColorSet(App& app);
