#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "video/audio_track.h"
#include "video/music_analysis.h"
#include "video/music_decoder.h"

namespace lumivane {
namespace {

using testing::TempFolder;

// Writes seconds of a beat every half second, made at the rate and layout of source
// ("44100:c=mono") and written with ffmpeg's encoder options: a click of 5 ms, or a drum
// that a listener would tap a foot to.
constexpr const char* click = "if(lt(mod(t,0.5),0.005),0.8,0)";
constexpr const char* drum = "if(lt(mod(t,0.5),0.005),0.8,0.6*exp(-20*mod(t,0.5))*sin(2*PI*90*t))";
void write_beats(const TempFolder& folder, const std::string& name, const std::string& source,
                 const std::string& encoder, double seconds, const char* beat = click) {
    const std::string command = "ffmpeg -v error -y -f lavfi -i \"aevalsrc='" + std::string(beat) + "':s=" +
                                source + ":d=" + std::to_string(seconds) + "\" " + encoder + " " +
                                folder.native_file(name);
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// The first sample from which the sound is loud, or -1.
std::int64_t first_click(MusicDecoder& decoder, std::int64_t limit) {
    std::vector<float> left(1024);
    std::vector<float> right(1024);
    std::u16string message;
    for (std::int64_t at = 0; at < limit;) {
        std::int32_t got = 0;
        if (decoder.read(left.data(), right.data(), 1024, got, message) || got == 0) return -1;
        for (std::int32_t i = 0; i < got; ++i) {
            if (std::abs(left[static_cast<std::size_t>(i)]) > 0.3f && std::abs(right[static_cast<std::size_t>(i)]) > 0.3f) {
                return at + i;
            }
        }
        at += got;
    }
    return -1;
}

// Files of every kind, rate and channel layout the music takes come out as 48 kHz
// stereo, of their length, and a seek lands on its sample (to 2 ms, Opus to 8 ms).
TEST(Music, EachKindOfFileDecodesAndSeeksToItsSample) {
    struct Case {
        const char* name;
        const char* source;
        const char* encoder;
        std::int32_t samples;  // how near a seek lands
    };
    // Ogg's seek lands an Opus stream its pre-skip (312 samples, 6.5 ms) early.
    const Case cases[] = {
        {"clicks.mp3", "44100:c=mono", "-c:a libmp3lame", 100},  {"clicks.m4a", "22050:c=stereo", "-c:a aac", 100},
        {"clicks.flac", "96000:c=5.1", "", 100},                 {"clicks.ogg", "44100:c=stereo", "-c:a libvorbis", 100},
        {"clicks.opus", "48000:c=stereo", "-c:a libopus", 400}, {"clicks.wav", "8000:c=mono", "", 100},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write_beats(folder, c.name, c.source, c.encoder, 3.0);
        MusicDecoder decoder;
        std::u16string message;
        ASSERT_FALSE(decoder.open(folder.file(testing::u16(c.name)), message)) << testing::u8(message);
        EXPECT_NEAR(decoder.stated_length(), 3 * audio_sample_rate, audio_sample_rate / 20);
        EXPECT_NEAR(first_click(decoder, audio_sample_rate), 0, 100);
        for (const double at : {1.9, 0.2, 2.3}) {
            ASSERT_FALSE(decoder.seek(std::llround(at * audio_sample_rate), message)) << testing::u8(message);
            const double next = std::ceil(at / 0.5) * 0.5;
            EXPECT_NEAR(first_click(decoder, audio_sample_rate), (next - at) * audio_sample_rate, c.samples)
                << "from " << at;
        }
    }
    // A file that is not sound is named.
    folder.write("notes.mp3", "These are not notes.");
    MusicDecoder decoder;
    std::u16string message;
    EXPECT_TRUE(decoder.open(folder.file(u"notes.mp3"), message));
    EXPECT_NE(message.find(u"notes.mp3"), std::u16string::npos) << testing::u8(message);
}

// Two files play one after the other at the volume, a seek into the second lands there,
// the one that cannot be played is named and left out; the beats are every half second.
TEST(Music, APlaylistPlaysInOrderAndItsBeatsAreFound) {
    TempFolder folder;
    write_beats(folder, "one.ogg", "44100:c=stereo", "-c:a libvorbis", 8.0, drum);
    write_beats(folder, "two.flac", "44100:c=stereo", "", 8.0, drum);
    folder.write("gone.mp3", "");
    const std::vector<std::u16string> paths = {folder.file(u"one.ogg"), folder.file(u"gone.mp3"), folder.file(u"two.flac")};

    AudioTrack track;
    std::vector<std::u16string> problems;
    std::u16string message;
    ASSERT_FALSE(track.open(MusicPlaylist{paths, 0.5f, 0.0, false}, -1, problems, message)) << testing::u8(message);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(u"gone.mp3"), std::u16string::npos);
    ASSERT_FALSE(track.seek(std::llround(9.2 * audio_sample_rate), message));
    std::vector<float> left(audio_sample_rate);
    std::vector<float> right(left.size());
    ASSERT_FALSE(track.read(left.data(), right.data(), audio_sample_rate, message));
    // From 9.2 s: the clicks of the second file at 9.5 and 10.0 s, at half their level.
    std::vector<std::int64_t> clicks;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (left[i] > 0.3f && (clicks.empty() || static_cast<std::int64_t>(i) - clicks.back() > 1000)) {
            clicks.push_back(static_cast<std::int64_t>(i));
        }
        EXPECT_LT(left[i], 0.45f);
    }
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_NEAR(clicks[0], 0.3 * audio_sample_rate, 100);
    EXPECT_NEAR(clicks[1], 0.8 * audio_sample_rate, 100);

    MusicAnalysis analysis;
    ASSERT_FALSE(analyse_music({paths[0], paths[2]}, true, analysis, message)) << testing::u8(message);
    EXPECT_NEAR(analysis.seconds, 16.0, 0.05);
    // The tracker finds the beat after a few seconds, and not every one of them.
    ASSERT_GE(analysis.beats.size(), 10u);
    for (std::size_t i = 0; i < analysis.beats.size(); ++i) {
        const double beat = analysis.beats[i];
        EXPECT_NEAR(beat - std::round(beat * 2) / 2, 0.0, 0.05) << beat;  // as the tracker predicts it
    }
}

}  // namespace
}  // namespace lumivane
