#include "daily_record.h"

#include "app/app.h"
#include "app/bar_table.h"
#include "app/gbk_text.h"

namespace {

std::string dateText(const DateTime& t) {
    return gbk::fromInt(t.year) + "年" + gbk::fromInt(t.month) + "月" + gbk::fromInt(t.day) + "日";
}

} // namespace

void recordBarContent(App& app, const std::string& word) {
    Files& files = app.ports.files;
    const DateTime now = app.ports.clock.now();
    const std::string date = dateText(now);

    // The user asked for a record; a missing folder would silently drop every one of them.
    const std::string folder = files.programFolder() + "/每日记";
    if (!files.exists(folder)) files.createFolder(folder);
    const std::string path = folder + "/" + date + ".ini";
    if (!files.exists(path)) files.createEmpty(path);

    int bar = 0;
    for (int n = 1; n <= barCount; ++n)
        if (barConstants(n).recordWord == word) bar = n;
    if (bar == 0) return;
    const std::string& text = app.window.eventBar(bar).text();
    if (text.empty()) return;

    // Keys are per minute, not per bar: a later record in the same minute replaces the earlier one.
    IniFile(files, path, "每日记：" + date).write(gbk::fromInt(now.hour) + "：" + gbk::fromInt(now.minute), text);
}
