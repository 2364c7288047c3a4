#include "video/video_format.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include "platform/paths.h"

namespace lumivane {

const std::vector<VideoFormat>& video_formats() {
    static const std::vector<VideoFormat> formats = {
        {{u".mp4", u".m4v"}, "mp4", u"H.264", {"libx264"}, "aac", 20, 0, 51},
        {{u".webm"}, "webm", u"VP9", {"libvpx-vp9"}, "libopus", 32, 0, 63},
        {{u".mkv"}, "matroska", u"AV1", {"libsvtav1", "libaom-av1"}, "libopus", 32, 1, 63},
    };
    return formats;
}

const VideoFormat* video_format_for(const std::u16string& path) {
    const std::u16string extension = path_extension(path);
    for (const VideoFormat& format : video_formats()) {
        for (const char16_t* e : format.extensions) {
            if (names_equal_nocase(extension, e)) return &format;
        }
    }
    return nullptr;
}

const char* available_video_encoder(const VideoFormat& format) {
    for (const char* name : format.encoders) {
        if (avcodec_find_encoder_by_name(name)) return name;
    }
    return nullptr;
}

}  // namespace lumivane
