#pragma once
// A video file being written with FFmpeg's libraries: one video stream of 4:2:0 frames
// tagged BT.709 (the pictures given are sRGB, whose primaries those are) and, with
// music, one sound stream. It is written to a hidden file beside the name given and
// takes that name only once it is complete, so a cancelled or failed export leaves
// neither a broken video nor a damaged older one.

#include <cstdint>
#include <memory>
#include <string>

namespace lumivane {

class AudioTrack;
struct MemoryBitmap;
struct VideoFormat;

struct VideoSettings {
    std::int32_t width;  // even
    std::int32_t height;
    std::int32_t frames_per_second;
    std::int32_t crf;
};

class VideoWriter {
public:
    VideoWriter();
    // A file not finished is removed.
    ~VideoWriter();
    VideoWriter(const VideoWriter&) = delete;
    VideoWriter& operator=(const VideoWriter&) = delete;

    // Starts the file at path in the format, with the music of audio when there is one
    // (it must live until finish). True on failure, with the message.
    bool open(const std::u16string& path, const VideoFormat& format, const VideoSettings& settings, AudioTrack* audio,
              std::u16string& message);
    // The next frame, a 32-bit picture of the video's size; unchanged says it is the
    // picture of the frame before, which is then not converted again.
    bool write_frame(const MemoryBitmap& picture, bool unchanged, std::u16string& message);
    // Writes what the encoders still hold and the rest of the music, and gives the file
    // its name.
    bool finish(std::u16string& message);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace lumivane
