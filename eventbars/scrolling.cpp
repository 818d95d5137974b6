#include "scrolling.h"

#include "app/app.h"
#include "app/bar_table.h"
#include "app/gbk_text.h"
#include "app/scroll_step.h"

void scrollEventBar(App& app, int n) {
    Label& label = app.window.eventBar(n);
    // Wrap one tick after the label has wholly left the window on the left.
    const long long right = static_cast<long long>(label.left()) + label.width();
    if (right >= 1)
        label.setLeft(gbk::saturate(static_cast<double>(label.left()) - app.bar(n).scrollStep));
    else
        label.setLeft(app.window.width());
}

void setBarScrollStep(App& app, int n) {
    BarSlot& slot = app.bar(n);
    const auto entry = app.ports.dialogs.inputBox(InputKind::Integer, stepPrompt(), barConstants(n).stepTitle,
                                                  gbk::fromInt(slot.scrollStep));
    if (entry)
        slot.scrollStep = clampScrollStep(gbk::leadingInteger(*entry));
}

void setBarScrollSpeed(App& app, int n) {
    const BarConstants& c = barConstants(n);
    const auto entry = app.ports.dialogs.inputBox(InputKind::Integer, c.speedPrompt, c.speedTitle, "100");
    if (!entry)
        return;
    const int period = gbk::leadingInteger(*entry);
    app.window.eventBarTimer(n).setPeriod(period);
    app.bar(n).scrollPeriod = period;
}

void stopBarScrolling(App& app, int n) {
    app.window.eventBarTimer(n).setPeriod(0);
    app.window.eventBar(n).setLeft(0);
}
