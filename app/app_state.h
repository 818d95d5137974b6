#pragma once

#include "date_time.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// One entry of the one-day work plan.
struct PlanEvent {
    int armed = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::string text;
};

constexpr int planEventCount = 20;

// The one program-wide record.
struct AppState {
    bool initializing = false;
    std::int32_t savedTimeBarPeriod = 0;
    std::int32_t timeBarStep = 0;
    std::optional<DateTime> timingStart;
    std::int32_t clockTickCounter = 0;
    std::int32_t separatorColor = 0;
    std::int32_t windowHeight = 0;
    std::int32_t windowLeft = 0;
    std::int32_t windowTop = 0;
    std::string musicFilePath;
    std::array<PlanEvent, planEventCount> planEvents;
};

// One record per event bar. The live scrolling state is the bar's timer period, not scrollPeriod.
struct BarSlot {
    std::int32_t scrollStep = 0;
    std::int32_t scrollPeriod = 0;
    int alarmArmed = 0;
    std::int32_t alarmHour = 0;
    std::int32_t alarmMinute = 0;
};

constexpr int barCount = 6;
