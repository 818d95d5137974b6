#pragma once

struct App;

void toggleMusicAlarm(App& app);
void stopAlarmSound(App& app);
