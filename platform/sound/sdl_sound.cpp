#include "sdl_sound.h"

#include "platform/text/text_codec.h"

#include <SDL.h>
#include <SDL_mixer.h>

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
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session() {
        stopMusic();
        Mix_HaltChannel(-1);
        if (chunk) Mix_FreeChunk(chunk);
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    void stopMusic() {
        if (!music) return;
        Mix_HaltMusic();
        Mix_FreeMusic(music);
        music = nullptr;
    }

    bool playing() const { return Mix_PlayingMusic() != 0 || Mix_Playing(-1) > 0; }

    Mix_Music* music = nullptr;
    Mix_Chunk* chunk = nullptr;
};

SdlSound::SdlSound(std::span<const unsigned char> builtIn) : builtIn_(builtIn) {
    // SDL would otherwise catch SIGINT and SIGTERM for itself and the program would not end on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

SdlSound::~SdlSound() = default;

bool SdlSound::openSession() {
    if (session_) return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    // After the device is open, so the MP3 decoder is opened for its format too.
    Mix_Init(MIX_INIT_MP3);
    session_ = std::make_unique<Session>();
    return true;
}

void SdlSound::playMp3(const std::string& gbkPath) {
    // A new MP3 start stops the one still playing, whether or not the new one plays.
    if (session_) session_->stopMusic();
    poll();
    const std::string path = textcodec::gbkToUtf8(gbkPath);
    if (!isPlayableMp3(path) || !openSession()) return;
    session_->music = Mix_LoadMUSType_RW(SDL_RWFromFile(path.c_str(), "rb"), MUS_MP3, SDL_TRUE);
    if (!session_->music || Mix_PlayMusic(session_->music, 0) != 0) session_->stopMusic();
    poll();
}

void SdlSound::playBuiltIn() {
    poll();
    if (!openSession()) return;
    if (!session_->chunk)
        session_->chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(builtIn_.data(), static_cast<int>(builtIn_.size())), 1);
    // The chime has a channel of its own: a second start while it rings starts it over, heard once.
    if (session_->chunk) Mix_PlayChannel(builtInChannel, session_->chunk, 0);
    poll();
}

void SdlSound::stopAll() {
    session_.reset();
}

bool SdlSound::poll() {
    if (session_ && !session_->playing()) session_.reset();
    return session_ != nullptr;
}
