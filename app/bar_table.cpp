#include "bar_table.h"

#include <array>

namespace {

const char* const chineseDigits[] = {"一", "二", "三", "四", "五", "六"};

BarConstants make(int n) {
    const std::string digit = std::to_string(n);
    const std::string word = chineseDigits[n - 1];
    BarConstants c;
    c.number = n;
    c.submenuCaption = "事件条" + digit;
    c.barCountCaption = digit + "条";
    c.barCountWord = word + "条";
    c.contentKey = "事件条" + digit + "内容";
    c.speedKey = "事件条" + digit + "滚动速度";
    c.stepKey = "事件条" + digit + "滚动步调";
    c.stepTitle = "正在设置事件条" + digit + "滚动步调：";
    c.speedTitle = "设置事件条" + digit + "滚动速度当中：";
    c.speedPrompt = "正在设置重要事件条" + digit + "滚动速度：请输入毫秒值  1秒=1000毫秒";
    c.stopCaption = n == 1 ? "停止滚动（文本不要长否则显示不全哦）" : "停止滚动";
    c.contentTitle = "设置事件" + digit + "内容当中：";
    c.contentPromptFirst = "正在设置事件" + digit + "的内容：请输入要滚动的内容  二种格式请参考";
    c.sampleEvent = "重要事件第" + word + "件";
    c.recordWord = "第" + word + "条";
    return c;
}

const std::array<BarConstants, 6>& table() {
    static const std::array<BarConstants, 6> bars = {make(1), make(2), make(3), make(4), make(5), make(6)};
    return bars;
}

} // namespace

const BarConstants& barConstants(int n) {
    return table().at(static_cast<std::size_t>(n - 1));
}

const std::string& stepPrompt() {
    static const std::string prompt = "滚动步调=单次滚动值的大小，只能设置为：0<滚动步调<100";
    return prompt;
}
