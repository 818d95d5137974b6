#pragma once

struct App;

void toggleBoldFont(App& app);
void toggleSeparatorHidden(App& app);
