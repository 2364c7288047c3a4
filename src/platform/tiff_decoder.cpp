#include "platform/tiff_decoder.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <new>

#include <tiffio.h>

#include "platform/sample_table.h"

namespace lumivane {

namespace {

// The library's messages never reach the user. Its errors are counted, because some
// of them (a strip cut short, say) do not fail the call that met them.
int count_error(TIFF*, void* errors, const char*, const char*, va_list) {
    ++*static_cast<int*>(errors);
    return 1;
}
int quiet(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

TiffHandle open_quietly(FileHandle& file, const std::string& path, int* errors) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) return nullptr;
    TIFFOpenOptionsSetErrorHandlerExtR(options, count_error, errors);
    TIFFOpenOptionsSetWarningHandlerExtR(options, quiet, nullptr);
    // No single buffer the library makes for a hostile header may exceed this.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t{1} << 30);
    TiffHandle tiff(TIFFFdOpenExt(file.descriptor(), path.c_str(), "r", options));
    TIFFOpenOptionsFree(options);
    if (tiff) file.release();  // closed with the library's handle from now on
    return tiff;
}

template <typename T>
T field_or(TIFF* tiff, ttag_t tag, T fallback) {
    T value{};
    return TIFFGetField(tiff, tag, &value) ? value : fallback;
}

// The layout a strip picture can be delivered in as it is, if any.
bool direct_layout(TIFF* tiff, PixelLayout& layout) {
    if (TIFFIsTiled(tiff)) return false;
    const auto planar = field_or<std::uint16_t>(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    if (planar != PLANARCONFIG_CONTIG) return false;
    const auto photometric = field_or<std::uint16_t>(tiff, TIFFTAG_PHOTOMETRIC, 0xFFFF);
    const auto bits = field_or<std::uint16_t>(tiff, TIFFTAG_BITSPERSAMPLE, 1);
    const auto samples = field_or<std::uint16_t>(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    const auto format = field_or<std::uint16_t>(tiff, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_UINT);
    if (format != SAMPLEFORMAT_UINT) return false;

    bool premultiplied = false;
    std::uint16_t extra_count = 0;
    std::uint16_t* extra = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extra_count, &extra) && extra_count > 0 && extra) {
        premultiplied = extra[0] == EXTRASAMPLE_ASSOCALPHA;
    }
    if (photometric == PHOTOMETRIC_MINISBLACK && samples == 1) {
        if (bits == 8) layout = PixelLayout::Gray8;
        else if (bits == 1) layout = PixelLayout::BlackWhite;
        else if (bits == 16) layout = PixelLayout::Gray16;
        else return false;
        return true;
    }
    if (photometric == PHOTOMETRIC_PALETTE && samples == 1 && bits == 8) {
        layout = PixelLayout::Indexed8;
        return true;
    }
    if (photometric == PHOTOMETRIC_RGB && (bits == 8 || bits == 16)) {
        if (samples == 3) {
            layout = bits == 8 ? PixelLayout::RGB24 : PixelLayout::RGB48;
        } else if (samples == 4) {
            layout = bits == 8 ? (premultiplied ? PixelLayout::PRGBA32 : PixelLayout::RGBA32)
                               : (premultiplied ? PixelLayout::PRGBA64 : PixelLayout::RGBA64);
        } else {
            return false;
        }
        return true;
    }
    return false;
}

// The conversion multiplies colours by an unassociated (not premultiplied) alpha.
// Alpha is dropped here and the colours kept, so the picture is described to the
// library as premultiplied, whose colours it takes as they are.
void keep_unassociated_colours(TIFF* tiff) {
    std::uint16_t count = 0;
    std::uint16_t* extra = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &count, &extra) || count == 0 || !extra) return;
    if (extra[0] != EXTRASAMPLE_UNASSALPHA) return;
    std::vector<std::uint16_t> kinds(extra, extra + count);
    kinds[0] = EXTRASAMPLE_ASSOCALPHA;
    TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, count, kinds.data());
}

// Grey levels, or a palette of grey levels only.
bool is_grey(TIFF* tiff) {
    const auto photometric = field_or<std::uint16_t>(tiff, TIFFTAG_PHOTOMETRIC, 0xFFFF);
    if (photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK) return true;
    if (photometric != PHOTOMETRIC_PALETTE) return false;
    const auto bits = field_or<std::uint16_t>(tiff, TIFFTAG_BITSPERSAMPLE, 1);
    std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (bits > 16 || !TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue) || !red || !green || !blue) return false;
    for (std::uint32_t i = 0; i < (1u << bits); ++i) {
        if (red[i] != green[i] || green[i] != blue[i]) return false;
    }
    return true;
}

// A reduced-resolution image of the first one: a later directory of the chain, or one
// of its SubIFDs, marked as such (NewSubfileType bit 0). The file names as many as it
// likes; only the first few are looked at.
constexpr tdir_t most_reduced_images = 16;

struct ReducedImage {
    tdir_t directory = 0;  // in the chain, when sub_ifd is 0
    toff_t sub_ifd = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// Whether the current directory is a reduced image of a width x height picture, no more
// than denominator times smaller and of its proportions (within a pixel of its own).
bool reduced_image_of(TIFF* tiff, std::uint32_t width, std::uint32_t height, std::int32_t denominator,
                      ReducedImage& image) {
    const auto kind = field_or<std::uint32_t>(tiff, TIFFTAG_SUBFILETYPE, 0);
    image.width = field_or<std::uint32_t>(tiff, TIFFTAG_IMAGEWIDTH, 0);
    image.height = field_or<std::uint32_t>(tiff, TIFFTAG_IMAGELENGTH, 0);
    const std::uint64_t w = image.width, h = image.height, d = static_cast<std::uint64_t>(denominator);
    const std::uint64_t skew = w * height > h * width ? w * height - h * width : h * width - w * height;
    return (kind & FILETYPE_REDUCEDIMAGE) != 0 && w > 0 && h > 0 && w < width && w * d >= width &&
           h * d >= height && skew <= std::max(width, height);
}

// Rows that come through the library's RGBA conversion are made a band at a time, of
// whole strips or tiles where they are not too large.
constexpr std::uint64_t band_bytes = std::uint64_t{64} << 20;

class TiffDecoder : public ImageDecoder {
public:
    TiffDecoder(TiffHandle tiff, std::unique_ptr<int> errors)
        : tiff_(std::move(tiff)), errors_(std::move(errors)) {}
    ~TiffDecoder() override {
        if (rgba_started_) TIFFRGBAImageEnd(&rgba_);
    }

    bool open() {
        TIFF* tiff = tiff_.get();
        width_ = field_or<std::uint32_t>(tiff, TIFFTAG_IMAGEWIDTH, 0);
        height_ = field_or<std::uint32_t>(tiff, TIFFTAG_IMAGELENGTH, 0);
        if (width_ == 0 || height_ == 0 || width_ > 0x7FFFFFFF || height_ > 0x7FFFFFFF) return false;
        resolution_ = read_resolution();
        read_metadata();
        return begin_rows();
    }

    // The smallest reduced image that still has the detail asked for, when the file holds
    // one; the first image's resolution, orientation and profile stay those of the picture.
    std::int32_t reduce(std::int32_t denominator) override {
        if (next_row_ > 0 || reduction_ > 1 || denominator < 2) return reduction_;
        TIFF* tiff = tiff_.get();
        const std::uint32_t width = width_, height = height_;
        std::vector<toff_t> sub_ifds;
        std::uint16_t count = 0;
        toff_t* offsets = nullptr;
        if (TIFFGetField(tiff, TIFFTAG_SUBIFD, &count, &offsets) && offsets) {
            sub_ifds.assign(offsets, offsets + std::min<std::uint16_t>(count, most_reduced_images));
        }
        const tdir_t directories = std::min<tdir_t>(TIFFNumberOfDirectories(tiff), most_reduced_images + 1);
        if (sub_ifds.empty() && directories <= 1) return 1;
        end_rows();
        ReducedImage best, candidate;
        const auto consider = [&] {
            if (reduced_image_of(tiff, width, height, denominator, candidate) &&
                (best.width == 0 || candidate.width < best.width)) {
                best = candidate;
            }
        };
        for (const toff_t offset : sub_ifds) {
            candidate = {0, offset};
            if (TIFFSetSubDirectory(tiff, offset)) consider();
        }
        for (tdir_t n = 1; n < directories && TIFFSetDirectory(tiff, n); ++n) {
            candidate = {n, 0};
            consider();
        }
        const bool found = best.width > 0 && (best.sub_ifd ? TIFFSetSubDirectory(tiff, best.sub_ifd)
                                                           : TIFFSetDirectory(tiff, best.directory));
        if (found) {
            width_ = best.width;
            height_ = best.height;
            if (begin_rows()) {
                reduction_ = 1;
                while (std::uint64_t{width_} * reduction_ < width || std::uint64_t{height_} * reduction_ < height) {
                    reduction_ *= 2;
                }
                return reduction_;
            }
            end_rows();
        }
        // The first image after all: it opened before, so it opens again.
        width_ = width;
        height_ = height;
        if (!TIFFSetDirectory(tiff, 0) || !begin_rows()) failed_ = true;
        return 1;
    }

    ContainerFormat container() const override { return ContainerFormat::Tiff; }
    std::int32_t width() const override { return static_cast<std::int32_t>(width_); }
    std::int32_t height() const override { return static_cast<std::int32_t>(height_); }
    double resolution() const override { return resolution_; }
    PixelLayout layout() const override { return layout_; }
    const std::vector<std::uint32_t>& palette() const override { return palette_; }

    bool read_row(std::uint8_t* row) override {
        if (failed_ || next_row_ >= height_) return false;
        const std::uint32_t r = next_row_++;
        const int errors_before = *errors_;
        bool read = false;
        if (make_buffers()) {
            if (rgba_started_) {
                read = read_rgba_row(r, row);
            } else if (TIFFReadScanline(tiff_.get(), scanline_.data(), r, 0) == 1 && *errors_ == errors_before) {
                // Read aside first: a row the library fails on halfway stays as it was.
                std::memcpy(row, scanline_.data(), scanline_.size());
                read = true;
            }
        }
        damaged_ |= !read || *errors_ != errors_before;
        return read;
    }

    // A strip or tile that cannot be read leaves its rows out; later ones may be whole.
    bool rows_ended() const override { return failed_ || next_row_ >= height_; }
    bool damaged() const override { return damaged_; }
    bool failed() const override { return failed_; }
    std::uint64_t working_bytes() const override {
        return std::uint64_t{band_rows_} * width_ * sizeof(std::uint32_t) + scanline_bytes_;
    }

    std::vector<MetadataItem> metadata() const override { return metadata_; }

private:
    // The layout of the current directory's rows, and what reading them takes.
    bool begin_rows() {
        TIFF* tiff = tiff_.get();
        if (direct_layout(tiff, layout_)) {
            if (layout_ == PixelLayout::Indexed8 && !read_palette()) return false;
            // The library's own rows must fit the row our layout describes.
            scanline_bytes_ = static_cast<std::uint64_t>(TIFFScanlineSize64(tiff));
            return scanline_bytes_ > 0 && scanline_bytes_ <= layout_row_bytes(layout_, width());
        }
        return begin_rgba();
    }

    void end_rows() {
        if (rgba_started_) TIFFRGBAImageEnd(&rgba_);
        rgba_started_ = false;
        palette_.clear();
        scanline_bytes_ = 0;
        band_rows_ = 0;
    }

    double read_resolution() {
        float x = 0.0f;
        if (!TIFFGetField(tiff_.get(), TIFFTAG_XRESOLUTION, &x) || !(x > 0.0f)) return 96.0;
        const auto unit = field_or<std::uint16_t>(tiff_.get(), TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        return unit == RESUNIT_CENTIMETER ? x * 2.54 : x;
    }

    // Tags 274 and 34675 of the first directory. The EXIF and GPS directories of a TIFF
    // hold neither in practice, and reading them would move the library off the picture.
    void read_metadata() {
        std::uint16_t orientation = 0;
        if (TIFFGetField(tiff_.get(), TIFFTAG_ORIENTATION, &orientation)) {
            metadata_.push_back({MetadataBlock::Ifd0, orientation_tag, orientation, {}});
        }
        std::uint32_t count = 0;
        void* data = nullptr;
        if (TIFFGetField(tiff_.get(), TIFFTAG_ICCPROFILE, &count, &data) && data && count > 0) {
            const auto* bytes = static_cast<const std::uint8_t*>(data);
            metadata_.push_back({MetadataBlock::Ifd0, icc_profile_tag, 0, std::vector<std::uint8_t>(bytes, bytes + count)});
        }
    }

    bool read_palette() {
        std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
        if (!TIFFGetField(tiff_.get(), TIFFTAG_COLORMAP, &red, &green, &blue) || !red || !green || !blue) return false;
        palette_.resize(256);
        for (std::size_t i = 0; i < 256; ++i) {
            palette_[i] = 0xFF000000u | (static_cast<std::uint32_t>(table_16_to_8[red[i]]) << 16) |
                          (static_cast<std::uint32_t>(table_16_to_8[green[i]]) << 8) | table_16_to_8[blue[i]];
        }
        return true;
    }

    // Any other picture comes through the library's RGBA conversion, in the order it is
    // stored: the orientation tag is applied by the loader, not here. Grey pictures
    // come as grey rows, so that the loader knows them for grey.
    bool begin_rgba() {
        char message[1024] = {};
        if (!TIFFRGBAImageOK(tiff_.get(), message)) return false;
        keep_unassociated_colours(tiff_.get());
        if (!TIFFRGBAImageBegin(&rgba_, tiff_.get(), 0, message)) return false;
        rgba_started_ = true;
        rgba_.req_orientation = rgba_.orientation;
        TIFF* tiff = tiff_.get();
        const std::uint32_t unit = TIFFIsTiled(tiff) ? field_or<std::uint32_t>(tiff, TIFFTAG_TILELENGTH, 1)
                                                      : field_or<std::uint32_t>(tiff, TIFFTAG_ROWSPERSTRIP, height_);
        // Bands cut inside a strip keep whole groups of subsampled rows.
        const std::uint64_t most = std::max<std::uint64_t>(16, band_bytes / (std::uint64_t{width_} * 4) / 16 * 16);
        band_rows_ =
            static_cast<std::uint32_t>(std::clamp<std::uint64_t>(unit, 1, std::min<std::uint64_t>(most, height_)));
        // Packed as 0xAABBGGRR, that is bytes red, green, blue, alpha.
        layout_ = is_grey(tiff_.get()) ? PixelLayout::Gray8 : PixelLayout::RGBA32;
        return true;
    }

    // The row buffers, made when the first row is read: only then has the loader seen
    // that the picture fits.
    bool make_buffers() {
        try {
            if (rgba_started_ && band_.empty()) band_.resize(std::size_t{band_rows_} * width_);
            if (!rgba_started_ && scanline_.empty()) scanline_.resize(scanline_bytes_);
            return true;
        } catch (const std::bad_alloc&) {
            return false;
        }
    }

    bool read_rgba_row(std::uint32_t r, std::uint8_t* row) {
        if (r < band_first_ || r >= band_first_ + band_held_) {
            band_first_ = r;
            band_held_ = std::min(band_rows_, height_ - r);
            rgba_.row_offset = static_cast<int>(r);
            band_read_ = TIFFRGBAImageGet(&rgba_, band_.data(), width_, band_held_) != 0;
        }
        if (!band_read_) return false;
        const std::uint32_t* pixels = band_.data() + static_cast<std::size_t>(r - band_first_) * width_;
        if (layout_ == PixelLayout::Gray8) {
            for (std::uint32_t x = 0; x < width_; ++x) row[x] = static_cast<std::uint8_t>(pixels[x]);  // red
        } else {
            std::memcpy(row, pixels, static_cast<std::size_t>(width_) * 4);
        }
        return true;
    }

    TiffHandle tiff_;
    std::unique_ptr<int> errors_;  // the library's errors, counted by its handler
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::uint32_t next_row_ = 0;
    bool damaged_ = false;
    bool failed_ = false;
    std::int32_t reduction_ = 1;
    double resolution_ = 96.0;
    PixelLayout layout_ = PixelLayout::Gray8;
    std::vector<std::uint32_t> palette_;
    std::uint64_t scanline_bytes_ = 0;
    std::vector<std::uint8_t> scanline_;
    TIFFRGBAImage rgba_{};
    bool rgba_started_ = false;
    std::uint32_t band_rows_ = 0;
    std::uint32_t band_first_ = 0;
    std::uint32_t band_held_ = 0;
    bool band_read_ = false;
    std::vector<std::uint32_t> band_;
    std::vector<MetadataItem> metadata_;
};

}  // namespace

std::unique_ptr<ImageDecoder> open_tiff_decoder(FileHandle file, const std::string& native_path) {
    auto errors = std::make_unique<int>(0);
    TiffHandle tiff = open_quietly(file, native_path, errors.get());
    if (!tiff) return nullptr;
    auto decoder = std::make_unique<TiffDecoder>(std::move(tiff), std::move(errors));
    if (!decoder->open()) return nullptr;
    return decoder;
}

}  // namespace lumivane
