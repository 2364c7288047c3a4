#pragma once
// A show's music: sound files played one after another with the pictures, how loud, and
// how long the sound fades out at the show's end. Stored in the index file after the
// settings:
//
//   music ‴Songs/First.mp3‴
//   music ‴../Second.flac‴
//   music_volume 80
//   music_fade 3.5

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane {

inline constexpr std::int32_t max_music_volume = 100;
inline constexpr double max_music_fade = 60.0;

struct ShowMusic {
    // In the order they play; paths relative to the show folder ("song.mp3",
    // "../song.mp3" beside it).
    std::vector<std::u16string> files;
    std::int32_t volume = max_music_volume;  // percent of the files' own loudness, 0..100
    double fade = 2.0;                       // seconds of fade-out at the show's end, 0..60

    bool operator==(const ShowMusic&) const = default;
};

// The volume as a gain of 0 to 1, and the fade in seconds, either taken into its range
// (a hand-edited file may hold anything).
float music_gain(const ShowMusic& music);
double music_fade_seconds(const ShowMusic& music);

// How the index names a sound file chosen by its full path: inside the show folder or
// the folder above it relative to the show folder, anywhere else by its full path.
std::u16string music_file_name(const std::u16string& show_folder, const std::u16string& path);
// The full path of a file the index names.
std::u16string music_file_path(const std::u16string& show_folder, const std::u16string& name);

}  // namespace lumivane
