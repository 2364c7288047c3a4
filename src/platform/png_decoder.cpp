#include "platform/png_decoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <png.h>

namespace lumivane {

namespace {

// The most libpng may take in one piece. Its own needs are a row or a chunk; a header
// or a chunk that claims gigabytes is refused before anything is read for it.
constexpr png_alloc_size_t max_allocation = 64 << 20;

png_voidp limited_malloc(png_structp, png_alloc_size_t size) {
    return size <= max_allocation ? std::malloc(size) : nullptr;
}
void plain_free(png_structp, png_voidp block) { std::free(block); }

// libpng reports fatal errors through a callback that must not return; it jumps back to
// the guarded call that was running. Warnings are dropped.
[[noreturn]] void error_exit(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignore_warning(png_structp, png_const_charp) {}

struct Reader {
    std::FILE* file = nullptr;
    bool data_ended = false;
};

// Reads through the stream and notes when the file ends before the picture does.
void read_data(png_structp png, png_bytep data, png_size_t length) {
    auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
    if (std::fread(data, 1, length, reader->file) != length) {
        reader->data_ended = true;
        png_error(png, "data ended");
    }
}

// A profile for a picture that gives its gamma and primaries in gAMA and cHRM. What one
// of them leaves out is taken from sRGB.
std::vector<std::uint8_t> built_profile(png_structp png, png_infop info) {
    double white_x = 0.3127, white_y = 0.3290, red_x = 0.64, red_y = 0.33, green_x = 0.30, green_y = 0.60,
           blue_x = 0.15, blue_y = 0.06;
    const bool chrm = png_get_cHRM(png, info, &white_x, &white_y, &red_x, &red_y, &green_x, &green_y, &blue_x,
                                   &blue_y) != 0;
    double gamma = 0.0;
    const bool gama = png_get_gAMA(png, info, &gamma) != 0 && gamma > 0.0;
    if (!chrm && !gama) return {};
    const double chromaticities[8] = {white_x, white_y, red_x, red_y, green_x, green_y, blue_x, blue_y};
    const double power[5] = {1.0 / gamma, 1.0, 0.0, 0.0, 0.0};
    return rgb_profile(chromaticities, gama ? power : srgb_curve);
}

// Everything libpng touches, in plain storage: a jump out of the library skips no
// destructor.
struct PngState {
    Reader reader;
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngState() {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        if (reader.file) std::fclose(reader.file);
    }
};

bool guarded_read_info(PngState* s, int& passes) {
    if (setjmp(png_jmpbuf(s->png))) return true;
    png_set_read_fn(s->png, &s->reader, read_data);
    png_read_info(s->png, s->info);
    // Every colour type ends as 8-bit grey or BGR samples, each with or without alpha.
    png_set_palette_to_rgb(s->png);
    png_set_tRNS_to_alpha(s->png);
    png_set_expand_gray_1_2_4_to_8(s->png);
    png_set_scale_16(s->png);
    png_set_bgr(s->png);
    passes = png_set_interlace_handling(s->png);
    png_read_update_info(s->png, s->info);
    return false;
}

bool guarded_read_row(PngState* s, png_bytep row) {
    if (setjmp(png_jmpbuf(s->png))) return true;
    png_read_row(s->png, row, nullptr);
    return false;
}

bool guarded_read_image(PngState* s, png_bytepp rows) {
    if (setjmp(png_jmpbuf(s->png))) return true;
    png_read_image(s->png, rows);
    return false;
}

class PngDecoder final : public ImageDecoder {
public:
    explicit PngDecoder(std::unique_ptr<PngState> state) : state_(std::move(state)) {}

    bool open() {
        png_structp png = state_->png;
        png_infop info = state_->info;
        if (guarded_read_info(state_.get(), passes_)) return false;
        width_ = static_cast<std::int32_t>(png_get_image_width(png, info));
        height_ = static_cast<std::int32_t>(png_get_image_height(png, info));
        channels_ = png_get_channels(png, info);
        if (width_ <= 0 || height_ <= 0 || png_get_bit_depth(png, info) != 8) return false;
        layout_ = channels_ <= 2 ? PixelLayout::Gray8 : PixelLayout::BGR24;
        source_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(channels_));
        png_uint_32 x = 0, y = 0;
        int unit = 0;
        if (png_get_pHYs(png, info, &x, &y, &unit) && unit == PNG_RESOLUTION_METER && x > 0) resolution_ = x * 0.0254;
        png_charp name = nullptr;
        png_bytep icc = nullptr;
        png_uint_32 icc_length = 0;
        int compression = 0, intent = 0;
        std::vector<std::uint8_t> profile;
        if (png_get_iCCP(png, info, &name, &compression, &icc, &icc_length) && icc_length > 0) {
            profile.assign(icc, icc + icc_length);
        } else if (!png_get_sRGB(png, info, &intent)) {
            profile = built_profile(png, info);
        }
        if (!profile.empty()) metadata_.push_back({MetadataBlock::Ifd0, icc_profile_tag, 0, std::move(profile)});
        return true;
    }

    ContainerFormat container() const override { return ContainerFormat::Png; }
    std::int32_t width() const override { return width_; }
    std::int32_t height() const override { return height_; }
    double resolution() const override { return resolution_; }
    PixelLayout layout() const override { return layout_; }
    const std::vector<std::uint32_t>& palette() const override { return no_palette_; }

    bool read_row(std::uint8_t* row) override {
        if (ended_) return false;
        const std::uint8_t* source = source_.data();
        if (passes_ > 1) {
            // An interlaced picture is complete only after its last pass.
            if (whole_.empty() && read_whole()) return false;
            source = whole_.data() + static_cast<std::size_t>(next_row_) * source_.size();
        } else if (guarded_read_row(state_.get(), source_.data())) {
            stop();
            return false;
        }
        lay_on_black(source, row);
        if (++next_row_ == height_) ended_ = true;
        return true;
    }

    bool rows_ended() const override { return ended_; }
    bool damaged() const override { return damaged_; }
    bool failed() const override { return failed_; }
    std::uint64_t working_bytes() const override {
        const std::uint64_t row = source_.size();
        return passes_ > 1 ? row * static_cast<std::uint64_t>(height_) : row;
    }
    std::vector<MetadataItem> metadata() const override { return metadata_; }

private:
    bool read_whole() {
        whole_.resize(source_.size() * static_cast<std::size_t>(height_));
        std::vector<png_bytep> rows(static_cast<std::size_t>(height_));
        for (std::size_t r = 0; r < rows.size(); ++r) rows[r] = whole_.data() + r * source_.size();
        if (!guarded_read_image(state_.get(), rows.data())) return false;
        stop();
        return true;
    }

    // The data ended, or held an error no later row can get past.
    void stop() {
        ended_ = true;
        damaged_ = true;
        failed_ = !state_->reader.data_ended;
    }

    // Grey or BGR samples, alpha multiplied in.
    void lay_on_black(const std::uint8_t* from, std::uint8_t* to) const {
        const int colours = channels_ <= 2 ? 1 : 3;
        if (channels_ == colours) {
            std::copy(from, from + source_.size(), to);
        } else {
            alpha_on_black(from, to, width_, colours);
        }
    }

    std::unique_ptr<PngState> state_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    int channels_ = 0;
    int passes_ = 1;
    std::int32_t next_row_ = 0;
    PixelLayout layout_ = PixelLayout::BGR24;
    double resolution_ = 96.0;
    bool ended_ = false;
    bool damaged_ = false;
    bool failed_ = false;
    std::vector<std::uint8_t> source_;
    std::vector<std::uint8_t> whole_;
    std::vector<MetadataItem> metadata_;
    std::vector<std::uint32_t> no_palette_;
};

}  // namespace

std::unique_ptr<ImageDecoder> open_png_decoder(FileHandle file) {
    auto state = std::make_unique<PngState>();
    state->reader.file = ::fdopen(file.descriptor(), "rb");
    if (!state->reader.file) return nullptr;
    file.release();  // closed with the stream from now on
    state->png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, error_exit, ignore_warning, nullptr,
                                          limited_malloc, plain_free);
    if (!state->png) return nullptr;
    state->info = png_create_info_struct(state->png);
    if (!state->info) return nullptr;
    auto decoder = std::make_unique<PngDecoder>(std::move(state));
    if (!decoder->open()) return nullptr;
    return decoder;
}

}  // namespace lumivane
