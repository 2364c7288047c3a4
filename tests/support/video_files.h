#pragma once
// Reading a video file back with FFmpeg's libraries, to check what an export wrote, and
// writing a small WAV file of a tone to give an export music.

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane::testing {

struct DecodedVideo {
    bool opened = false;
    std::string video_codec;
    std::string audio_codec;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool tagged_bt709 = false;  // primaries, transfer and matrix, in video levels
    std::string pixel_format;
    // Every frame as 32-bit pixels top-down (blue, green, red, 255), converted with the
    // BT.709 matrix, and its time in seconds as a fraction num / den.
    std::vector<std::vector<std::uint8_t>> frames;
    std::vector<std::int64_t> time_num;
    std::int64_t time_den = 1;
    // The sound, both channels mixed, at its own rate.
    std::vector<float> sound;
    std::int32_t sound_rate = 0;
};

// frames false reads only the streams' description and the sound.
DecodedVideo decode_video(const std::string& path, bool frames = true);

// A 32-bit picture as a video holds it: turned into 4:2:0 BT.709 video levels and back,
// as the export and decode_video do, so that comparing with it measures the codec alone.
std::vector<std::uint8_t> through_video_colours(const std::vector<std::uint8_t>& picture, std::int32_t width,
                                                std::int32_t height);

// Peak signal-to-noise ratio in dB of two 32-bit pictures over their colour bytes.
double psnr(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b);

// A 16-bit mono WAV file of a sine tone.
void write_tone_wav(const std::string& path, std::int32_t rate, double seconds, double frequency);

// The root mean square of the sound between two moments in seconds.
double sound_level(const DecodedVideo& video, double from, double to);

}  // namespace lumivane::testing
