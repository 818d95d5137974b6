#include "alarm_check.h"

#include "app/app.h"

void checkAlarms(App& app) {
    const DateTime now = app.ports.clock.now();
    MainWindow& w = app.window;

    if (!w.menu.一天工作计划模式->checked()) {
        for (int n = 1; n <= barCount; ++n) {
            BarSlot& slot = app.bar(n);
            if (slot.alarmArmed != 1 || slot.alarmHour != now.hour || slot.alarmMinute != now.minute) continue;
            slot.alarmArmed = 0;
            playAlarmSound(app);
            // The entry that armed the alarm already parked the text beyond the right edge.
            w.eventBarTimer(n).setPeriod(slot.scrollPeriod);
        }
        return;
    }

    // In the plan mode the per-bar alarms stay armed and wait for the mode to end.
    for (PlanEvent& event : app.state.planEvents) {
        if (event.armed != 1 || event.hour != now.hour || event.minute != now.minute) continue;
        event.armed = 0;
        playAlarmSound(app);
        w.eventBarTimer(1).setPeriod(app.bar(1).scrollPeriod);
        w.eventBar(1).setText(event.text);
        w.eventBar(1).setLeft(w.width());
    }
}

void playAlarmSound(App& app) {
    if (!app.window.menu.开启音乐报警->checked()) return;
    if (!app.state.musicFilePath.empty())
        app.ports.sound.playMp3(app.state.musicFilePath);
    else
        app.ports.sound.playBuiltIn();
}
