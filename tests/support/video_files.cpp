#include "support/video_files.h"

#include <cmath>
#include <fstream>
#include <functional>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace lumivane::testing {

namespace {

struct Decoder {
    AVCodecContext* context = nullptr;
    int stream = -1;
    ~Decoder() { avcodec_free_context(&context); }

    bool open(AVFormatContext* format, AVMediaType type) {
        stream = av_find_best_stream(format, type, -1, -1, nullptr, 0);
        if (stream < 0) return false;
        const AVCodecParameters* parameters = format->streams[stream]->codecpar;
        const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
        context = avcodec_alloc_context3(codec);
        return avcodec_parameters_to_context(context, parameters) >= 0 && avcodec_open2(context, codec, nullptr) >= 0;
    }
};

void take_picture(DecodedVideo& video, const AVFrame* frame, AVRational time_base, SwsContext*& converter) {
    if (!converter) {
        converter = sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), frame->width,
                                   frame->height, AV_PIX_FMT_BGRA, SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr,
                                   nullptr);
        const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
        sws_setColorspaceDetails(converter, bt709, 0, bt709, 1, 0, 1 << 16, 1 << 16);
    }
    std::vector<std::uint8_t> pixels(4 * static_cast<std::size_t>(frame->width) * frame->height);
    std::uint8_t* planes[1] = {pixels.data()};
    const int strides[1] = {4 * frame->width};
    sws_scale(converter, frame->data, frame->linesize, 0, frame->height, planes, strides);
    video.frames.push_back(std::move(pixels));
    // Times as multiples of 1 / den, den the time base's denominator.
    video.time_den = time_base.den;
    video.time_num.push_back(frame->best_effort_timestamp * time_base.num);
}

void take_sound(DecodedVideo& video, const AVFrame* frame) {
    video.sound_rate = frame->sample_rate;
    const int channels = frame->ch_layout.nb_channels;
    for (int i = 0; i < frame->nb_samples; ++i) {
        float sum = 0.0f;
        for (int c = 0; c < channels; ++c) {
            switch (frame->format) {
            case AV_SAMPLE_FMT_FLTP: sum += reinterpret_cast<const float*>(frame->extended_data[c])[i]; break;
            case AV_SAMPLE_FMT_FLT: sum += reinterpret_cast<const float*>(frame->data[0])[i * channels + c]; break;
            default: break;
            }
        }
        video.sound.push_back(sum / static_cast<float>(channels));
    }
}

void drain(AVCodecContext* codec, AVFrame* frame, const std::function<void(const AVFrame*)>& take) {
    while (avcodec_receive_frame(codec, frame) == 0) {
        take(frame);
        av_frame_unref(frame);
    }
}

}  // namespace

DecodedVideo decode_video(const std::string& path, bool frames) {
    DecodedVideo video;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return video;
    if (avformat_find_stream_info(format, nullptr) < 0) {
        avformat_close_input(&format);
        return video;
    }
    video.opened = true;
    Decoder picture, sound;
    if (picture.open(format, AVMEDIA_TYPE_VIDEO)) {
        const AVCodecParameters* p = format->streams[picture.stream]->codecpar;
        video.video_codec = avcodec_get_name(p->codec_id);
        video.width = p->width;
        video.height = p->height;
        video.tagged_bt709 = p->color_primaries == AVCOL_PRI_BT709 && p->color_trc == AVCOL_TRC_BT709 &&
                             p->color_space == AVCOL_SPC_BT709 && p->color_range == AVCOL_RANGE_MPEG;
        const char* name = av_get_pix_fmt_name(static_cast<AVPixelFormat>(p->format));
        video.pixel_format = name ? name : "";
    }
    if (sound.open(format, AVMEDIA_TYPE_AUDIO)) {
        video.audio_codec = avcodec_get_name(format->streams[sound.stream]->codecpar->codec_id);
    }
    const AVRational time_base = picture.stream >= 0 ? format->streams[picture.stream]->time_base : AVRational{1, 1};
    SwsContext* converter = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    const auto take_frame = [&](const AVFrame* f) { take_picture(video, f, time_base, converter); };
    const auto take_audio = [&](const AVFrame* f) { take_sound(video, f); };
    while (av_read_frame(format, packet) >= 0) {
        if (frames && picture.context && packet->stream_index == picture.stream) {
            avcodec_send_packet(picture.context, packet);
            drain(picture.context, frame, take_frame);
        } else if (sound.context && packet->stream_index == sound.stream) {
            avcodec_send_packet(sound.context, packet);
            drain(sound.context, frame, take_audio);
        }
        av_packet_unref(packet);
    }
    if (frames && picture.context) {
        avcodec_send_packet(picture.context, nullptr);
        drain(picture.context, frame, take_frame);
    }
    if (sound.context) {
        avcodec_send_packet(sound.context, nullptr);
        drain(sound.context, frame, take_audio);
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    sws_freeContext(converter);
    avformat_close_input(&format);
    return video;
}

std::vector<std::uint8_t> through_video_colours(const std::vector<std::uint8_t>& picture, std::int32_t width,
                                                std::int32_t height) {
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    const int flags = SWS_BILINEAR | SWS_ACCURATE_RND;
    SwsContext* to_video =
        sws_getContext(width, height, AV_PIX_FMT_BGRA, width, height, AV_PIX_FMT_YUV420P, flags, nullptr, nullptr, nullptr);
    SwsContext* back =
        sws_getContext(width, height, AV_PIX_FMT_YUV420P, width, height, AV_PIX_FMT_BGRA, flags, nullptr, nullptr, nullptr);
    sws_setColorspaceDetails(to_video, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
    sws_setColorspaceDetails(back, bt709, 0, bt709, 1, 0, 1 << 16, 1 << 16);
    const int chroma_width = (width + 1) / 2;
    std::vector<std::uint8_t> y(static_cast<std::size_t>(width) * height);
    std::vector<std::uint8_t> u(static_cast<std::size_t>(chroma_width) * ((height + 1) / 2));
    std::vector<std::uint8_t> v(u.size());
    std::uint8_t* planes[3] = {y.data(), u.data(), v.data()};
    const int plane_strides[3] = {width, chroma_width, chroma_width};
    const std::uint8_t* in[1] = {picture.data()};
    const int in_stride[1] = {4 * width};
    sws_scale(to_video, in, in_stride, 0, height, planes, plane_strides);
    std::vector<std::uint8_t> result(picture.size());
    std::uint8_t* out[1] = {result.data()};
    sws_scale(back, planes, plane_strides, 0, height, out, in_stride);
    sws_freeContext(to_video);
    sws_freeContext(back);
    return result;
}

double psnr(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    if (a.size() != b.size() || a.empty()) return 0.0;
    double sum = 0.0;
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (i % 4 == 3) continue;
        const double d = static_cast<double>(a[i]) - b[i];
        sum += d * d;
        ++count;
    }
    if (sum == 0.0) return 99.0;
    return 10.0 * std::log10(255.0 * 255.0 / (sum / static_cast<double>(count)));
}

void write_tone_wav(const std::string& path, std::int32_t rate, double seconds, double frequency) {
    const auto samples = static_cast<std::uint32_t>(seconds * rate);
    std::ofstream out(path, std::ios::binary);
    const auto u32 = [&out](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&out](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + 2 * samples);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(static_cast<std::uint32_t>(rate));
    u32(static_cast<std::uint32_t>(2 * rate));
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(2 * samples);
    for (std::uint32_t i = 0; i < samples; ++i) {
        u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(16000 * std::sin(2 * M_PI * frequency * i / rate))));
    }
}

double sound_level(const DecodedVideo& video, double from, double to) {
    const auto first = static_cast<std::size_t>(std::max(0.0, from * video.sound_rate));
    const auto last = std::min(video.sound.size(), static_cast<std::size_t>(to * video.sound_rate));
    if (last <= first) return 0.0;
    double sum = 0.0;
    for (std::size_t i = first; i < last; ++i) sum += static_cast<double>(video.sound[i]) * video.sound[i];
    return std::sqrt(sum / static_cast<double>(last - first));
}

}  // namespace lumivane::testing
