#pragma once

struct App;

void startUp(App& app);
void saveSettingsAndExit(App& app);

// Tray mouse events: 1 left button released, 2 left double-click, 3 right button released.
void showTrayMenu(App& app, int kind);
