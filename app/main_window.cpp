#include "main_window.h"

#include "bar_table.h"

namespace {

constexpr std::int32_t designTextColor = 0x00FF00;      // 0, 255, 0
constexpr std::int32_t separatorDesignColor = 0xFF00FF; // 255, 0, 255

} // namespace

MainWindow::MainWindow()
    : 标签_时间条(0, 0, timeBarWidth, rowHeight, designTextColor),
      标签_分隔线(0, rowHeight, designWidth, separatorHeight, separatorDesignColor) {
    for (int n = 1; n <= 6; ++n)
        eventBar(n) =
            Label(0, rowHeight + separatorHeight + (n - 1) * rowHeight, designWidth, rowHeight, designTextColor);
    buildPopupMenu();
}

void MainWindow::buildPopupMenu() {
    MenuItem& root = popupMenu;
    menu.几条事件条 = &root.add("几条事件条", MenuKind::Submenu);
    for (int n = 1; n <= 6; ++n)
        menu.barCount[n - 1] = &menu.几条事件条->add(barConstants(n).barCountCaption, MenuKind::Check);

    menu.时间条 = &root.add("时间条", MenuKind::Submenu);
    menu.重新计时 = &menu.时间条->add("重新计时", MenuKind::Action);
    menu.时间条设置滚动步调 = &menu.时间条->add("设置滚动步调", MenuKind::Action);
    menu.时间条设置滚动速度 = &menu.时间条->add("设置滚动速度", MenuKind::Action);
    menu.停止滚动 = &menu.时间条->add("停止滚动", MenuKind::Action);
    menu.停止滚动带记时 = &menu.时间条->add("停止滚动带记时", MenuKind::Action);
    menu.不要时间条 = &menu.时间条->add("不要时间条", MenuKind::Check);

    for (int n = 1; n <= 6; ++n) {
        const BarConstants& c = barConstants(n);
        PopupMenuItems::Bar& bar = menu.bars[n - 1];
        bar.submenu = &root.add(c.submenuCaption, MenuKind::Submenu);
        if (n == 1) menu.一天工作计划模式 = &bar.submenu->add("一天工作计划模式", MenuKind::Check);
        bar.设置事件内容 = &bar.submenu->add("设置事件内容", MenuKind::Action);
        bar.设置滚动步调 = &bar.submenu->add("设置滚动步调", MenuKind::Action);
        bar.设置滚动速度 = &bar.submenu->add("设置滚动速度", MenuKind::Action);
        bar.停止滚动 = &bar.submenu->add(c.stopCaption, MenuKind::Action);
    }

    root.add("-", MenuKind::Separator);
    menu.换一组颜色吧 = &root.add("换一组颜色吧", MenuKind::Action);
    root.add("-", MenuKind::Separator);
    menu.开启音乐报警 = &root.add("开启音乐报警", MenuKind::Check);
    menu.停止播放 = &root.add("停止播放", MenuKind::Action);
    root.add("-", MenuKind::Separator);
    menu.其它功能 = &root.add("其它功能", MenuKind::Submenu);
    menu.字体加粗 = &menu.其它功能->add("字体加粗", MenuKind::Check);
    menu.设置宽度 = &menu.其它功能->add("设置宽度", MenuKind::Action);
    menu.每日事件记录 = &menu.其它功能->add("每日事件记录", MenuKind::Check);
    menu.隐藏分隔线吧 = &menu.其它功能->add("隐藏分隔线吧", MenuKind::Check);
    menu.退出程序 = &menu.其它功能->add("退出程序", MenuKind::Action);
}

void MainWindow::setWidth(int width) {
    if (width == width_) return;
    width_ = width;
    changed();
}

void MainWindow::setHeight(int height) {
    if (height == height_) return;
    height_ = height;
    changed();
}

void MainWindow::move(int left, int top) {
    if (left == left_ && top == top_) return;
    left_ = left;
    top_ = top;
    changed();
}

void MainWindow::changed() {
    if (observer_) observer_->windowGeometryChanged();
}

std::array<Label*, 8> MainWindow::labels() {
    return {&标签_时间条,    &标签_分隔线,    &标签_事件条[0], &标签_事件条[1],
            &标签_事件条[2], &标签_事件条[3], &标签_事件条[4], &标签_事件条[5]};
}

void copyBarTextColor(MainWindow& window) {
    for (int n = 2; n <= 6; ++n)
        window.eventBar(n).setTextColor(window.eventBar(1).textColor());
}
