#include "program.h"

#include "alarm/alarm_check.h"
#include "alarm/music_settings.h"
#include "app.h"
#include "appearance/color_sets.h"
#include "appearance/font_and_separator.h"
#include "bar_layout.h"
#include "eventbars/event_entry.h"
#include "eventbars/scrolling.h"
#include "startup.h"
#include "timebar/time_bar.h"
#include "workplan/work_plan.h"

void bindProgram(App& app) {
    MainWindow& w = app.window;
    PopupMenuItems& m = w.menu;
    App* a = &app;

    for (int n = 1; n <= 6; ++n)
        m.barCount[n - 1]->setAction([a, n] { setBarCount(*a, n); });

    m.重新计时->setAction([a] { restartTiming(*a); });
    m.时间条设置滚动步调->setAction([a] { setTimeBarScrollStep(*a); });
    m.时间条设置滚动速度->setAction([a] { setTimeBarScrollSpeed(*a); });
    m.停止滚动->setAction([a] { stopTimeBar(*a); });
    m.停止滚动带记时->setAction([a] { stopTimeBarWithTiming(*a); });
    m.不要时间条->setAction([a] { toggleTimeBarHidden(*a); });

    m.一天工作计划模式->setAction([a] { togglePlanMode(*a); });
    for (int n = 1; n <= 6; ++n) {
        PopupMenuItems::Bar& bar = m.bars[n - 1];
        bar.设置事件内容->setAction([a, n] { editEventContent(*a, n); });
        bar.设置滚动步调->setAction([a, n] { setBarScrollStep(*a, n); });
        bar.设置滚动速度->setAction([a, n] { setBarScrollSpeed(*a, n); });
        bar.停止滚动->setAction([a, n] { stopBarScrolling(*a, n); });
    }

    m.换一组颜色吧->setAction([a] { changeColorSet(*a); });
    m.开启音乐报警->setAction([a] { toggleMusicAlarm(*a); });
    m.停止播放->setAction([a] { stopAlarmSound(*a); });
    m.字体加粗->setAction([a] { toggleBoldFont(*a); });
    m.设置宽度->setAction([a] { setWindowWidth(*a); });
    m.每日事件记录->setAction([a] { toggleDailyRecord(*a); });
    m.隐藏分隔线吧->setAction([a] { toggleSeparatorHidden(*a); });
    m.退出程序->setAction([a] { saveSettingsAndExit(*a); });

    w.时钟_时间条滚动.setAction([a] { scrollTimeBar(*a); });
    w.时钟_时间条不滚动.setAction([a] { showClock(*a); });
    w.时钟_时间条不滚动带计时.setAction([a] { showClockWithTiming(*a); });
    for (int n = 1; n <= 6; ++n)
        w.eventBarTimer(n).setAction([a, n] { scrollEventBar(*a, n); });
    w.时钟_报警.setAction([a] { checkAlarms(*a); });
}
