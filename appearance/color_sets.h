#pragma once

struct App;

void changeColorSet(App& app);
