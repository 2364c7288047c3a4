#include "video/show_export.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "document/slide_show.h"
#include "imaging/colour_transform.h"
#include "imaging/memory_bitmap.h"
#include "platform/translation.h"
#include "platform/value_formatter.h"
#include "playback/offscreen_playback.h"
#include "video/audio_track.h"
#include "video/video_format.h"
#include "video/video_writer.h"

namespace lumivane {

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void add(std::atomic<double>& total, double seconds) { total.store(total.load() + seconds); }

// The frame as the video shows it, with its caption.
MemoryBitmap captioned_frame(OffscreenPlayback& playback, const CaptionDrawer& draw) {
    MemoryBitmap picture = playback.picture();
    if (draw && playback.show_captions() != CaptionSize::None && !playback.caption().empty()) {
        draw(picture, playback.caption(), playback.show_captions());
    }
    return picture;
}

std::u16string clock_text(double seconds) {
    const auto whole = static_cast<std::int32_t>(std::lround(std::max(seconds, 0.0)));
    if (whole >= 3600) return formatted(u"%d:%2zd:%2zd", whole / 3600, whole / 60 % 60, whole % 60);
    return formatted(u"%d:%2zd", whole / 60, whole % 60);
}

// The music of the video: the file of the options, or else the show's own music.
MusicPlaylist export_playlist(const SlideShow& show, const ExportOptions& options) {
    return options.audio.empty() ? show_playlist(show) : MusicPlaylist{{options.audio}};
}

}  // namespace

ExportResult export_show_video(const SlideShow& show, const std::vector<std::uint8_t>& pictures_profile,
                               const ExportOptions& options,
                               const CaptionDrawer& draw_caption, ExportProgress& progress, std::u16string& message) {
    message = export_options_problem(options);
    if (!message.empty()) return ExportResult::Failed;
    if (show.slide_count() == 0) {
        message = Core::tr("The show has no slides to export");
        return ExportResult::Failed;
    }
    const std::int32_t fps = options.frames_per_second;
    std::int64_t frames = show_frame_count(show, fps, std::int64_t{max_video_hours} * 3600 * fps);
    if (frames < 0) {
        message = formatted(Core::tr("The show lasts more than %d hours, too long for a video"), max_video_hours);
        return ExportResult::Failed;
    }
    if (options.frame_limit > 0) frames = std::min(frames, options.frame_limit);
    progress.frames_total = frames;

    ColourTransformHandle to_srgb;
    if (colour_transform_to_srgb(pictures_profile, to_srgb)) {
        message = Core::tr("Problem converting from monitor color space to sRGB");
        return ExportResult::Failed;
    }
    AudioTrack track;
    const MusicPlaylist playlist = export_playlist(show, options);
    const bool music = !playlist.paths.empty();
    std::vector<std::u16string> problems;
    if (music && (track.open(playlist, frames * audio_sample_rate / fps, problems, message) || !problems.empty())) {
        // Every file of the music is wanted in the video: the first that cannot be played is named.
        if (!problems.empty()) message = problems.front();
        return ExportResult::Failed;
    }

    OffscreenPlayback playback(show, options.width, options.height, fps, options.motion, to_srgb.get());
    if (playback.start(message)) return ExportResult::Failed;
    VideoWriter writer;
    const VideoSettings settings{options.width, options.height, fps, options.crf};
    if (writer.open(options.output, *video_format_for(options.output), settings, music ? &track : nullptr, message)) {
        return ExportResult::Failed;
    }
    MemoryBitmap frame;
    for (std::int64_t n = 0; n < frames; ++n) {
        if (progress.cancel) return ExportResult::Cancelled;
        Clock::time_point start = Clock::now();
        if (n > 0 && !playback.next_frame(message) && !message.empty()) return ExportResult::Failed;
        const bool changed = playback.take_changed() || n == 0;
        if (changed) frame = captioned_frame(playback, draw_caption);
        add(progress.render_seconds, seconds_since(start));
        start = Clock::now();
        if (writer.write_frame(frame, !changed, message)) return ExportResult::Failed;
        add(progress.encode_seconds, seconds_since(start));
        progress.frames_done = n + 1;
    }
    if (progress.cancel) return ExportResult::Cancelled;
    const Clock::time_point start = Clock::now();
    const bool failed = writer.finish(message);
    add(progress.encode_seconds, seconds_since(start));
    return failed ? ExportResult::Failed : ExportResult::Done;
}

std::u16string export_progress_text(std::int64_t done, std::int64_t total, double seconds) {
    const auto percent = static_cast<std::int32_t>(total > 0 ? 100 * done / total : 0);
    const auto frames = static_cast<std::int32_t>(done);
    const auto all = static_cast<std::int32_t>(total);
    if (done > 0 && done < total) {
        return formatted(Core::tr("%d %% (%d of %d frames), %s left"), percent, frames, all,
                         clock_text(seconds / static_cast<double>(done) * static_cast<double>(total - done)));
    }
    return formatted(Core::tr("%d %% (%d of %d frames)"), percent, frames, all);
}

}  // namespace lumivane
