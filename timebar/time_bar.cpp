#include "time_bar.h"

#include "app/app.h"

void scrollTimeBar(App&) {}
void showClock(App&) {}
void showClockWithTiming(App&) {}
void restartTiming(App&) {}
void setTimeBarScrollStep(App&) {}
void setTimeBarScrollSpeed(App&) {}
void stopTimeBar(App&) {}
void stopTimeBarWithTiming(App&) {}
