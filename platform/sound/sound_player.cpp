#include "sound_player.h"

#include "builtin_alarm_sound.h"
#include "sdl_sound.h"

#include <QTimer>

namespace {

// SDL's player on the Qt event thread: while a sound plays, a timer asks it every quarter second
// whether the sound has ended, so the audio device is closed soon after.
class PolledSound : public Sound {
public:
    PolledSound() {
        poll_.setInterval(250);
        QObject::connect(&poll_, &QTimer::timeout, [this] { follow(); });
    }

    void playMp3(const std::string& path) override {
        sound_.playMp3(path);
        follow();
    }
    void playBuiltIn() override {
        sound_.playBuiltIn();
        follow();
    }
    void stopAll() override {
        sound_.stopAll();
        follow();
    }

private:
    void follow() {
        if (!sound_.poll())
            poll_.stop();
        else if (!poll_.isActive())
            poll_.start();
    }

    SdlSound sound_{builtInAlarmSound()};
    QTimer poll_;
};

} // namespace

std::unique_ptr<Sound> makeSoundPlayer() {
    return std::make_unique<PolledSound>();
}
