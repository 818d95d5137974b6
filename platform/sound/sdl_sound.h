#pragma once

#include "app/ports.h"

#include <memory>
#include <span>
#include <string>

// Sound on SDL2_mixer. The audio device is open only while something plays: an idle strip holds no
// audio stream. Nothing here reports a failure: a device that cannot be opened or a file that cannot
// be played gives silence, and the next start tries again.
//
// SDL says when a sound has ended only on its audio thread, so the owner calls poll() now and then
// on its own thread while playing() is true; poll() closes the device once everything has finished.
class SdlSound : public Sound {
public:
    // `builtIn` is a complete WAVE file that outlives this object.
    explicit SdlSound(std::span<const unsigned char> builtIn);
    ~SdlSound() override;
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    // `path` is GBK, as every path of the core.
    void playMp3(const std::string& path) override;
    void playBuiltIn() override;
    void stopAll() override;

    // Closes the device when nothing plays any longer; true while it stays open.
    bool poll();
    bool playing() const { return session_ != nullptr; }

private:
    struct Session;
    bool openSession();

    std::span<const unsigned char> builtIn_;
    std::unique_ptr<Session> session_;
};
