#include "video/audio_track.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "support/video_files.h"

namespace lumivane {
namespace {

using testing::TempFolder;

// The bytes this process has read from files so far.
std::int64_t bytes_read_so_far() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::int64_t value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") return value;
    }
    return 0;
}

// The first count samples of the track of a file, left and right one after the other;
// none when it cannot be opened.
std::vector<float> track_samples(const std::u16string& path, std::int64_t count, std::u16string& message) {
    AudioTrack track;
    if (track.open(path, count, message)) return {};
    std::vector<float> left(static_cast<std::size_t>(count));
    std::vector<float> right(left.size());
    EXPECT_FALSE(track.read(left.data(), right.data(), static_cast<std::int32_t>(count), message))
        << testing::u8(message);
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

// A short sound followed by gigabytes of zeros (a sparse file, which costs no disk) is
// read only a little past the sound, whatever the file's size: an MP3 file plays its
// sound over and over; a WAV file, whose reader looks for more chunks in the zeros, is
// refused with the message.
TEST(AudioTrack, SoundFollowedByZerosIsReadOnlyALittlePastTheSound) {
    TempFolder folder;
    testing::write_tone_wav(folder.native_file("tone.wav"), 44100, 0.3, 440.0);
    const std::string mp3 = "ffmpeg -v error -y -i " + folder.native_file("tone.wav") + " -c:a libmp3lame " +
                            folder.native_file("tone.mp3");
    ASSERT_EQ(std::system(mp3.c_str()), 0);
    constexpr std::int64_t five_seconds = 5 * audio_sample_rate;
    struct Case {
        const char* name;
        bool plays;
    };
    for (const Case c : {Case{"tone.mp3", true}, Case{"tone.wav", false}}) {
        const std::string padded = std::string("padded ") + c.name;
        std::filesystem::copy_file(folder.native_file(c.name), folder.native_file(padded));
        std::filesystem::resize_file(folder.native_file(padded), std::uintmax_t{4} << 30);
        std::u16string message;
        const std::vector<float> alone = track_samples(folder.file(testing::u16(c.name)), five_seconds, message);
        ASSERT_EQ(alone.size(), 2u * five_seconds) << c.name << ": " << testing::u8(message);
        const std::int64_t before = bytes_read_so_far();
        const std::vector<float> with_zeros = track_samples(folder.file(testing::u16(padded)), five_seconds, message);
        // About 17 passes, each reading at most 8 MB past its sound.
        EXPECT_LT(bytes_read_so_far() - before, std::int64_t{200} << 20) << c.name;
        if (!c.plays) {
            EXPECT_TRUE(with_zeros.empty()) << c.name;
            EXPECT_NE(message.find(u"music file"), std::u16string::npos) << testing::u8(message);
            continue;
        }
        ASSERT_EQ(with_zeros.size(), alone.size()) << c.name << ": " << testing::u8(message);
        // The sound over and over, as loud as the sound alone; the encoder's padding at
        // its end, which only a file that ends with its sound has cut off, may differ.
        testing::DecodedVideo heard_alone;
        heard_alone.sound = alone;
        heard_alone.sound_rate = audio_sample_rate;
        testing::DecodedVideo heard;
        heard.sound = with_zeros;
        heard.sound_rate = audio_sample_rate;
        const double level = testing::sound_level(heard_alone, 0.05, 0.25);
        EXPECT_GT(level, 0.2) << c.name;
        for (const double at : {0.05, 1.0, 2.0}) {
            EXPECT_NEAR(testing::sound_level(heard, at, at + 0.2), level, 0.2 * level) << c.name << " at " << at;
        }
    }
}

}  // namespace
}  // namespace lumivane
