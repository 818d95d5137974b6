#include "sdl_sound.h"

#include "platform/text/text_codec.h"

#include "sdl_library.h"

#include <array>
#include <cstdio>
#include <sys/stat.h>

namespace {

constexpr int builtInChannel = 0;

// MP3 only: an ID3 tag or an MPEG audio frame header at the start. Anything else (a text file, a WAVE
// renamed .mp3) would otherwise go to the decoder as a guess.
bool looksLikeMp3(const std::array<unsigned char, 4>& head) {
    if (head[0] == 'I' && head[1] == 'D' && head[2] == '3') return true;
    const bool sync = head[0] == 0xFF && (head[1] & 0xE0) == 0xE0;
    const bool validVersion = (head[1] & 0x18) != 0x08;
    const bool validLayer = (head[1] & 0x06) != 0;
    const bool validBitrate = (head[2] & 0xF0) != 0xF0;
    const bool validRate = (head[2] & 0x0C) != 0x0C;
    return sync && validVersion && validLayer && validBitrate && validRate;
}

// A regular, readable file that starts like an MP3. Checked before any device is opened; a folder, a
// device file or a pipe is never opened at all, so nothing can block on it.
bool isPlayableMp3(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 4) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::array<unsigned char, 4> head{};
    const bool read = std::fread(head.data(), 1, head.size(), file) == head.size();
    std::fclose(file);
    return read && looksLikeMp3(head);
}

} // namespace

// Everything SDL holds while the device is open; destroying it closes the device and SDL's audio.
struct SdlSound::Session {
    explicit Session(const SdlLibrary& library) : sdl(library) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session() {
        stopMusic();
        sdl.haltChannel(-1);
        if (chunk) sdl.freeChunk(chunk);
        sdl.closeAudio();
        sdl.quit();
        sdl.quitSubSystem(SDL_INIT_AUDIO);
    }

    void stopMusic() {
        if (!music) return;
        sdl.haltMusic();
        sdl.freeMusic(music);
        music = nullptr;
    }

    bool playing() const { return sdl.playingMusic() != 0 || sdl.playingChannels(-1) > 0; }

    const SdlLibrary& sdl;
    Mix_Music* music = nullptr;
    Mix_Chunk* chunk = nullptr;
};

SdlSound::SdlSound(std::span<const unsigned char> builtIn) : builtIn_(builtIn) {}

SdlSound::~SdlSound() = default;

bool SdlSound::openSession() {
    if (session_) return true;
    const SdlLibrary* sdl = SdlLibrary::get();
    if (!sdl) return false;
    // SDL would otherwise catch SIGINT and SIGTERM for itself and the program would not end on them.
    sdl->setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (sdl->initSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (sdl->openAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        sdl->quitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    // After the device is open, so the MP3 decoder is opened for its format too.
    sdl->init(MIX_INIT_MP3);
    session_ = std::make_unique<Session>(*sdl);
    return true;
}

void SdlSound::playMp3(const std::string& gbkPath) {
    // A new MP3 start stops the one still playing, whether or not the new one plays.
    if (session_) session_->stopMusic();
    poll();
    const std::string path = textcodec::gbkToUtf8(gbkPath);
    if (!isPlayableMp3(path) || !openSession()) return;
    const SdlLibrary& sdl = session_->sdl;
    session_->music = sdl.loadMusTypeRw(sdl.rwFromFile(path.c_str(), "rb"), MUS_MP3, SDL_TRUE);
    if (!session_->music || sdl.playMusic(session_->music, 0) != 0) session_->stopMusic();
    poll();
}

void SdlSound::playBuiltIn() {
    poll();
    if (!openSession()) return;
    const SdlLibrary& sdl = session_->sdl;
    if (!session_->chunk)
        session_->chunk = sdl.loadWavRw(sdl.rwFromConstMem(builtIn_.data(), static_cast<int>(builtIn_.size())), 1);
    // The chime has a channel of its own: a second start while it rings starts it over, heard once.
    if (session_->chunk) sdl.playChannelTimed(builtInChannel, session_->chunk, 0, -1);
    poll();
}

void SdlSound::stopAll() {
    session_.reset();
}

bool SdlSound::poll() {
    if (session_ && !session_->playing()) session_.reset();
    return session_ != nullptr;
}
