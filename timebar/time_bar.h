#pragma once

struct App;

// Timer ticks.
void scrollTimeBar(App& app);
void showClock(App& app);
void showClockWithTiming(App& app);

// The items under "时间条".
void restartTiming(App& app);
void setTimeBarScrollStep(App& app);
void setTimeBarScrollSpeed(App& app);
void stopTimeBar(App& app);
void stopTimeBarWithTiming(App& app);
