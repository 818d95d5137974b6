#include "font_and_separator.h"

#include "app/app.h"

void toggleBoldFont(App& app) {
    MainWindow& w = app.window;
    MenuItem& item = *w.menu.字体加粗;
    if (!app.state.initializing) item.flip();
    // Every text label, the bars not shown included; the separator has no text.
    w.标签_时间条.setBold(item.checked());
    for (int n = 1; n <= barCount; ++n)
        w.eventBar(n).setBold(item.checked());
}

void toggleSeparatorHidden(App& app) {
    MainWindow& w = app.window;
    MenuItem& item = *w.menu.隐藏分隔线吧;
    if (!app.state.initializing) item.flip();
    // Painting it in the transparent key keeps its two pixels in the layout, so the bars below stay put.
    w.标签_分隔线.setBackColor(item.checked() ? transparentColor : app.state.separatorColor);
}
