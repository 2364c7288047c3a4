#pragma once
// The music of a show: its sound files played one after another (MusicDecoder), at its
// volume, again from the first when the show repeats, for a show of a given length
// with a fade-out over its end. A video export reads it from its start; live playback
// also seeks it to where the show's clock stands.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "video/music_decoder.h"

namespace lumivane {

struct SlideShow;

inline constexpr double audio_fade_seconds = 2.0;

struct MusicPlaylist {
    std::vector<std::u16string> paths;  // full paths, in the order they play
    float gain = 1.0f;
    double fade_seconds = audio_fade_seconds;
    bool repeat = true;  // played again from the first file after the last; else silence
};

// The show's own music as the show plays it: its files at its volume and fade-out,
// repeated when the show loops.
MusicPlaylist show_playlist(const SlideShow& show);

class AudioTrack {
public:
    AudioTrack();
    ~AudioTrack();
    AudioTrack(const AudioTrack&) = delete;
    AudioTrack& operator=(const AudioTrack&) = delete;

    // Opens the files for a track of length samples (a negative length never ends and
    // never fades). The files that cannot be played are left out, each with its message in
    // problems; true when none can, with the first message.
    bool open(const MusicPlaylist& playlist, std::int64_t length, std::vector<std::u16string>& problems,
              std::u16string& message);
    // One file, repeated, with the usual fade; true on failure, with the message.
    bool open(const std::u16string& path, std::int64_t length, std::u16string& message);

    std::int64_t length() const;
    // The sample of the track that the next read begins with.
    std::int64_t position() const;
    // The next count samples of each channel, silence past the track's end. True on
    // failure, with the message.
    bool read(float* left, float* right, std::int32_t count, std::u16string& message);
    // Goes to a sample of the track. True on failure, with the message.
    bool seek(std::int64_t position, std::u16string& message);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace lumivane
