#pragma once
// Exporting a show as a video: the show is played off screen on a clock of the video's
// frames (OffscreenPlayback), each frame gets its caption and goes to the encoder, and
// the music follows. Runs on any thread; the caller's thread may watch the progress and
// ask it to stop.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "video/export_options.h"

namespace lumivane {

struct MemoryBitmap;
struct SlideShow;

// How far an export has come, and the request to stop it, shared between threads.
struct ExportProgress {
    std::atomic<std::int64_t> frames_done{0};
    std::atomic<std::int64_t> frames_total{0};
    std::atomic<bool> cancel{false};
    // Where the time went, in seconds: making the pictures (rendering, colours and
    // captions) and writing them (converting, encoding and the music).
    std::atomic<double> render_seconds{0.0};
    std::atomic<double> encode_seconds{0.0};
};

enum class ExportResult { Done, Cancelled, Failed };

// Draws a slide's caption over a frame, in the show's caption size (show_captions).
using CaptionDrawer =
    std::function<void(MemoryBitmap& picture, const std::u16string& caption, CaptionSize show_captions)>;

// Writes the video of the show with resolved options (resolved_export_options).
// pictures_profile is the monitor profile the show's pictures were converted to: frames
// of any other than sRGB are made from its pictures converted back to sRGB. The show
// and its pictures must not change meanwhile. Failed comes with the message; a cancelled
// or failed export leaves no file behind.
ExportResult export_show_video(const SlideShow& show, MonitorProfile pictures_profile, const ExportOptions& options,
                               const CaptionDrawer& draw_caption, ExportProgress& progress, std::u16string& message);

// "45 % (135 of 300 frames), 0:07 left", from the frames done and the seconds they took.
std::u16string export_progress_text(std::int64_t done, std::int64_t total, double seconds);

}  // namespace lumivane
