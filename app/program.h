#pragma once

#include "main_window.h"

struct App;

// Ties every menu item and timer of the model to its handler.
void bindProgram(App& app);

// Every timer of the window, for an adapter to give each a backend.
template <typename Fn> void forEachTimer(MainWindow& w, Fn&& fn) {
    fn(w.时钟_时间条滚动);
    fn(w.时钟_时间条不滚动);
    fn(w.时钟_时间条不滚动带计时);
    for (Timer& t : w.时钟_事件条)
        fn(t);
    fn(w.时钟_报警);
}
