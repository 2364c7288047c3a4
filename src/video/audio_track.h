#pragma once
// The music of a video: the first sound stream of a file, decoded and resampled to
// 48 kHz stereo, played again from its start while it is shorter than the video, and
// cut to the video's length with a fade-out over its last two seconds. The file is read
// as the sound is needed, and no further than its sound goes: a sound that ends in
// megabytes of zeros or junk ends where they start.

#include <cstdint>
#include <memory>
#include <string>

namespace lumivane {

inline constexpr std::int32_t audio_sample_rate = 48000;
inline constexpr double audio_fade_seconds = 2.0;

class AudioTrack {
public:
    AudioTrack();
    ~AudioTrack();
    AudioTrack(const AudioTrack&) = delete;
    AudioTrack& operator=(const AudioTrack&) = delete;

    // Opens the file for a track of length samples. True on failure, with the message:
    // a file that cannot be read, or that holds no sound.
    bool open(const std::u16string& path, std::int64_t length, std::u16string& message);

    std::int64_t length() const;
    // The next count samples of each channel, silence past the track's end. True on
    // failure, with the message.
    bool read(float* left, float* right, std::int32_t count, std::u16string& message);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace lumivane
