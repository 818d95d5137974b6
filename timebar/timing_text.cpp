#include "timing_text.h"

#include "app/gbk_text.h"

#include <cmath>
#include <limits>

namespace {

// Guards the truncation against representation error in the date-time values; it is why a clock set
// back 90 seconds shows -89 rather than -90.
constexpr double elapsedTolerance = 5.787037037037037e-6;

std::int32_t saturate32(double value) {
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    if (value <= low) return std::numeric_limits<std::int32_t>::min();
    if (value >= high) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::string twoDigits(int value) {
    std::string text = gbk::fromInt(value);
    return text.size() == 1 ? "0" + text : text;
}

std::string clockPart(const DateTime& now, const char* secondSeparator) {
    return twoDigits(now.hour) + ":" + twoDigits(now.minute) + secondSeparator + twoDigits(now.second);
}

} // namespace

TimingCounts timingCounts(std::int64_t elapsedSeconds) {
    // Far outside the 32-bit range the tolerance no longer matters; clamping first keeps the double exact.
    constexpr std::int64_t bound = std::int64_t{1} << 40;
    const std::int64_t bounded = elapsedSeconds < -bound ? -bound : (elapsedSeconds > bound ? bound : elapsedSeconds);
    TimingCounts counts;
    counts.seconds = saturate32(std::trunc(static_cast<double>(bounded) + elapsedTolerance));
    counts.hours = static_cast<std::int32_t>(floorDiv(counts.seconds, 3600));
    std::int64_t minutes = floorDiv(counts.seconds, 60);
    // Sixty is taken off while the value is 60 or more; modulo gives the same for any count at no cost.
    // A negative count is left as it is.
    if (minutes >= 60) minutes %= 60;
    counts.minutes = static_cast<std::int32_t>(minutes);
    return counts;
}

std::string clockText(const DateTime& now, std::int32_t tickCounter) {
    return clockPart(now, ":") + " " + gbk::fromInt(tickCounter);
}

std::string timingText(const DateTime& now, const DateTime& timingStart) {
    const TimingCounts c = timingCounts(secondsBetween(timingStart, now));
    return clockPart(now, "：") + "  共计秒：" + gbk::fromInt(c.seconds) + "  " + gbk::fromInt(c.hours) + "小时" +
           gbk::fromInt(c.minutes) + "分";
}
