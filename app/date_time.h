#pragma once

#include <cstdint>

// A local wall-clock date-time with whole seconds.
struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const DateTime&) const = default;
};

// Seconds since a fixed civil epoch, counting every day as 86400 seconds of wall-clock time.
std::int64_t wallClockSeconds(const DateTime& t);

// Whole seconds from `from` to `to` (negative when `to` lies before `from`).
inline std::int64_t secondsBetween(const DateTime& from, const DateTime& to) {
    return wallClockSeconds(to) - wallClockSeconds(from);
}

// The date-time `seconds` after the civil epoch of wallClockSeconds.
DateTime fromWallClockSeconds(std::int64_t seconds);
