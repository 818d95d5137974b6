#pragma once

struct App;

// Window height for a bar count (1 to 6) with the time bar shown or hidden.
int windowHeightFor(int bars, bool timeBarHidden);

// The bar count stored under "几条事件条": "一条" ... "五条" give 1 to 5, anything else 6.
int storedBarCount(App& app);

void setBarCount(App& app, int n);
void toggleTimeBarHidden(App& app);
void setWindowWidth(App& app);
void fitLabelWidths(App& app);
void toggleDailyRecord(App& app);
