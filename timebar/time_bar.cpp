#include "time_bar.h"

#include "app/app.h"
#include "app/bar_table.h"
#include "app/gbk_text.h"
#include "app/scroll_step.h"
#include "timing_text.h"

namespace {

constexpr int defaultScrollPeriod = 50;
constexpr int stillPeriod = 100;

// Start-up sets timingStart in every case; should it ever be missing, the count starts at this tick
// rather than from some arbitrary moment.
std::string timingTextAt(App& app, const DateTime& now) {
    if (!app.state.timingStart) app.state.timingStart = now;
    return timingText(now, *app.state.timingStart);
}

} // namespace

void scrollTimeBar(App& app) {
    Label& label = app.window.标签_时间条;
    // Unlike the event bars, the time bar wraps as soon as its left edge reaches the window's edge.
    if (label.left() > 0)
        label.setLeft(gbk::saturate(static_cast<double>(label.left()) - app.state.timeBarStep));
    else
        label.setLeft(app.window.width());
    const DateTime now = app.ports.clock.now();
    label.setText(timingTextAt(app, now));
}

void showClock(App& app) {
    const DateTime now = app.ports.clock.now();
    std::int32_t& counter = app.state.clockTickCounter;
    app.window.标签_时间条.setText(clockText(now, counter));
    counter = counter >= 9 ? 0 : counter + 1;
}

void showClockWithTiming(App& app) {
    const DateTime now = app.ports.clock.now();
    app.window.标签_时间条.setText(timingTextAt(app, now));
}

void restartTiming(App& app) {
    MainWindow& w = app.window;
    w.时钟_时间条不滚动.setPeriod(0);
    w.时钟_时间条不滚动带计时.setPeriod(0);
    // A speed entry of 0 is kept as 0, but restarting still has to scroll; a negative one stays stopped.
    const std::int32_t saved = app.state.savedTimeBarPeriod;
    w.时钟_时间条滚动.setPeriod(saved == 0 ? defaultScrollPeriod : saved);
    app.state.timingStart = app.ports.clock.now();
}

void setTimeBarScrollStep(App& app) {
    std::int32_t& step = app.state.timeBarStep;
    const auto entry =
        app.ports.dialogs.inputBox(InputKind::Integer, stepPrompt(), "正在设置时间条滚动步调：", gbk::fromInt(step));
    if (entry) step = clampScrollStep(gbk::leadingInteger(*entry));
}

void setTimeBarScrollSpeed(App& app) {
    const auto entry = app.ports.dialogs.inputBox(
        InputKind::Integer, "正在设置时间条滚动速度：请输入毫秒值  1秒=1000毫秒", "设置时间条滚动速度当中：", "100");
    if (!entry) return;
    // The still timers are left alone: in a still mode both then write the label, each in its own format.
    const std::int32_t period = gbk::leadingInteger(*entry);
    app.window.时钟_时间条滚动.setPeriod(period);
    app.state.savedTimeBarPeriod = period;
}

void stopTimeBar(App& app) {
    MainWindow& w = app.window;
    w.时钟_时间条滚动.setPeriod(0);
    w.时钟_时间条不滚动带计时.setPeriod(0);
    w.时钟_时间条不滚动.setPeriod(stillPeriod);
}

void stopTimeBarWithTiming(App& app) {
    MainWindow& w = app.window;
    w.时钟_时间条不滚动.setPeriod(0);
    w.时钟_时间条滚动.setPeriod(0);
    w.时钟_时间条不滚动带计时.setPeriod(stillPeriod);
    app.state.timingStart = app.ports.clock.now();
}
