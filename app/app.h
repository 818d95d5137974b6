#pragma once

#include "app_state.h"
#include "config_file.h"
#include "main_window.h"
#include "ports.h"

#include <array>

// Everything a handler works on: the display model, the records, the settings file and the ports.
struct App {
    explicit App(Ports p) : ports(p), config(p.files, p.files.programFolder()) {}
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    BarSlot& bar(int n) { return bars[static_cast<std::size_t>(n - 1)]; }

    Ports ports;
    MainWindow window;
    AppState state;
    std::array<BarSlot, barCount> bars{};
    ConfigFile config;
};
