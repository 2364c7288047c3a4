#pragma once
// One sound file decoded with FFmpeg's libraries: its first sound stream, resampled to
// 48 kHz stereo whatever its rate and channels (mono to 5.1 mixed down), from its start
// or from any position. The file is read as the sound is needed, and no further than
// its sound goes: a sound that ends in megabytes of zeros or junk ends where they start.

#include <cstdint>
#include <memory>
#include <string>

namespace lumivane {

inline constexpr std::int32_t audio_sample_rate = 48000;

class MusicDecoder {
public:
    MusicDecoder();
    ~MusicDecoder();
    MusicDecoder(const MusicDecoder&) = delete;
    MusicDecoder& operator=(const MusicDecoder&) = delete;

    // Opens the file at its start. True on failure, with the message naming the file: one
    // that cannot be read, or that holds no sound.
    bool open(const std::u16string& path, std::u16string& message);
    // The sound's length in samples as the file states it; 0 when it does not.
    std::int64_t stated_length() const;
    // The next samples of each channel into left and right, up to count; read says how
    // many there were, fewer only at the sound's end. True on failure, with the message.
    bool read(float* left, float* right, std::int32_t count, std::int32_t& read, std::u16string& message);
    // Goes to the sample at position from the sound's start (0: the start again). True on
    // failure, with the message.
    bool seek(std::int64_t position, std::u16string& message);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace lumivane
