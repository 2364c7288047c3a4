#include "platform/heif_decoder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include <libheif/heif.h>

#include "platform/heif_boxes.h"

namespace lumivane {

namespace {

// The tone curve of a transfer characteristic, as rgb_profile takes it; null for one
// the program does not know (PQ, HLG, logarithmic), which is shown as sRGB.
const double* transfer_curve(heif_transfer_characteristics transfer) {
    static constexpr double bt709[5] = {1.0 / 0.45, 1.0 / 1.099, 0.099 / 1.099, 1.0 / 4.5, 0.081};
    static constexpr double linear[5] = {1.0, 1.0, 0.0, 0.0, 0.0};
    static constexpr double gamma22[5] = {2.2, 1.0, 0.0, 0.0, 0.0};
    static constexpr double gamma28[5] = {2.8, 1.0, 0.0, 0.0, 0.0};
    switch (transfer) {
    case heif_transfer_characteristic_ITU_R_BT_709_5:
    case heif_transfer_characteristic_ITU_R_BT_601_6:
    case heif_transfer_characteristic_ITU_R_BT_2020_2_10bit:
    case heif_transfer_characteristic_ITU_R_BT_2020_2_12bit: return bt709;
    case heif_transfer_characteristic_unspecified:
    case heif_transfer_characteristic_IEC_61966_2_1: return srgb_curve;
    case heif_transfer_characteristic_linear: return linear;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_M: return gamma22;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_B_G: return gamma28;
    default: return nullptr;
    }
}

// A profile for the colour description: its primaries (BT.709, Display P3, BT.2020 and
// the others libheif knows) with its curve. sRGB itself needs none.
std::vector<std::uint8_t> described_profile(const heif_image_handle* handle) {
    heif_color_profile_nclx* nclx = nullptr;
    const heif_error error = heif_image_handle_get_nclx_color_profile(handle, &nclx);
    // A failed read may still have handed out the record.
    const std::unique_ptr<heif_color_profile_nclx, void (*)(heif_color_profile_nclx*)> owned(
        nclx, heif_nclx_color_profile_free);
    if (error.code != heif_error_Ok || !nclx) return {};
    std::vector<std::uint8_t> profile;
    const double* curve = transfer_curve(nclx->transfer_characteristics);
    const bool srgb_primaries = nclx->color_primaries == heif_color_primaries_ITU_R_BT_709_5 ||
                                nclx->color_primaries == heif_color_primaries_unspecified;
    if (curve && nclx->color_primary_white_y > 0 && !(srgb_primaries && curve == srgb_curve)) {
        const double chromaticities[8] = {nclx->color_primary_white_x, nclx->color_primary_white_y,
                                          nclx->color_primary_red_x,   nclx->color_primary_red_y,
                                          nclx->color_primary_green_x, nclx->color_primary_green_y,
                                          nclx->color_primary_blue_x,  nclx->color_primary_blue_y};
        profile = rgb_profile(chromaticities, curve);
    }
    return profile;
}

// The most a file cut short is made up to, which bounds what its boxes may claim: 16
// times its size, and no more than 256 MB.
constexpr std::size_t max_padding_factor = 16;
constexpr std::size_t max_padded_size = 256 << 20;

class HeifDecoder final : public ImageDecoder {
public:
    HeifDecoder() : context_(heif_context_alloc()) {}
    ~HeifDecoder() override {
        if (image_) heif_image_release(image_);
        if (handle_) heif_image_handle_release(handle_);
        if (context_) heif_context_free(context_);
    }
    HeifDecoder(const HeifDecoder&) = delete;
    HeifDecoder& operator=(const HeifDecoder&) = delete;

    // Reads the boxes that describe the primary image; its data stays undecoded.
    bool open(FileHandle& file) {
        if (!context_ || read_rest_of_file(file, data_)) return false;
        heif_error error = heif_context_read_from_memory_without_copy(context_, data_.data(), data_.size(), nullptr);
        // A file cut short has boxes that point past its end. Read again with the missing
        // part as zeros, only to learn the picture's size: it shows no rows.
        const std::size_t padded_limit = std::min(data_.size() * max_padding_factor, max_padded_size);
        while (error.subcode == heif_suberror_End_of_data && data_.size() < padded_limit) {
            cut_ = true;
            heif_context_free(context_);
            data_.resize(data_.size() * 2);
            context_ = heif_context_alloc();
            if (!context_) return false;
            error = heif_context_read_from_memory_without_copy(context_, data_.data(), data_.size(), nullptr);
        }
        if (error.code != heif_error_Ok ||
            heif_context_get_primary_image_handle(context_, &handle_).code != heif_error_Ok) {
            return false;
        }
        // The size after the picture's rotation, which the decode applies.
        width_ = heif_image_handle_get_width(handle_);
        height_ = heif_image_handle_get_height(handle_);
        if (width_ <= 0 || height_ <= 0) return false;
        alpha_ = heif_image_handle_has_alpha_channel(handle_) != 0;
        premultiplied_ = alpha_ && heif_image_handle_is_premultiplied_alpha(handle_) != 0;
        // The orientation is the file's own transformation boxes: an EXIF orientation
        // beside them only repeats it, so none is reported to the loader.
        std::vector<std::uint8_t> profile(heif_image_handle_get_raw_color_profile_size(handle_));
        if (profile.empty() ||
            heif_image_handle_get_raw_color_profile(handle_, profile.data()).code != heif_error_Ok) {
            profile = described_profile(handle_);
        }
        if (!profile.empty()) metadata_.push_back({MetadataBlock::Ifd0, icc_profile_tag, 0, std::move(profile)});
        return true;
    }

    ContainerFormat container() const override { return ContainerFormat::Heif; }
    std::int32_t width() const override { return width_; }
    std::int32_t height() const override { return height_; }
    double resolution() const override { return 96.0; }
    // Premultiplied colour is already laid on black: its alpha byte is passed over.
    // Opaque rows are turned to blue, green, red order as they are copied out, which
    // spares the loader a pass over the picture.
    PixelLayout layout() const override {
        if (!alpha_) return PixelLayout::BGR24;
        return premultiplied_ ? PixelLayout::PRGBA32 : PixelLayout::RGB24;
    }
    const std::vector<std::uint32_t>& palette() const override { return no_palette_; }

    bool read_row(std::uint8_t* row) override {
        if (!decoded_) decode();
        if (next_row_ >= rows_) return false;
        const auto at = [this](int plane) {
            return planes_[plane] + static_cast<std::size_t>(next_row_) * static_cast<std::size_t>(strides_[plane]);
        };
        const std::uint8_t* from = at(0);
        if (planar_) {
            planes_to_bgr(from, at(1), at(2), row, width_);
        } else if (!alpha_) {
            rgb_to_bgr(from, row, width_);
        } else if (premultiplied_) {
            std::memcpy(row, from, row_bytes());
        } else {
            alpha_on_black(from, row, width_, 3);
        }
        ++next_row_;
        return true;
    }

    bool rows_ended() const override { return decoded_ && next_row_ >= rows_; }
    bool damaged() const override { return damaged_; }
    bool failed() const override { return failed_; }
    std::uint64_t working_bytes() const override {
        return data_.size() + static_cast<std::uint64_t>(width_) * static_cast<std::uint64_t>(height_) * (alpha_ ? 4 : 3);
    }
    std::vector<MetadataItem> metadata() const override { return metadata_; }

    // The file's own thumbnail, when one is at most denominator times smaller than the
    // picture and shows it the same way: the same shape, transparency, rotation and
    // mirroring. Its colour is taken as the primary image's.
    std::int32_t reduce(std::int32_t denominator) override {
        if (decoded_ || cut_ || denominator < 2) return reduction_;
        heif_item_id primary = 0;
        if (heif_context_get_primary_image_ID(context_, &primary).code != heif_error_Ok) return reduction_;
        const auto transforms = [this](heif_item_id item) {
            return heif_item_transforms(data_.data(), data_.size(), item);
        };
        const auto primary_transforms = transforms(primary);
        const int count = std::max(0, heif_image_handle_get_number_of_thumbnails(handle_));
        std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
        ids.resize(static_cast<std::size_t>(
            heif_image_handle_get_list_of_thumbnail_IDs(handle_, ids.data(), count)));
        const std::int32_t full_width = width_, full_height = height_;
        heif_image_handle* chosen = nullptr;
        for (heif_item_id id : ids) {
            heif_image_handle* thumbnail = nullptr;
            if (heif_image_handle_get_thumbnail(handle_, id, &thumbnail).code != heif_error_Ok) continue;
            const std::int32_t w = heif_image_handle_get_width(thumbnail);
            const std::int32_t h = heif_image_handle_get_height(thumbnail);
            // The largest reduction up to the one asked whose size the thumbnail still covers.
            std::int32_t d = denominator >= 8 ? 8 : denominator >= 4 ? 4 : 2;
            while (d > 1 && (w < full_width / d || h < full_height / d)) d /= 2;
            const bool same_shape = std::abs(std::int64_t{w} * full_height - std::int64_t{h} * full_width) <=
                                    std::max(full_width, full_height);
            const bool same_alpha = (heif_image_handle_has_alpha_channel(thumbnail) != 0) == alpha_ &&
                                    (heif_image_handle_is_premultiplied_alpha(thumbnail) != 0) == premultiplied_;
            const bool better = d > reduction_ || (d == reduction_ && chosen && w < width_);
            if (d > 1 && better && same_shape && same_alpha && primary_transforms &&
                transforms(id) == primary_transforms) {
                if (chosen) heif_image_handle_release(chosen);
                chosen = thumbnail;
                reduction_ = d;
                width_ = w;
                height_ = h;
            } else {
                heif_image_handle_release(thumbnail);
            }
        }
        if (chosen) {
            heif_image_handle_release(handle_);
            handle_ = chosen;
        }
        return reduction_;
    }

private:
    // The whole picture at once. Picture data that is cut or does not decode gives no
    // rows: libheif hands out a picture only when all of it decoded.
    void decode() {
        decoded_ = true;
        if (cut_) {
            damaged_ = true;
            return;
        }
        // libheif makes red, green and blue planes of every colour picture before it
        // interleaves them; an opaque 8-bit picture's planes are taken as they are and
        // interleaved in blue, green, red order straight into the loader's rows, which
        // spares a pass over the picture and a picture's worth of memory.
        planar_ = !alpha_ && heif_image_handle_get_luma_bits_per_pixel(handle_) == 8 &&
                  heif_image_handle_get_chroma_bits_per_pixel(handle_) == 8;
        Decoded decoded = Decoded::OtherPlanes;
        if (planar_) decoded = decode_as(heif_chroma_444, {heif_channel_R, heif_channel_G, heif_channel_B});
        if (decoded == Decoded::OtherPlanes) {
            // Anything else (a grey picture's single plane, say) comes interleaved.
            planar_ = false;
            decoded = decode_as(alpha_ ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                                {heif_channel_interleaved});
        }
        if (decoded != Decoded::Rows) damaged_ = failed_ = true;
    }

    enum class Decoded { Rows, Failed, OtherPlanes };
    // The picture decoded to the chroma asked for; OtherPlanes when it did not give these
    // channels as 8-bit planes of its full size.
    Decoded decode_as(heif_chroma chroma, std::initializer_list<heif_channel> channels) {
        if (image_) heif_image_release(image_);
        image_ = nullptr;
        heif_decoding_options* options = heif_decoding_options_alloc();
        if (!options) return Decoded::Failed;
        options->convert_hdr_to_8bit = 1;
        const heif_error error = heif_decode_image(handle_, &image_, heif_colorspace_RGB, chroma, options);
        heif_decoding_options_free(options);
        if (error.code != heif_error_Ok) return Decoded::Failed;
        int plane = 0;
        for (heif_channel channel : channels) {
            planes_[plane] = heif_image_get_plane_readonly(image_, channel, &strides_[plane]);
            if (!planes_[plane] || heif_image_get_width(image_, channel) != width_ ||
                heif_image_get_height(image_, channel) != height_ ||
                heif_image_get_bits_per_pixel_range(image_, channel) != 8) {
                return Decoded::OtherPlanes;
            }
            ++plane;
        }
        rows_ = height_;
        return Decoded::Rows;
    }

    heif_context* context_;
    heif_image_handle* handle_ = nullptr;
    heif_image* image_ = nullptr;
    std::vector<std::uint8_t> data_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t reduction_ = 1;
    bool cut_ = false;
    bool alpha_ = false;
    bool premultiplied_ = false;
    bool decoded_ = false;
    bool damaged_ = false;
    bool failed_ = false;
    bool planar_ = false;
    // The interleaved rows, or the red, green and blue planes.
    const std::uint8_t* planes_[3] = {};
    int strides_[3] = {};
    std::int32_t rows_ = 0;
    std::int32_t next_row_ = 0;
    std::vector<MetadataItem> metadata_;
    std::vector<std::uint32_t> no_palette_;
};

}  // namespace

std::unique_ptr<ImageDecoder> open_heif_decoder(FileHandle file) {
    auto decoder = std::make_unique<HeifDecoder>();
    if (!decoder->open(file)) return nullptr;
    return decoder;
}

}  // namespace lumivane
