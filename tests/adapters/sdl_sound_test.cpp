#include "platform/sound/builtin_alarm_sound.h"
#include "platform/sound/sdl_sound.h"
#include "platform/text/text_codec.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

// SDL's disk driver writes what would be heard to a file; with no delay it writes as fast as it can.
struct DiskAudio : ::testing::Test {
    void SetUp() override {
        folder = fs::temp_directory_path() / ("orrinvale-sound-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        capture = folder / "captured.raw";
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
        ::setenv("SDL_DISKAUDIODELAY", "0", 1);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Polls as the program's timer does, until the device closes.
    bool waitUntilQuiet(SdlSound& sound) {
        for (int i = 0; i < 1000 && sound.poll(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return !sound.playing();
    }

    std::vector<std::int16_t> captured() {
        std::ifstream in(capture, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

    void write(const fs::path& path, const std::string& contents) { std::ofstream(path, std::ios::binary) << contents; }

    fs::path folder;
    fs::path capture;
    SdlSound sound{builtInAlarmSound()};
};

// MPEG-1 Layer III frames at 128 kbit/s, 44.1 kHz, with empty side information: a valid file of silence.
std::string silentMp3(int frames) {
    std::string frame(417, '\0');
    frame[0] = '\xFF';
    frame[1] = '\xFB';
    frame[2] = '\x90';
    frame[3] = '\x00';
    std::string file;
    for (int i = 0; i < frames; ++i)
        file += frame;
    return file;
}

} // namespace

TEST_F(DiskAudio, BuiltInChimeIsHeardAndTheDeviceClosesAfterIt) {
    sound.playBuiltIn();
    EXPECT_TRUE(sound.playing());
    ASSERT_TRUE(waitUntilQuiet(sound));
    const auto samples = captured();
    int loud = 0;
    for (std::int16_t s : samples)
        loud += s > 3000 || s < -3000;
    EXPECT_GT(samples.size(), 44100u * 2 * 2); // over two seconds of stereo
    EXPECT_GT(loud, 10000);
}

TEST_F(DiskAudio, StopClosesTheDeviceAndTheNextStartOpensItAgain) {
    ::setenv("SDL_DISKAUDIODELAY", "20", 1);
    sound.playBuiltIn();
    sound.playBuiltIn(); // a second start while it rings
    EXPECT_TRUE(sound.playing());
    sound.stopAll();
    EXPECT_FALSE(sound.playing());
    sound.stopAll(); // nothing playing: nothing happens
    sound.playBuiltIn();
    EXPECT_TRUE(sound.playing());
    sound.stopAll();
}

TEST_F(DiskAudio, NoDeviceMeansSilenceAndTheNextStartTriesAgain) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    sound.playBuiltIn();
    EXPECT_FALSE(sound.playing());
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    sound.playBuiltIn();
    EXPECT_TRUE(sound.playing());
    EXPECT_TRUE(waitUntilQuiet(sound));
}

TEST_F(DiskAudio, Mp3FileWithAChineseNamePlaysToItsEnd) {
    const std::string gbkName = "闹钟.mp3"; // GBK bytes, as the settings file holds them
    write(textcodec::gbkToUtf8(folder.string() + "/" + gbkName), silentMp3(40));
    sound.playMp3(folder.string() + "/" + gbkName);
    EXPECT_TRUE(sound.playing());
    ASSERT_TRUE(waitUntilQuiet(sound));
    EXPECT_GT(fs::file_size(capture), 44100u); // about a second was decoded and written
}

TEST_F(DiskAudio, UnplayableFilesPlayNothingAndOpenNoDevice) {
    const fs::path empty = folder / "empty.mp3";
    const fs::path text = folder / "notes.mp3";
    const fs::path renamedWave = folder / "chime.mp3";
    const fs::path directory = folder / "folder.mp3";
    const fs::path pipe = folder / "pipe.mp3";
    const fs::path unreadable = folder / "locked.mp3";
    write(empty, "");
    write(text, "This is not music.\r\n");
    const auto chime = builtInAlarmSound();
    write(renamedWave, std::string(reinterpret_cast<const char*>(chime.data()), chime.size()));
    fs::create_directory(directory);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0); // opening it to read would wait for a writer forever
    write(unreadable, silentMp3(4));
    fs::permissions(unreadable, fs::perms::none);

    std::vector<std::string> paths = {(folder / "missing.mp3").string(),
                                      empty.string(),
                                      text.string(),
                                      renamedWave.string(),
                                      directory.string(),
                                      pipe.string(),
                                      "",
                                      "\xFF\xFE\x81"};
    if (::geteuid() != 0) // root reads it anyway
        paths.push_back(unreadable.string());
    for (const std::string& path : paths) {
        sound.playMp3(path);
        EXPECT_FALSE(sound.playing()) << path;
    }
    EXPECT_FALSE(fs::exists(capture));
}

TEST_F(DiskAudio, UnplayableMp3StopsTheMp3ButNotTheChime) {
    ::setenv("SDL_DISKAUDIODELAY", "20", 1);
    sound.playBuiltIn();
    sound.playMp3((folder / "missing.mp3").string());
    EXPECT_TRUE(sound.playing());
    sound.stopAll();
}
