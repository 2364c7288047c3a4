#pragma once
// What a video export is asked for, from the command line or the export dialog, and
// what is wrong with a request before any work starts.

#include <cstdint>
#include <string>
#include <vector>

#include "playback/pan_zoom.h"

namespace lumivane {

struct ShowSettings;
struct SlideShow;

inline constexpr std::int32_t export_frame_rates[] = {24, 25, 30, 50, 60};
// The heights the export dialog offers, the default 1080 among them.
inline constexpr std::int32_t export_heights[] = {2160, 1440, 1080, 720, 480};
inline constexpr std::int32_t default_export_frame_rate = 30;
// Sizes are even (as the players' colour sampling needs) and within these bounds.
inline constexpr std::int32_t min_video_side = 32;
inline constexpr std::int32_t max_video_width = 7680;
inline constexpr std::int32_t max_video_height = 4320;
// The longest video made.
inline constexpr std::int32_t max_video_hours = 24;

struct ExportOptions {
    std::u16string output;  // the video file; its extension chooses the format
    std::int32_t width = -1;  // -1 x -1: the show's proportions in full HD (export_size)
    std::int32_t height = -1;
    std::int32_t frames_per_second = default_export_frame_rate;
    std::int32_t crf = -1;  // -1: the format's default
    Motion motion = Motion::Exact;
    std::u16string audio;  // a music file instead of the show's own music, or none
    // At most this many frames from the start (0: the whole show), to try an export on
    // part of a show.
    std::int64_t frame_limit = 0;
};

struct VideoSize {
    std::int32_t width;
    std::int32_t height;
};

// The largest even size of the show's proportions whose height is at most height and
// whose width is at most 16 / 9 of it: 1920 x 1080 for a 16 : 9 show, 1440 x 1080 for
// 4 : 3, 1920 x 800 for 2.4 : 1.
VideoSize export_size(const ShowSettings& settings, std::int32_t height);

// The options with their defaults filled in: the size for the show, the format's quality.
ExportOptions resolved_export_options(const ShowSettings& settings, const ExportOptions& options);

// The video file first offered for the show: its name (or "Slide Show") as an MP4 file in
// its folder, or in folder when it has none.
std::u16string default_video_path(const SlideShow& show, const std::u16string& folder);

// What is wrong with resolved options, as the message that says so; empty when nothing
// is. Checks the size, frame rate and quality, the output's kind and folder, that this
// machine's libraries have the encoders, and that the music file exists.
std::u16string export_options_problem(const ExportOptions& options);

// "1920x1080" (or with a capital X): two whole numbers of at most five digits.
[[nodiscard]] bool parse_video_size(const std::u16string& text, VideoSize& size);

// The command line of an export after "--export": the show, then -o OUT and the
// options, which change only the options given. True on failure, with the message: a
// value no export can take (frame rate, size, motion, the video's kind or quality)
// fails here, before anything is read.
[[nodiscard]] bool parse_export_arguments(const std::vector<std::u16string>& arguments, std::u16string& show,
                            ExportOptions& options, std::u16string& message);

}  // namespace lumivane
