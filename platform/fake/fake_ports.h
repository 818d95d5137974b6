#pragma once

#include "app/ports.h"
#include "virtual_scheduler.h"

#include <deque>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

// The wall clock follows the virtual scheduler: `start` plus the virtual time run so far.
class FakeClock : public Clock {
public:
    explicit FakeClock(const VirtualScheduler& scheduler) : scheduler_(scheduler) {}
    void set(const DateTime& t) {
        base_ = wallClockSeconds(t);
        baseMs_ = scheduler_.nowMs();
    }
    DateTime now() override { return fromWallClockSeconds(base_ + (scheduler_.nowMs() - baseMs_) / 1000); }

private:
    const VirtualScheduler& scheduler_;
    std::int64_t base_ = wallClockSeconds({2026, 12, 11, 9, 0, 0});
    std::int64_t baseMs_ = 0;
};

struct DialogCall {
    enum class Type { Input, Error, OpenFile } type;
    InputKind kind = InputKind::Text;
    std::string prompt; // the message text for an error box, the filter for an open-file dialog
    std::string title;
    std::string initial;
};

// Answers dialogs from a script. Each answer may first run virtual time forward, as if the user took
// that long; an empty script answers Cancel.
class ScriptedDialogs : public Dialogs {
public:
    explicit ScriptedDialogs(VirtualScheduler& scheduler) : scheduler_(scheduler) {}

    struct Answer {
        std::optional<std::string> text; // nullopt: Cancel
        std::int64_t thinkMs = 0;
    };
    void answer(std::optional<std::string> text, std::int64_t thinkMs = 0) { script_.push_back({text, thinkMs}); }
    void cancel() { answer(std::nullopt); }

    std::optional<std::string> inputBox(InputKind kind, const std::string& prompt, const std::string& title,
                                        const std::string& initial) override;
    void errorMessage(const std::string& text, const std::string& title) override;
    std::optional<std::string> openFile(const std::string& title, const std::string& filter) override;

    std::vector<DialogCall> calls;
    // Runs while a box is "open", after the think time; lets a test look at the state mid-dialog.
    std::function<void()> whileOpen;

private:
    std::optional<std::string> next();
    VirtualScheduler& scheduler_;
    std::deque<Answer> script_;
};

class RecordingSound : public Sound {
public:
    void playMp3(const std::string& path) override { events.push_back("mp3:" + path); }
    void playBuiltIn() override { events.push_back("builtin"); }
    void stopAll() override { events.push_back("stop"); }
    std::vector<std::string> events;
};

// Files in memory. Paths named in `unreadable` exist but cannot be read; `failWrites` makes every write fail.
class MemoryFiles : public Files {
public:
    std::string programFolder() override { return folder; }
    bool exists(const std::string& path) override { return files.count(path) || folders.count(path); }
    bool createEmpty(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    std::optional<std::string> readAll(const std::string& path) override;
    bool replaceAll(const std::string& path, const std::string& contents) override;

    std::string folder = "/prog";
    std::map<std::string, std::string> files;
    std::set<std::string> folders{"/prog"};
    std::set<std::string> unreadable;
    bool failWrites = false;
    int writes = 0;

private:
    bool parentExists(const std::string& path) const;
};

// Draws from a script first, then from a fixed-seed generator.
class FakeRandom : public Random {
public:
    void seedFromTickCount() override { ++seeds; }
    int uniform(int low, int high) override;
    std::deque<int> script;
    int seeds = 0;
    std::mt19937 engine{12345};
};

class FakeScreen : public Screen {
public:
    int primaryWidth() override { return width; }
    int width = 1920;
};

class FakeShell : public Shell {
public:
    void installTrayIcon(const std::string& t) override { tooltip = t; }
    void makeColorKeyed(std::int32_t key, int a) override {
        colorKey = key;
        alpha = a;
    }
    void popUpMenu() override { ++menuPopups; }
    void quit(int code) override { exitCode = code; }
    std::string tooltip;
    std::int32_t colorKey = -1;
    int alpha = -1;
    int menuPopups = 0;
    std::optional<int> exitCode;
};

// One of each fake, wired together.
struct FakePlatform {
    VirtualScheduler scheduler;
    FakeClock clock{scheduler};
    ScriptedDialogs dialogs{scheduler};
    RecordingSound sound;
    MemoryFiles files;
    FakeRandom random;
    FakeScreen screen;
    FakeShell shell;

    Ports ports() { return Ports{dialogs, clock, sound, files, random, screen, shell}; }
};
