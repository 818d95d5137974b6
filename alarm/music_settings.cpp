#include "music_settings.h"

#include "app/app.h"

void toggleMusicAlarm(App& app) {
    MenuItem& item = *app.window.menu.开启音乐报警;
    // Never run at start-up, so it flips whatever `initializing` says.
    item.flip();
    if (!item.checked()) return;
    // Read anew: clearing the key in the file is the way back to the dialog.
    app.state.musicFilePath = app.config.readSetting("音乐文件地址");
    if (!app.state.musicFilePath.empty()) return;
    const auto chosen = app.ports.dialogs.openFile("请选择音乐文件：", "音乐文件（*.mp3）|*.mp3");
    if (!chosen) return;
    app.state.musicFilePath = *chosen;
    app.config.writeSetting("音乐文件地址", app.state.musicFilePath);
}

void stopAlarmSound(App& app) {
    app.ports.sound.stopAll();
}
