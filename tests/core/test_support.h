#pragma once

#include "app/app.h"
#include "app/program.h"
#include "app/startup.h"
#include "platform/fake/fake_ports.h"

#include <string>

// A program on the fake platform: the model bound to its handlers, every timer on virtual time.
struct Harness {
    Harness() : app(platform.ports()) {
        bindProgram(app);
        forEachTimer(app.window, [this](Timer& t) { t.bind(platform.scheduler.backendFor(t)); });
    }

    std::string configPath() const { return "/prog/配置文件.ini"; }
    // Seeds the settings file with "key=value" lines (CR LF) under [Orrinvale].
    void seed(const std::string& lines) { platform.files.files[configPath()] = "[Orrinvale]\r\n" + lines; }
    std::string setting(const std::string& key) { return app.config.readSetting(key); }
    void start() { startUp(app); }
    void run(std::int64_t ms) { platform.scheduler.advance(ms); }

    FakePlatform platform;
    App app;
};
