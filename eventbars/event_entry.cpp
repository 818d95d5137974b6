#include "event_entry.h"

#include "app/app.h"
#include "app/bar_table.h"
#include "app/gbk_text.h"
#include "daily_record.h"

#include <string>

namespace {

std::string defaultEntry(const BarConstants& c) {
    return "18:28|" + c.sampleEvent;
}

std::string prompt(const BarConstants& c) {
    return c.contentPromptFirst + "\r\n不报警格式：" + c.sampleEvent + "\r\n定时滚动及报警格式：" + defaultEntry(c);
}

// A timed entry needs a time piece with something after its colon; without it the bar would be parked
// blank and armed for a minute the user never typed, so such an entry is refused whole. Whatever follows
// the colon is read by the number rule, like the work plan's times ("18::30" reads minute 0).
bool hasTimeAndMinute(const std::string& timePiece) {
    const std::size_t colon = gbk::find(timePiece, ":");
    return colon != std::string::npos && colon + 1 < timePiece.size();
}

void recordIfOn(App& app, const BarConstants& c) {
    if (app.window.menu.每日事件记录->checked()) recordBarContent(app, c.recordWord);
}

} // namespace

void editEventContent(App& app, int n) {
    const BarConstants& c = barConstants(n);
    Label& label = app.window.eventBar(n);
    BarSlot& slot = app.bar(n);

    // A waiting bar holds only its event text, so its time is not offered again.
    const std::string initial = label.text().empty() ? defaultEntry(c) : label.text();
    const auto answer = app.ports.dialogs.inputBox(InputKind::Text, prompt(c), c.contentTitle, initial);
    if (!answer) return;
    const std::string entry = gbk::replaceAll(*answer, "：", ":");

    if (!gbk::contains(entry, "|")) {
        slot.alarmArmed = 0;
        label.setText(entry);
        label.setLeft(app.window.width());
        label.setWidth(gbk::saturate(10.0 * static_cast<double>(entry.size())));
        recordIfOn(app, c);
    } else {
        const std::string timePiece = gbk::field(entry, "|", 0);
        if (!hasTimeAndMinute(timePiece)) {
            app.ports.dialogs.errorMessage("格式不正确，请重新设置", "格式不对啊");
            return;
        }
        slot.alarmArmed = 1;
        app.window.eventBarTimer(n).setPeriod(0);
        label.setText(gbk::field(entry, "|", 1));
        // The width stays as it was: a long timed text may be clipped until the next plain entry sizes it.
        label.setLeft(app.window.width());
        recordIfOn(app, c);
        slot.alarmHour = gbk::toInt(gbk::field(timePiece, ":", 0));
        slot.alarmMinute = gbk::toInt(gbk::field(timePiece, ":", 1));
    }
    app.config.writeSetting(c.contentKey, label.text());
}
