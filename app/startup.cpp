#include "startup.h"

#include "app.h"
#include "bar_layout.h"
#include "bar_table.h"
#include "gbk_text.h"

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::int32_t defaultTimeBarColor = 26367;     // 255, 102, 0
constexpr std::int32_t defaultSeparatorColor = 6750207; // 255, 255, 102
constexpr std::int32_t defaultEventBarColor = 6723840;  // 0, 153, 102

void restoreTimeBar(App& app) {
    MainWindow& w = app.window;
    const bool hidden = isOn(app.config.readSetting("不要时间条"));
    w.menu.不要时间条->setChecked(hidden);
    if (!hidden) {
        w.时钟_时间条滚动.setPeriod(numberOr(app.config.readSetting("时间条滚动速度"), 50));
        app.state.savedTimeBarPeriod = w.时钟_时间条滚动.period();
    }
    // Timing counts from start-up even when the time bar starts hidden, so a time bar shown later
    // never counts from an unset moment.
    app.state.timingStart = app.ports.clock.now();
}

void restoreColors(App& app) {
    MainWindow& w = app.window;
    w.标签_时间条.setTextColor(numberOr(app.config.readSetting("时间条颜色"), defaultTimeBarColor));
    w.标签_分隔线.setBackColor(numberOr(app.config.readSetting("分隔线颜色"), defaultSeparatorColor));
    app.state.separatorColor = w.标签_分隔线.backColor();
    w.eventBar(1).setTextColor(numberOr(app.config.readSetting("事件条颜色6条同色"), defaultEventBarColor));
    copyBarTextColor(w);
}

} // namespace

void startUp(App& app) {
    MainWindow& w = app.window;
    AppState& s = app.state;
    ConfigFile& config = app.config;

    s.initializing = true;
    app.ports.random.seedFromTickCount();
    app.ports.shell.installTrayIcon("Orrinvale1.0");
    s.clockTickCounter = 0;
    app.ports.shell.makeColorKeyed(w.backColor(), 200);
    config.ensureConfigFile();
    w.menu.barCount[static_cast<std::size_t>(storedBarCount(app) - 1)]->run();
    restoreTimeBar(app);
    w.menu.不要时间条->run();
    w.menu.字体加粗->setChecked(isOn(config.readSetting("字体加粗")));
    w.menu.字体加粗->run();
    for (int n = 1; n <= 6; ++n)
        w.eventBar(n).setText(config.readSetting(barConstants(n).contentKey));
    restoreColors(app);
    s.timeBarStep = numberOr(config.readSetting("时钟条滚动步调"), 1);
    for (int n = 1; n <= 6; ++n)
        app.bar(n).scrollStep = numberOr(config.readSetting(barConstants(n).stepKey), 1);
    w.setWidth(numberOr(config.readSetting("窗口宽度"), designWidth));
    fitLabelWidths(app);
    w.标签_时间条.setLeft(w.width());
    s.windowLeft = numberOr(config.readSetting("窗口左边"), 906);
    s.windowTop = numberOr(config.readSetting("窗口顶边"), 20);
    w.menu.开启音乐报警->setChecked(isOn(config.readSetting("开启音乐报警")));
    s.musicFilePath = config.readSetting("音乐文件地址");
    w.menu.每日事件记录->setChecked(isOn(config.readSetting("每日事件记录真假")));
    w.menu.一天工作计划模式->setChecked(isOn(config.readSetting("一天工作计划模式")));
    w.menu.一天工作计划模式->run();
    w.move(s.windowLeft, s.windowTop);
    s.initializing = false;
    for (int n = 1; n <= 6; ++n)
        w.eventBar(n).setLeft(w.width());
    s.windowHeight = w.height();
}

void saveSettingsAndExit(App& app) {
    MainWindow& w = app.window;
    AppState& s = app.state;
    std::vector<std::pair<std::string, std::string>> entries;
    const auto add = [&entries](std::string key, std::string value) {
        entries.emplace_back(std::move(key), std::move(value));
    };
    const auto number = [](long long v) { return gbk::fromInt(v); };

    for (int n = 1; n <= 6; ++n) {
        if (w.menu.barCount[n - 1]->checked()) {
            add("几条事件条", barConstants(n).barCountWord);
            break;
        }
    }
    add("时间条滚动速度", number(w.时钟_时间条滚动.period()));
    add("不要时间条", flagText(w.menu.不要时间条->checked()));
    add("字体加粗", flagText(w.menu.字体加粗->checked()));
    for (int n = 1; n <= 6; ++n)
        add(barConstants(n).speedKey, number(w.eventBarTimer(n).period()));
    for (int n = 1; n <= 6; ++n)
        add(barConstants(n).contentKey, w.eventBar(n).text());
    add("时间条颜色", number(w.标签_时间条.textColor()));
    add("分隔线颜色", number(w.标签_分隔线.backColor()));
    add("事件条颜色6条同色", number(w.eventBar(1).textColor()));
    add("开启音乐报警", flagText(w.menu.开启音乐报警->checked()));
    add("音乐文件地址", s.musicFilePath);
    add("每日事件记录真假", flagText(w.menu.每日事件记录->checked()));
    add("一天工作计划模式", flagText(w.menu.一天工作计划模式->checked()));
    if (s.timeBarStep == 0) s.timeBarStep = 3;
    for (BarSlot& bar : app.bars)
        if (bar.scrollStep == 0) bar.scrollStep = 1;
    add("时钟条滚动步调", number(s.timeBarStep));
    for (int n = 1; n <= 6; ++n)
        add(barConstants(n).stepKey, number(app.bar(n).scrollStep));
    add("窗口宽度", number(w.width()));
    add("窗口左边", number(w.left()));
    add("窗口顶边", number(w.top()));

    // One replace of the file holds every key, so an exit never leaves half of them written.
    app.config.writeSettings(entries);
    app.ports.shell.quit(0);
}

void showTrayMenu(App& app, int kind) {
    if (kind == 3) app.ports.shell.popUpMenu();
}
