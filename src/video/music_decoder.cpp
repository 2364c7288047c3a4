#include "video/music_decoder.h"

#include <algorithm>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include "platform/files.h"
#include "platform/translation.h"
#include "platform/value_formatter.h"

namespace lumivane {

namespace {

// Reading that goes this far past the last sound without finding more ends the sound:
// a file padded with zeros or other junk costs no more than this, however large.
constexpr std::int64_t max_bytes_without_sound = std::int64_t{8} << 20;
// The packets the probe reads to learn the sound's kind; it stops there by itself, where
// the limit above would cut it off midway.
constexpr std::int64_t probe_bytes = std::int64_t{1} << 20;

constexpr AVRational sample_time_base = {1, audio_sample_rate};

}  // namespace

struct MusicDecoder::State {
    ~State() {
        close_file();
        swr_free(&resampler);
        av_channel_layout_uninit(&resampler_layout);
        av_packet_free(&packet);
        av_frame_free(&frame);
    }

    void close_file() {
        avcodec_free_context(&decoder);
        avformat_close_input(&format);
    }

    // The libraries' reading asks this before each read from the file: past the limit
    // it ends, as the end of the file would.
    static int past_limit(void* opaque) {
        State& s = *static_cast<State*>(opaque);
        if (s.bytes_read() <= s.read_limit) return 0;
        s.cut = true;
        return 1;
    }

    std::int64_t bytes_read() const { return format && format->pb ? format->pb->bytes_read : 0; }

    // The sound goes on: a first pass from the start, or one from a sought position, may
    // read max_bytes_without_sound more; a later pass from the start reads what the first
    // one did.
    void heard_sound() {
        sound_bytes = bytes_read();
        if (pass_bytes < 0 || sought) read_limit = sound_bytes + max_bytes_without_sound;
    }

    // Opens the file at its start with a decoder for its first sound stream.
    bool open_file(std::u16string& message) {
        close_file();
        swr_free(&resampler);
        left.clear();
        right.clear();
        taken = 0;
        pass_samples = 0;
        skip = 0;
        sought = false;
        ended = false;
        format = avformat_alloc_context();
        if (!format) {
            message = Core::tr("Out of Memory");
            return true;
        }
        format->interrupt_callback = {&State::past_limit, this};
        format->probesize = probe_bytes;
        // The probe has an allowance of its own, the same in every pass, so that every
        // pass reads the file alike; a probe that looks for more in the junk (for the
        // chunks of a WAV file) ends there as at the end of the file.
        read_limit = max_bytes_without_sound;
        cut = false;
        if (avformat_open_input(&format, native_path(path).c_str(), nullptr, nullptr) < 0 ||
            avformat_find_stream_info(format, nullptr) < 0) {
            message = formatted(Core::tr("Cannot read the music file %s"), path);
            return true;
        }
        cut = false;  // a probe cut short has not ended the sound
        heard_sound();
        if (pass_bytes >= 0) read_limit = pass_bytes;
        stream = -1;
        for (unsigned i = 0; i < format->nb_streams && stream < 0; ++i) {
            if (format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) stream = static_cast<int>(i);
        }
        const AVCodec* codec = stream < 0 ? nullptr : avcodec_find_decoder(format->streams[stream]->codecpar->codec_id);
        if (!codec) {
            message = formatted(Core::tr("The music file %s holds no sound that can be played"), path);
            return true;
        }
        decoder = avcodec_alloc_context3(codec);
        if (!decoder || avcodec_parameters_to_context(decoder, format->streams[stream]->codecpar) < 0 ||
            avcodec_open2(decoder, codec, nullptr) < 0) {
            message = formatted(Core::tr("Cannot decode the sound of the music file %s"), path);
            return true;
        }
        return false;
    }

    std::int64_t start_time() const {
        const std::int64_t start = format->streams[stream]->start_time;
        return start == AV_NOPTS_VALUE ? 0 : start;
    }

    // A resampler from the decoded frame's kind of sound, made again when it changes.
    bool prepare_resampler() {
        AVChannelLayout in_layout{};
        if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
            av_channel_layout_default(&in_layout, frame->ch_layout.nb_channels);
        } else if (av_channel_layout_copy(&in_layout, &frame->ch_layout) < 0) {
            return true;
        }
        const bool same = resampler && frame->format == in_format && frame->sample_rate == in_rate &&
                          av_channel_layout_compare(&in_layout, &resampler_layout) == 0;
        if (!same) {
            swr_free(&resampler);
            av_channel_layout_uninit(&resampler_layout);
            AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
            if (swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_FLTP, audio_sample_rate, &in_layout,
                                    static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr) < 0 ||
                swr_init(resampler) < 0) {
                av_channel_layout_uninit(&in_layout);
                swr_free(&resampler);
                return true;
            }
            in_format = frame->format;
            in_rate = frame->sample_rate;
            av_channel_layout_copy(&resampler_layout, &in_layout);
        }
        av_channel_layout_uninit(&in_layout);
        return false;
    }

    // Resamples the frame (or, without one, what the resampler still holds) onto the
    // samples waiting to be read, less those before a sought position.
    bool resample(const AVFrame* input) {
        if (!resampler) return false;
        const int room = swr_get_out_samples(resampler, input ? input->nb_samples : 0);
        if (room <= 0) return false;
        const std::size_t old = left.size();
        left.resize(old + static_cast<std::size_t>(room));
        right.resize(old + static_cast<std::size_t>(room));
        std::uint8_t* out[2] = {reinterpret_cast<std::uint8_t*>(left.data() + old),
                                reinterpret_cast<std::uint8_t*>(right.data() + old)};
        const auto** in = input ? const_cast<const std::uint8_t**>(input->extended_data) : nullptr;
        const int made = std::max(swr_convert(resampler, out, room, in, input ? input->nb_samples : 0), 0);
        const auto dropped = static_cast<std::size_t>(std::min<std::int64_t>(skip, made));
        skip -= static_cast<std::int64_t>(dropped);
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(old),
                   left.begin() + static_cast<std::ptrdiff_t>(old + dropped));
        right.erase(right.begin() + static_cast<std::ptrdiff_t>(old),
                    right.begin() + static_cast<std::ptrdiff_t>(old + dropped));
        const std::size_t kept = old + static_cast<std::size_t>(made) - dropped;
        left.resize(kept);
        right.resize(kept);
        pass_samples += made;
        return false;
    }

    // Every frame the decoder has ready. The first one after a seek says how many samples
    // lie before the position sought.
    bool drain_decoder() {
        while (avcodec_receive_frame(decoder, frame) == 0) {
            if (seek_target >= 0) {
                const std::int64_t pts = frame->best_effort_timestamp;
                const std::int64_t at = pts == AV_NOPTS_VALUE ? seek_target
                                                              : av_rescale_q(pts - start_time(),
                                                                             format->streams[stream]->time_base,
                                                                             sample_time_base);
                skip = std::max<std::int64_t>(seek_target - at, 0);
                seek_target = -1;
            }
            const bool failed = prepare_resampler() || resample(frame);
            av_frame_unref(frame);
            if (failed) return true;
        }
        return false;
    }

    // Decodes until count samples wait to be read or the sound has ended.
    bool decode(std::size_t count, std::u16string& message) {
        while (!ended && left.size() - taken < count) {
            const bool read = av_read_frame(format, packet) >= 0;
            if (!read || cut) {
                // The end (or a read error, which ends the sound too): what the decoder
                // and the resampler hold. A packet made of what lies past the limit is
                // junk, not sound.
                av_packet_unref(packet);
                avcodec_send_packet(decoder, nullptr);
                if (drain_decoder() || resample(nullptr)) return fail(message);
                if (pass_samples == 0 && !sought) {
                    message = formatted(Core::tr("The music file %s holds no sound that can be played"), path);
                    return true;
                }
                if (pass_bytes < 0 && !sought) pass_bytes = sound_bytes;
                ended = true;
                break;
            }
            if (packet->stream_index == stream) {
                const std::int64_t made = pass_samples;
                // A damaged packet is skipped, as players skip it.
                if (avcodec_send_packet(decoder, packet) == 0 && drain_decoder()) {
                    av_packet_unref(packet);
                    return fail(message);
                }
                if (pass_samples > made) heard_sound();
            }
            av_packet_unref(packet);
        }
        return false;
    }

    bool fail(std::u16string& message) {
        message = formatted(Core::tr("Cannot decode the sound of the music file %s"), path);
        return true;
    }

    std::u16string path;
    AVFormatContext* format = nullptr;
    AVCodecContext* decoder = nullptr;
    int stream = -1;
    SwrContext* resampler = nullptr;
    AVChannelLayout resampler_layout{};
    int in_format = -1;
    int in_rate = 0;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    // Samples decoded and not read yet, from index taken on.
    std::vector<float> left;
    std::vector<float> right;
    std::size_t taken = 0;
    std::int64_t pass_samples = 0;  // made since the file was last opened
    std::int64_t seek_target = -1;  // the position sought, until its first frame comes
    std::int64_t skip = 0;          // samples still to drop before the position sought
    bool sought = false;            // this pass began at a sought position
    bool ended = false;
    // What reading the file costs, in bytes of this pass: the most it may read now, what
    // it had read when the last sound came, and what the first pass read up to its last
    // sound (-1 until it has ended), which is all a later pass needs.
    std::int64_t read_limit = 0;
    std::int64_t sound_bytes = 0;
    std::int64_t pass_bytes = -1;
    bool cut = false;  // reading has gone past the limit
};

MusicDecoder::MusicDecoder() = default;

MusicDecoder::~MusicDecoder() = default;

bool MusicDecoder::open(const std::u16string& path, std::u16string& message) {
    // The messages here say what went wrong; the libraries' notes on odd files would only
    // clutter the terminal.
    av_log_set_level(AV_LOG_QUIET);
    state_ = std::make_unique<State>();
    State& s = *state_;
    s.path = path;
    if (!s.packet || !s.frame) {
        message = Core::tr("Out of Memory");
        return true;
    }
    // A file with a sound stream but no sound in it is found out now, not midway.
    return s.open_file(message) || s.decode(1, message);
}

std::int64_t MusicDecoder::stated_length() const {
    const State& s = *state_;
    if (!s.format || s.stream < 0) return 0;
    const AVStream* stream = s.format->streams[s.stream];
    if (stream->duration > 0) return av_rescale_q(stream->duration, stream->time_base, sample_time_base);
    return s.format->duration > 0 ? av_rescale_q(s.format->duration, AV_TIME_BASE_Q, sample_time_base) : 0;
}

bool MusicDecoder::read(float* left, float* right, std::int32_t count, std::int32_t& read, std::u16string& message) {
    State& s = *state_;
    read = 0;
    if (count <= 0) return false;
    if (s.decode(static_cast<std::size_t>(count), message)) return true;
    read = static_cast<std::int32_t>(std::min<std::size_t>(s.left.size() - s.taken, static_cast<std::size_t>(count)));
    std::copy_n(s.left.begin() + static_cast<std::ptrdiff_t>(s.taken), read, left);
    std::copy_n(s.right.begin() + static_cast<std::ptrdiff_t>(s.taken), read, right);
    s.taken += static_cast<std::size_t>(read);
    // The samples read are dropped now and then, not on every read.
    if (s.taken > 65536) {
        s.left.erase(s.left.begin(), s.left.begin() + static_cast<std::ptrdiff_t>(s.taken));
        s.right.erase(s.right.begin(), s.right.begin() + static_cast<std::ptrdiff_t>(s.taken));
        s.taken = 0;
    }
    return false;
}

bool MusicDecoder::seek(std::int64_t position, std::u16string& message) {
    State& s = *state_;
    if (s.open_file(message)) return true;
    if (position <= 0) return false;
    const AVStream* stream = s.format->streams[s.stream];
    const std::int64_t at = s.start_time() + av_rescale_q(position, sample_time_base, stream->time_base);
    s.sought = true;
    if (av_seek_frame(s.format, s.stream, at, AVSEEK_FLAG_BACKWARD) < 0) {
        // A file that cannot seek is decoded from its start up to the position.
        if (s.open_file(message)) return true;
        s.skip = position;
        return false;
    }
    s.seek_target = position;
    s.heard_sound();
    return false;
}

}  // namespace lumivane
