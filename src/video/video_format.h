#pragma once
// The kinds of video file the export writes, chosen by the output's extension: H.264 in
// MP4 (which every player and television plays), VP9 in WebM, or AV1 in Matroska; the
// music in AAC for MP4 and in Opus otherwise.

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane {

struct VideoFormat {
    std::vector<const char16_t*> extensions;  // in lower case, with the dot
    const char* container;                    // the library's name of the container
    const char16_t* codec_name;               // as messages name the video codec
    std::vector<const char*> encoders;        // the library's encoders of that codec, best first
    const char* audio_encoder;
    // The constant-rate factor: lower is better and larger.
    std::int32_t crf_default;
    std::int32_t crf_min;
    std::int32_t crf_max;
};

const std::vector<VideoFormat>& video_formats();

// The format a file name asks for by its extension, in any letter case; none for others.
const VideoFormat* video_format_for(const std::u16string& path);

// The name of the first encoder of the format that this machine's libraries have; null
// when they have none.
const char* available_video_encoder(const VideoFormat& format);

}  // namespace lumivane
