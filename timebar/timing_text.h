#pragma once

#include "app/date_time.h"

#include <cstdint>
#include <string>

// The numbers of the timing text: elapsed seconds S, hours H and the minutes M beyond the hours.
struct TimingCounts {
    std::int32_t seconds = 0;
    std::int32_t hours = 0;
    std::int32_t minutes = 0;
};

// S from the whole seconds between the start and now (negative when the clock was set back).
TimingCounts timingCounts(std::int64_t elapsedSeconds);

// «09:05:07 3»: the time with ASCII colons, a space and the still clock's digit.
std::string clockText(const DateTime& now, std::int32_t tickCounter);

// «09:05：07  共计秒：3725  1小时2分»: a full-width colon before the seconds, then S, H and M.
std::string timingText(const DateTime& now, const DateTime& timingStart);
