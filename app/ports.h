#pragma once

#include "date_time.h"

#include <cstdint>
#include <optional>
#include <string>

// The interfaces the core calls. Every text is a GBK byte string; adapters convert at the edge.

enum class InputKind { Integer, Text };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal input box; the event loop keeps turning while it is open. nullopt on Cancel.
    virtual std::optional<std::string> inputBox(InputKind kind, const std::string& prompt, const std::string& title,
                                                const std::string& initial) = 0;
    virtual void errorMessage(const std::string& text, const std::string& title) = 0;
    // `filter` is "description|pattern". The chosen file's full path, or nullopt.
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& filter) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() = 0;
};

class Sound {
public:
    virtual ~Sound() = default;
    // Plays once in the background; a new MP3 start stops an MP3 that still plays.
    virtual void playMp3(const std::string& path) = 0;
    virtual void playBuiltIn() = 0;
    virtual void stopAll() = 0;
};

// Paths use '/' and are GBK text, like every other text in the core.
class Files {
public:
    virtual ~Files() = default;
    virtual std::string programFolder() = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual bool createEmpty(const std::string& path) = 0;
    virtual bool createFolder(const std::string& path) = 0;
    // nullopt when the file is missing or cannot be read.
    virtual std::optional<std::string> readAll(const std::string& path) = 0;
    // Replaces the whole file atomically: either the new contents or the old file, never a mix.
    virtual bool replaceAll(const std::string& path, const std::string& contents) = 0;
};

class Random {
public:
    virtual ~Random() = default;
    virtual void seedFromTickCount() = 0;
    virtual int uniform(int low, int high) = 0; // inclusive
};

class Screen {
public:
    virtual ~Screen() = default;
    virtual int primaryWidth() = 0;
};

// What start-up asks of the desktop beyond the display model.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void installTrayIcon(const std::string& tooltip) = 0;
    virtual void makeColorKeyed(std::int32_t keyColor, int alpha) = 0;
    virtual void popUpMenu() = 0;
    virtual void quit(int exitCode) = 0;
};

struct Ports {
    Dialogs& dialogs;
    Clock& clock;
    Sound& sound;
    Files& files;
    Random& random;
    Screen& screen;
    Shell& shell;
};
