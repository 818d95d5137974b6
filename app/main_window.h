#pragma once

#include "label.h"
#include "menu_item.h"
#include "model_timer.h"

#include <array>
#include <cstdint>

class WindowObserver {
public:
    virtual ~WindowObserver() = default;
    virtual void windowGeometryChanged() = 0;
};

// Handles on the PopupMenu's items, named by their captions. The tree itself is MainWindow::popupMenu.
struct PopupMenuItems {
    MenuItem* 几条事件条 = nullptr;
    std::array<MenuItem*, 6> barCount{}; // "1条" ... "6条"

    MenuItem* 时间条 = nullptr;
    MenuItem* 重新计时 = nullptr;
    MenuItem* 时间条设置滚动步调 = nullptr;
    MenuItem* 时间条设置滚动速度 = nullptr;
    MenuItem* 停止滚动 = nullptr;
    MenuItem* 停止滚动带记时 = nullptr;
    MenuItem* 不要时间条 = nullptr;

    MenuItem* 一天工作计划模式 = nullptr;
    struct Bar {
        MenuItem* submenu = nullptr;
        MenuItem* 设置事件内容 = nullptr;
        MenuItem* 设置滚动步调 = nullptr;
        MenuItem* 设置滚动速度 = nullptr;
        MenuItem* 停止滚动 = nullptr;
    };
    std::array<Bar, 6> bars{};

    MenuItem* 换一组颜色吧 = nullptr;
    MenuItem* 开启音乐报警 = nullptr;
    MenuItem* 停止播放 = nullptr;
    MenuItem* 其它功能 = nullptr;
    MenuItem* 字体加粗 = nullptr;
    MenuItem* 设置宽度 = nullptr;
    MenuItem* 每日事件记录 = nullptr;
    MenuItem* 隐藏分隔线吧 = nullptr;
    MenuItem* 退出程序 = nullptr;
};

constexpr std::int32_t transparentColor = 0;
constexpr int designWidth = 600;
constexpr int timeBarWidth = 350;
constexpr int rowHeight = 19;
constexpr int separatorHeight = 2;

// The display model of the one window: its geometry, labels, timers and PopupMenu, as designed.
class MainWindow {
public:
    MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setWidth(int width);
    void setHeight(int height);
    void move(int left, int top);
    std::int32_t backColor() const { return transparentColor; }
    void setObserver(WindowObserver* observer) { observer_ = observer; }

    Label& eventBar(int n) { return 标签_事件条[static_cast<std::size_t>(n - 1)]; }
    Timer& eventBarTimer(int n) { return 时钟_事件条[static_cast<std::size_t>(n - 1)]; }
    const Label& eventBar(int n) const { return 标签_事件条[static_cast<std::size_t>(n - 1)]; }
    const Timer& eventBarTimer(int n) const { return 时钟_事件条[static_cast<std::size_t>(n - 1)]; }

    // Every label, top to bottom: time bar, separator, bars 1 to 6.
    std::array<Label*, 8> labels();

    Label 标签_时间条;
    Label 标签_分隔线;
    std::array<Label, 6> 标签_事件条; // [0] is 标签_事件条1

    Timer 时钟_时间条滚动;
    Timer 时钟_时间条不滚动;
    Timer 时钟_时间条不滚动带计时;
    std::array<Timer, 6> 时钟_事件条; // [0] is 时钟_事件条1
    Timer 时钟_报警{300};

    MenuItem popupMenu{"", MenuKind::Submenu};
    PopupMenuItems menu;

private:
    void buildPopupMenu();
    void changed();

    int left_ = 0;
    int top_ = 0;
    int width_ = designWidth;
    int height_ = 192;
    WindowObserver* observer_ = nullptr;
};

// Event bars 2 to 6 take the text colour of event bar 1, shown or not.
void copyBarTextColor(MainWindow& window);
