#pragma once

struct App;

// "设置事件内容" of bar n, 1 to 6.
void editEventContent(App& app, int n);
