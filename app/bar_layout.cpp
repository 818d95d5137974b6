#include "bar_layout.h"

#include "app.h"
#include "bar_table.h"
#include "gbk_text.h"

namespace {

constexpr int minimumWidth = 350;

void layOutTops(App& app, bool timeBarHidden) {
    const int shift = timeBarHidden ? -rowHeight : 0;
    MainWindow& w = app.window;
    w.标签_时间条.setTop(shift);
    w.标签_分隔线.setTop(rowHeight + shift);
    for (int n = 1; n <= 6; ++n)
        w.eventBar(n).setTop(rowHeight + separatorHeight + (n - 1) * rowHeight + shift);
}

} // namespace

int windowHeightFor(int bars, bool timeBarHidden) {
    return (timeBarHidden ? 0 : rowHeight) + separatorHeight + bars * rowHeight;
}

int storedBarCount(App& app) {
    const std::string word = app.config.readSetting("几条事件条");
    for (int n = 1; n <= 5; ++n)
        if (word == barConstants(n).barCountWord) return n;
    return 6;
}

void setBarCount(App& app, int n) {
    MainWindow& w = app.window;
    w.setHeight(windowHeightFor(n, w.menu.不要时间条->checked()));
    app.state.windowHeight = w.height();
    for (int k = 1; k <= 6; ++k)
        w.menu.barCount[k - 1]->setChecked(k == n);
    for (int k = 1; k <= n; ++k) {
        const std::string speed = app.config.readSetting(barConstants(k).speedKey);
        w.eventBarTimer(k).setPeriod(speed.empty() || speed == "0" ? 100 : gbk::toInt(speed));
        app.bar(k).scrollPeriod = w.eventBarTimer(k).period();
    }
    for (int k = n + 1; k <= 6; ++k)
        w.eventBarTimer(k).setPeriod(0);
}

void toggleTimeBarHidden(App& app) {
    MainWindow& w = app.window;
    MenuItem& item = *w.menu.不要时间条;
    if (!app.state.initializing) item.flip();
    if (item.checked()) {
        app.state.savedTimeBarPeriod = w.时钟_时间条滚动.period();
        w.时钟_时间条滚动.setPeriod(0);
        w.时钟_时间条不滚动.setPeriod(0);
        w.时钟_时间条不滚动带计时.setPeriod(0);
    } else {
        w.时钟_时间条滚动.setPeriod(app.state.savedTimeBarPeriod);
    }
    layOutTops(app, item.checked());
    w.setHeight(windowHeightFor(storedBarCount(app), item.checked()));
    app.state.windowHeight = w.height();
}

void setWindowWidth(App& app) {
    const int screenWidth = app.ports.screen.primaryWidth();
    const auto entry = app.ports.dialogs.inputBox(InputKind::Integer, "正在设置宽度：宽度要大于350",
                                                  "设置窗口宽度当中：", gbk::fromInt(screenWidth));
    if (!entry) return;
    const int entered = gbk::leadingInteger(*entry);
    const int width = entered < minimumWidth ? minimumWidth : (entered > screenWidth ? screenWidth : entered);
    app.window.setWidth(width);
    fitLabelWidths(app);
}

void fitLabelWidths(App& app) {
    MainWindow& w = app.window;
    w.标签_时间条.setWidth(timeBarWidth);
    w.标签_分隔线.setWidth(w.width());
    for (int n = 1; n <= 6; ++n)
        w.eventBar(n).setWidth(w.width());
}

void toggleDailyRecord(App& app) {
    if (!app.state.initializing) app.window.menu.每日事件记录->flip();
}
