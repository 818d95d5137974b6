#include "music_settings.h"

#include "app/app.h"

void toggleMusicAlarm(App&) {}
void stopAlarmSound(App&) {}
