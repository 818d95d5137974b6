#include "alarm_check.h"

#include "app/app.h"

void checkAlarms(App&) {}
void playAlarmSound(App&) {}
