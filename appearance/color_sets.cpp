#include "color_sets.h"

#include "app/app.h"

#include <array>

namespace {

constexpr std::int32_t rgb(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

// Some sets repeat others on purpose (4/26, 5/28, 7/24, 8/27, 10/37, 18/23, 20/36): those colourings come
// up twice as often. 1, 0, 0 is a black that stays visible; 0, 0, 0 would be the transparent key.
constexpr std::array<ColorSet, colorSetCount> colorSets{{
    {rgb(255, 102, 0), rgb(255, 255, 102), rgb(0, 153, 102)},     // 1
    {rgb(255, 153, 153), rgb(153, 102, 153), rgb(255, 204, 204)}, // 2
    {rgb(0, 153, 204), rgb(204, 204, 204), rgb(255, 102, 102)},   // 3
    {rgb(204, 51, 51), rgb(204, 204, 204), rgb(0, 51, 102)},      // 4
    {rgb(204, 0, 51), rgb(51, 51, 51), rgb(204, 204, 0)},         // 5
    {rgb(255, 102, 102), rgb(255, 255, 0), rgb(0, 102, 204)},     // 6
    {rgb(255, 0, 51), rgb(51, 51, 153), rgb(204, 204, 0)},        // 7
    {rgb(204, 0, 51), rgb(1, 0, 0), rgb(0, 51, 153)},             // 8
    {rgb(0, 51, 153), rgb(255, 153, 0), rgb(255, 204, 0)},        // 9
    {rgb(153, 0, 51), rgb(204, 255, 102), rgb(255, 153, 0)},      // 10
    {rgb(255, 153, 0), rgb(102, 51, 0), rgb(204, 204, 102)},      // 11
    {rgb(204, 204, 51), rgb(255, 255, 255), rgb(204, 255, 204)},  // 12
    {rgb(51, 153, 102), rgb(204, 204, 204), rgb(0, 51, 0)},       // 13
    {rgb(204, 204, 204), rgb(255, 255, 255), rgb(153, 51, 204)},  // 14
    {rgb(153, 51, 51), rgb(204, 153, 102), rgb(0, 51, 0)},        // 15
    {rgb(0, 102, 51), rgb(153, 0, 51), rgb(255, 153, 0)},         // 16
    {rgb(51, 153, 153), rgb(255, 255, 255), rgb(153, 204, 255)},  // 17
    {rgb(102, 204, 204), rgb(204, 255, 102), rgb(255, 153, 204)}, // 18
    {rgb(255, 204, 0), rgb(0, 153, 153), rgb(204, 51, 51)},       // 19
    {rgb(204, 204, 153), rgb(51, 51, 51), rgb(153, 102, 204)},    // 20
    {rgb(204, 51, 153), rgb(255, 204, 153), rgb(255, 102, 102)},  // 21
    {rgb(255, 204, 153), rgb(204, 255, 153), rgb(204, 204, 204)}, // 22
    {rgb(102, 204, 204), rgb(204, 255, 102), rgb(255, 153, 204)}, // 23
    {rgb(255, 0, 51), rgb(51, 51, 153), rgb(204, 204, 0)},        // 24
    {rgb(255, 0, 51), rgb(204, 204, 0), rgb(0, 102, 153)},        // 25
    {rgb(204, 51, 51), rgb(204, 204, 204), rgb(0, 51, 102)},      // 26
    {rgb(204, 0, 51), rgb(1, 0, 0), rgb(0, 51, 153)},             // 27
    {rgb(204, 0, 51), rgb(51, 51, 51), rgb(204, 204, 0)},         // 28
    {rgb(102, 102, 102), rgb(255, 102, 0), rgb(51, 51, 51)},      // 29
    {rgb(204, 102, 153), rgb(153, 204, 102), rgb(153, 51, 102)},  // 30
    {rgb(255, 153, 153), rgb(255, 204, 204), rgb(255, 153, 204)}, // 31
    {rgb(204, 204, 102), rgb(102, 0, 51), rgb(204, 102, 0)},      // 32
    {rgb(153, 153, 102), rgb(204, 204, 153), rgb(51, 153, 153)},  // 33
    {rgb(0, 102, 0), rgb(204, 255, 153), rgb(102, 204, 102)},     // 34
    {rgb(102, 102, 0), rgb(204, 204, 102), rgb(204, 255, 204)},   // 35
    {rgb(204, 204, 153), rgb(51, 51, 51), rgb(153, 102, 204)},    // 36
    {rgb(153, 0, 51), rgb(204, 255, 102), rgb(255, 153, 0)},      // 37
    {rgb(102, 102, 51), rgb(204, 204, 51), rgb(204, 51, 102)},    // 38
    {rgb(51, 102, 51), rgb(153, 0, 51), rgb(255, 204, 153)},      // 39
    {rgb(51, 102, 51), rgb(204, 204, 153), rgb(51, 51, 102)},     // 40
    {rgb(102, 51, 0), rgb(153, 153, 51), rgb(51, 51, 51)},        // 41
    {rgb(0, 153, 204), rgb(204, 255, 102), rgb(102, 102, 102)},   // 42
    {rgb(51, 102, 153), rgb(255, 255, 102), rgb(102, 153, 255)},  // 43
    {rgb(102, 102, 102), rgb(204, 204, 204), rgb(0, 51, 0)},      // 44
    {rgb(102, 153, 153), rgb(204, 204, 204), rgb(102, 102, 102)}, // 45
    {rgb(102, 153, 204), rgb(0, 102, 153), rgb(1, 0, 0)},         // 46
    {rgb(51, 102, 204), rgb(204, 204, 102), rgb(51, 51, 0)},      // 47
    {rgb(0, 51, 102), rgb(204, 204, 204), rgb(0, 102, 153)},      // 48
    {rgb(204, 255, 153), rgb(255, 255, 255), rgb(153, 204, 255)}, // 49
    {rgb(204, 255, 204), rgb(255, 255, 255), rgb(102, 204, 204)}, // 50
    {rgb(204, 204, 255), rgb(255, 255, 255), rgb(153, 204, 255)}, // 51
    {rgb(102, 204, 255), rgb(255, 255, 255), rgb(204, 255, 255)}, // 52
}};

} // namespace

const ColorSet& colorSet(int k) {
    return colorSets[static_cast<std::size_t>(k - 1)];
}

void changeColorSet(App& app) {
    MainWindow& w = app.window;
    const ColorSet& set = colorSet(app.ports.random.uniform(1, colorSetCount));
    w.标签_时间条.setTextColor(set.timeBarText);
    w.标签_分隔线.setBackColor(set.separator);
    w.eventBar(1).setTextColor(set.eventBarText);
    copyBarTextColor(w);
    // A hidden separator stays hidden, and forgets its colour: unticking later shows it in 0, 0, 0 until the
    // next set is picked while it is shown.
    if (w.menu.隐藏分隔线吧->checked()) w.标签_分隔线.setBackColor(transparentColor);
    app.state.separatorColor = w.标签_分隔线.backColor();
}
