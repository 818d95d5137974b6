#pragma once

struct App;

// Each tick of 时钟_报警.
void checkAlarms(App& app);
void playAlarmSound(App& app);
