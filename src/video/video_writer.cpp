#include "video/video_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include "imaging/memory_bitmap.h"
#include "platform/file_replacement.h"
#include "platform/text_encoding.h"
#include "platform/translation.h"
#include "platform/value_formatter.h"
#include "video/audio_track.h"
#include "video/video_format.h"

namespace lumivane {

namespace {

std::u16string error_text(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return utf8_to_utf16(text);
}

// How each encoder is told to be quick: at least twice as fast as the video plays, at
// full HD on two cores, for the default H.264.
void set_speed(AVCodecContext* codec, const char* encoder, std::int32_t crf) {
    void* options = codec->priv_data;
    const std::string name = encoder;
    av_opt_set_int(options, "crf", crf, 0);
    if (name == "libx264") {
        av_opt_set(options, "preset", "superfast", 0);
    } else if (name == "libvpx-vp9") {
        codec->bit_rate = 0;  // quality alone decides
        av_opt_set(options, "deadline", "good", 0);
        av_opt_set_int(options, "cpu-used", 5, 0);
        av_opt_set_int(options, "row-mt", 1, 0);
        av_opt_set_int(options, "tile-columns", 2, 0);
    } else if (name == "libsvtav1") {
        av_opt_set_int(options, "preset", 10, 0);
    } else if (name == "libaom-av1") {
        codec->bit_rate = 0;
        av_opt_set_int(options, "cpu-used", 8, 0);
        av_opt_set_int(options, "row-mt", 1, 0);
    }
}

}  // namespace

struct VideoWriter::State {
    ~State() {
        sws_freeContext(converter);
        av_frame_free(&picture);
        av_frame_free(&sound);
        av_packet_free(&packet);
        avcodec_free_context(&video);
        avcodec_free_context(&audio);
        if (muxer) {
            avio_closep(&muxer->pb);
            avformat_free_context(muxer);
        }
        // A file not finished goes, with its temporary name.
        if (started) static_cast<void>(file_replace_finish(replacement, true));
    }

    bool fail(std::u16string& message, int code) {
        message = formatted(Core::tr("Cannot write the video file %s: %s"), path, error_text(code));
        return true;
    }

    // Sends a frame (none: the end) to an encoder and writes every packet it gives back.
    int encode(AVCodecContext* codec, AVStream* stream, const AVFrame* frame) {
        int result = avcodec_send_frame(codec, frame);
        while (result >= 0) {
            result = avcodec_receive_packet(codec, packet);
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return 0;
            if (result < 0) break;
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            result = av_interleaved_write_frame(muxer, packet);
        }
        return result;
    }

    bool open_video(const VideoFormat& format, const VideoSettings& settings, std::u16string& message) {
        const char* name = available_video_encoder(format);
        const AVCodec* codec = name ? avcodec_find_encoder_by_name(name) : nullptr;
        if (!codec) {
            message = formatted(Core::tr("The video libraries on this machine have no %s encoder"), format.codec_name);
            return true;
        }
        video = avcodec_alloc_context3(codec);
        if (!video) return fail(message, AVERROR(ENOMEM));
        video->width = settings.width;
        video->height = settings.height;
        video->time_base = {1, settings.frames_per_second};
        video->framerate = {settings.frames_per_second, 1};
        video->pix_fmt = AV_PIX_FMT_YUV420P;
        video->gop_size = 4 * settings.frames_per_second;  // a picture to start from every 4 s
        video->color_primaries = AVCOL_PRI_BT709;
        video->color_trc = AVCOL_TRC_BT709;
        video->colorspace = AVCOL_SPC_BT709;
        video->color_range = AVCOL_RANGE_MPEG;
        video->chroma_sample_location = AVCHROMA_LOC_LEFT;
        if (muxer->oformat->flags & AVFMT_GLOBALHEADER) video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        set_speed(video, name, settings.crf);
        int result = avcodec_open2(video, codec, nullptr);
        video_stream = result < 0 ? nullptr : avformat_new_stream(muxer, nullptr);
        if (!video_stream) return fail(message, result < 0 ? result : AVERROR(ENOMEM));
        video_stream->time_base = video->time_base;
        video_stream->avg_frame_rate = video->framerate;
        result = avcodec_parameters_from_context(video_stream->codecpar, video);
        if (result < 0) return fail(message, result);

        picture = av_frame_alloc();
        if (!picture) return fail(message, AVERROR(ENOMEM));
        picture->format = AV_PIX_FMT_YUV420P;
        picture->width = settings.width;
        picture->height = settings.height;
        picture->color_primaries = video->color_primaries;
        picture->color_trc = video->color_trc;
        picture->colorspace = video->colorspace;
        picture->color_range = video->color_range;
        result = av_frame_get_buffer(picture, 0);
        if (result < 0) return fail(message, result);
        // sRGB pixels (full range) into BT.709 video levels.
        converter = sws_getContext(settings.width, settings.height, AV_PIX_FMT_BGRA, settings.width, settings.height,
                                   AV_PIX_FMT_YUV420P, SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
        if (!converter) return fail(message, AVERROR(ENOMEM));
        const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
        sws_setColorspaceDetails(converter, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
        return false;
    }

    bool open_audio(const VideoFormat& format, std::u16string& message) {
        const AVCodec* codec = avcodec_find_encoder_by_name(format.audio_encoder);
        if (!codec) {
            message = formatted(Core::tr("The video libraries on this machine have no %s encoder"),
                                std::string_view(format.audio_encoder) == "aac" ? u"AAC" : u"Opus");
            return true;
        }
        audio = avcodec_alloc_context3(codec);
        if (!audio) return fail(message, AVERROR(ENOMEM));
        audio->sample_rate = audio_sample_rate;
        audio->time_base = {1, audio_sample_rate};
        const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        av_channel_layout_copy(&audio->ch_layout, &stereo);
        // The native AAC encoder takes planar floats, Opus interleaved ones.
        audio->sample_fmt = codec->sample_fmts && codec->sample_fmts[0] == AV_SAMPLE_FMT_FLTP ? AV_SAMPLE_FMT_FLTP
                                                                                            : AV_SAMPLE_FMT_FLT;
        audio->bit_rate = 192000;
        if (muxer->oformat->flags & AVFMT_GLOBALHEADER) audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        int result = avcodec_open2(audio, codec, nullptr);
        audio_stream = result < 0 ? nullptr : avformat_new_stream(muxer, nullptr);
        if (!audio_stream) return fail(message, result < 0 ? result : AVERROR(ENOMEM));
        audio_stream->time_base = audio->time_base;
        result = avcodec_parameters_from_context(audio_stream->codecpar, audio);
        if (result < 0) return fail(message, result);

        sound = av_frame_alloc();
        if (!sound) return fail(message, AVERROR(ENOMEM));
        sound->format = audio->sample_fmt;
        sound->sample_rate = audio_sample_rate;
        sound->nb_samples = audio->frame_size > 0 ? audio->frame_size : 1024;
        av_channel_layout_copy(&sound->ch_layout, &audio->ch_layout);
        result = av_frame_get_buffer(sound, 0);
        if (result < 0) return fail(message, result);
        left.resize(static_cast<std::size_t>(sound->nb_samples));
        right.resize(static_cast<std::size_t>(sound->nb_samples));
        return false;
    }

    // Encodes the music up to sample end (at most the track's length).
    bool write_sound(std::int64_t end, std::u16string& message) {
        if (!track) return false;
        end = std::min(end, track->length());
        const std::int32_t size = sound->nb_samples;
        while (sound_written < end) {
            const auto count = static_cast<std::int32_t>(std::min<std::int64_t>(size, end - sound_written));
            // Only the last frame may be short; a full one waits until it can be filled.
            if (count < size && end < track->length()) break;
            if (track->read(left.data(), right.data(), count, message)) return true;
            int result = av_frame_make_writable(sound);
            if (result < 0) return fail(message, result);
            sound->nb_samples = count;
            if (sound->format == AV_SAMPLE_FMT_FLTP) {
                std::memcpy(sound->data[0], left.data(), sizeof(float) * static_cast<std::size_t>(count));
                std::memcpy(sound->data[1], right.data(), sizeof(float) * static_cast<std::size_t>(count));
            } else {
                auto* both = reinterpret_cast<float*>(sound->data[0]);
                for (std::int32_t i = 0; i < count; ++i) {
                    both[2 * i] = left[static_cast<std::size_t>(i)];
                    both[2 * i + 1] = right[static_cast<std::size_t>(i)];
                }
            }
            sound->pts = sound_written;
            sound_written += count;
            result = encode(audio, audio_stream, sound);
            sound->nb_samples = size;
            if (result < 0) return fail(message, result);
        }
        return false;
    }

    std::u16string path;
    FileReplacement replacement;
    bool started = false;  // the temporary file exists
    AVFormatContext* muxer = nullptr;
    AVCodecContext* video = nullptr;
    AVStream* video_stream = nullptr;
    SwsContext* converter = nullptr;
    AVFrame* picture = nullptr;
    AVCodecContext* audio = nullptr;
    AVStream* audio_stream = nullptr;
    AVFrame* sound = nullptr;
    AudioTrack* track = nullptr;
    std::vector<float> left;
    std::vector<float> right;
    std::int64_t sound_written = 0;
    AVPacket* packet = av_packet_alloc();
    std::int32_t frames_per_second = 0;
    std::int64_t frames = 0;
};

VideoWriter::VideoWriter() = default;

VideoWriter::~VideoWriter() = default;

bool VideoWriter::open(const std::u16string& path, const VideoFormat& format, const VideoSettings& settings,
                       AudioTrack* track, std::u16string& message) {
    // The messages here say what went wrong; the libraries' own would only repeat it.
    av_log_set_level(AV_LOG_QUIET);
    state_ = std::make_unique<State>();
    State& s = *state_;
    s.path = path;
    s.frames_per_second = settings.frames_per_second;
    s.track = track;
    if (!s.packet) return s.fail(message, AVERROR(ENOMEM));
    // By its name, never over the old file in place: a failure would leave it broken.
    if (file_replace_start(path, s.replacement, ReplaceWhat::Name)) {
        return s.fail(message, AVERROR(errno ? errno : EACCES));
    }
    s.started = true;
    int result = avformat_alloc_output_context2(&s.muxer, nullptr, format.container, s.replacement.temporary.c_str());
    if (result < 0) return s.fail(message, result);
    if (s.open_video(format, settings, message) || (track && s.open_audio(format, message))) return true;
    result = avio_open(&s.muxer->pb, s.replacement.temporary.c_str(), AVIO_FLAG_WRITE);
    if (result < 0) return s.fail(message, result);
    AVDictionary* options = nullptr;
    // An MP4 file plays on the web before it has been loaded whole.
    if (std::string_view(format.container) == "mp4") av_dict_set(&options, "movflags", "+faststart", 0);
    result = avformat_write_header(s.muxer, &options);
    av_dict_free(&options);
    return result < 0 && s.fail(message, result);
}

bool VideoWriter::write_frame(const MemoryBitmap& picture, bool unchanged, std::u16string& message) {
    State& s = *state_;
    if (!unchanged || s.frames == 0) {
        // The encoder may still hold the last frame: a new one is made when it does.
        int result = av_frame_make_writable(s.picture);
        if (result < 0) return s.fail(message, result);
        const std::uint8_t* rows[1] = {picture.pixels};
        const int strides[1] = {static_cast<int>(picture.stride)};
        sws_scale(s.converter, rows, strides, 0, picture.height, s.picture->data, s.picture->linesize);
    }
    s.picture->pts = s.frames++;
    const int result = s.encode(s.video, s.video_stream, s.picture);
    if (result < 0) return s.fail(message, result);
    return s.write_sound(s.frames * audio_sample_rate / s.frames_per_second, message);
}

bool VideoWriter::finish(std::u16string& message) {
    State& s = *state_;
    int result = s.encode(s.video, s.video_stream, nullptr);
    if (result < 0) return s.fail(message, result);
    if (s.track) {
        if (s.write_sound(s.track->length(), message)) return true;
        result = s.encode(s.audio, s.audio_stream, nullptr);
        if (result < 0) return s.fail(message, result);
    }
    result = av_write_trailer(s.muxer);
    if (result >= 0 && s.muxer->pb->error < 0) result = s.muxer->pb->error;
    const int closed = avio_closep(&s.muxer->pb);
    if (result >= 0) result = closed;
    if (result < 0) return s.fail(message, result);
    s.started = false;
    if (file_replace_finish(s.replacement, false)) return s.fail(message, AVERROR(errno ? errno : EIO));
    return false;
}

}  // namespace lumivane
