#pragma once

struct App;

// Bar n from 1 to 6.
void scrollEventBar(App& app, int n);
void setBarScrollStep(App& app, int n);
void setBarScrollSpeed(App& app, int n);
void stopBarScrolling(App& app, int n);
