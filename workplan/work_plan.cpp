#include "work_plan.h"

#include "app/app.h"
#include "app/bar_layout.h"
#include "app/gbk_text.h"
#include "plan_parser.h"

#include <string>

namespace {

// Time bar, separator and bar 1; the window keeps this height even when the time bar is hidden.
constexpr int planModeHeight = rowHeight + separatorHeight + rowHeight;

const char* const defaultPlan = "1.8:00|第一件*2.10:00|第二件*3.12:00|第三件";

std::string entryPrompt() {
    return std::string("最多支持20个事件：格式一定要如下：") + "\r\n" +
           "1.8:00|第一件*2.10:00|第二件*3.12:00|第三件……" + "\r\n" + "事与事之间用*符分割，时间与事件内容用|符分割";
}

// The one message this program ever shows; the mode stays off, nothing else has changed yet.
void refusePlan(App& app) {
    app.ports.dialogs.errorMessage("格式不正确，请重新设置", "格式不对啊");
    app.window.menu.一天工作计划模式->setChecked(false);
}

void layOutForPlan(App& app) {
    MainWindow& w = app.window;
    app.state.windowHeight = w.height();
    w.setHeight(planModeHeight);
    // Only the marks move: the bars' scroll timers stay as they were until the first entry fires.
    for (int n = 1; n <= 6; ++n) {
        w.menu.barCount[static_cast<std::size_t>(n - 1)]->setChecked(n == 1);
        w.menu.barCount[static_cast<std::size_t>(n - 1)]->setEnabled(false);
    }
}

void enterPlanMode(App& app) {
    const auto entry =
        app.ports.dialogs.inputBox(InputKind::Text, entryPrompt(), "请按格式设置一天的事件", defaultPlan);
    if (!entry) return;
    const std::string plan = normalisePlan(*entry);
    if (!gbk::contains(plan, "*") && !gbk::contains(plan, "|")) {
        refusePlan(app);
        return;
    }
    // A plan with a piece that cannot be read in full is refused like one without separators, before
    // any entry or the layout changes.
    if (!parsePlan(app.state.planEvents, plan)) {
        refusePlan(app);
        return;
    }
    layOutForPlan(app);
}

void leavePlanMode(App& app) {
    MainWindow& w = app.window;
    for (MenuItem* item : w.menu.barCount)
        item->setEnabled(true);
    for (int n = 1; n <= 6; ++n)
        w.eventBar(n).setLeft(w.width());
    // The height saved on entering names the bar count to go back to; any other height leaves the
    // window as it is.
    const bool timeBarHidden = w.menu.不要时间条->checked();
    for (int n = 1; n <= 6; ++n) {
        if (windowHeightFor(n, timeBarHidden) == app.state.windowHeight) {
            w.menu.barCount[static_cast<std::size_t>(n - 1)]->run();
            return;
        }
    }
}

} // namespace

void togglePlanMode(App& app) {
    MenuItem& item = *app.window.menu.一天工作计划模式;
    if (!app.state.initializing) item.flip();
    if (item.checked())
        enterPlanMode(app);
    else
        leavePlanMode(app);
}
