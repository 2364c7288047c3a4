#include "platform/webp_decoder.h"

#include <cstring>
#include <vector>

#include <webp/decode.h>
#include <webp/demux.h>

namespace lumivane {

namespace {

// The ICCP chunk, when the file's header reaches it.
std::vector<std::uint8_t> embedded_profile(const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> profile;
    const WebPData whole{data.data(), data.size()};
    WebPDemuxer* demux = WebPDemuxPartial(&whole, nullptr);
    if (!demux) return profile;
    WebPChunkIterator chunk;
    if ((WebPDemuxGetI(demux, WEBP_FF_FORMAT_FLAGS) & ICCP_FLAG) && WebPDemuxGetChunk(demux, "ICCP", 1, &chunk)) {
        profile.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    WebPDemuxDelete(demux);
    return profile;
}

class WebpDecoder final : public ImageDecoder {
public:
    ~WebpDecoder() override { WebPFreeDecBuffer(&config_.output); }

    bool open(FileHandle& file) {
        if (read_rest_of_file(file, data_) || !WebPInitDecoderConfig(&config_)) return false;
        if (WebPGetFeatures(data_.data(), data_.size(), &config_.input) != VP8_STATUS_OK) return false;
        // An animation's frames are laid on a canvas the decoder does not draw.
        if (config_.input.has_animation || config_.input.width <= 0 || config_.input.height <= 0) return false;
        alpha_ = config_.input.has_alpha != 0;
        // Colour multiplied by alpha is the colour laid on black.
        config_.output.colorspace = alpha_ ? MODE_bgrA : MODE_BGR;
        std::vector<std::uint8_t> profile = embedded_profile(data_);
        if (!profile.empty()) metadata_.push_back({MetadataBlock::Ifd0, icc_profile_tag, 0, std::move(profile)});
        return true;
    }

    ContainerFormat container() const override { return ContainerFormat::Webp; }
    std::int32_t width() const override {
        return config_.options.use_scaling ? config_.options.scaled_width : config_.input.width;
    }
    std::int32_t height() const override {
        return config_.options.use_scaling ? config_.options.scaled_height : config_.input.height;
    }
    double resolution() const override { return 96.0; }
    PixelLayout layout() const override { return alpha_ ? PixelLayout::PBGRA32 : PixelLayout::BGR24; }
    const std::vector<std::uint32_t>& palette() const override { return no_palette_; }

    bool read_row(std::uint8_t* row) override {
        if (!decoded_) decode();
        if (next_row_ >= rows_) return false;
        const WebPRGBABuffer& rgba = config_.output.u.RGBA;
        std::memcpy(row, rgba.rgba + static_cast<std::size_t>(next_row_) * static_cast<std::size_t>(rgba.stride),
                    row_bytes());
        ++next_row_;
        return true;
    }

    bool rows_ended() const override { return decoded_ && next_row_ >= rows_; }
    bool damaged() const override { return damaged_; }
    bool failed() const override { return failed_; }
    std::uint64_t working_bytes() const override {
        return data_.size() + layout_row_bytes(layout(), width()) * static_cast<std::uint64_t>(height());
    }
    std::vector<MetadataItem> metadata() const override { return metadata_; }

    // libwebp scales the rows as it decodes them, averaging the pixels each one covers.
    std::int32_t reduce(std::int32_t denominator) override {
        if (decoded_) return reduction_;
        reduction_ = denominator >= 8 ? 8 : denominator >= 4 ? 4 : denominator >= 2 ? 2 : 1;
        config_.options.use_scaling = reduction_ > 1;
        config_.options.scaled_width = (config_.input.width + reduction_ - 1) / reduction_;
        config_.options.scaled_height = (config_.input.height + reduction_ - 1) / reduction_;
        return reduction_;
    }

private:
    // The whole picture at once; a file cut short gives the rows its data reached.
    void decode() {
        decoded_ = true;
        WebPIDecoder* incremental = WebPIDecode(data_.data(), data_.size(), &config_);
        if (!incremental) {
            failed_ = damaged_ = true;
            return;
        }
        const VP8StatusCode status = WebPIUpdate(incremental, data_.data(), data_.size());
        int last_row = 0;
        if (status == VP8_STATUS_OK) {
            last_row = height();
        } else {
            damaged_ = true;
            failed_ = status != VP8_STATUS_SUSPENDED;
            if (!WebPIDecGetRGB(incremental, &last_row, nullptr, nullptr, nullptr)) last_row = 0;
        }
        WebPIDelete(incremental);
        rows_ = last_row;
    }

    std::vector<std::uint8_t> data_;
    WebPDecoderConfig config_{};
    bool alpha_ = false;
    std::int32_t reduction_ = 1;
    bool decoded_ = false;
    bool damaged_ = false;
    bool failed_ = false;
    std::int32_t rows_ = 0;
    std::int32_t next_row_ = 0;
    std::vector<MetadataItem> metadata_;
    std::vector<std::uint32_t> no_palette_;
};

}  // namespace

std::unique_ptr<ImageDecoder> open_webp_decoder(FileHandle file) {
    auto decoder = std::make_unique<WebpDecoder>();
    if (!decoder->open(file)) return nullptr;
    return decoder;
}

}  // namespace lumivane
