#include "platform/jxl_decoder.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <jxl/decode.h>
#include <jxl/thread_parallel_runner.h>

namespace lumivane {

namespace {

class JxlDecoder final : public ImageDecoder {
public:
    JxlDecoder() : decoder_(JxlDecoderCreate(nullptr)) {}
    ~JxlDecoder() override {
        if (decoder_) JxlDecoderDestroy(decoder_);
        if (runner_) JxlThreadParallelRunnerDestroy(runner_);
    }
    JxlDecoder(const JxlDecoder&) = delete;
    JxlDecoder& operator=(const JxlDecoder&) = delete;

    // Reads the header up to the colour encoding.
    bool open(FileHandle& file) {
        if (!decoder_ || read_rest_of_file(file, data_)) return false;
        runner_ = JxlThreadParallelRunnerCreate(nullptr, JxlThreadParallelRunnerDefaultNumWorkerThreads());
        if (!runner_ || JxlDecoderSetParallelRunner(decoder_, JxlThreadParallelRunner, runner_) != JXL_DEC_SUCCESS ||
            JxlDecoderSubscribeEvents(decoder_, JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE) !=
                JXL_DEC_SUCCESS ||
            JxlDecoderSetKeepOrientation(decoder_, JXL_TRUE) != JXL_DEC_SUCCESS ||
            JxlDecoderSetInput(decoder_, data_.data(), data_.size()) != JXL_DEC_SUCCESS) {
            return false;
        }
        JxlBasicInfo info;
        if (JxlDecoderProcessInput(decoder_) != JXL_DEC_BASIC_INFO ||
            JxlDecoderGetBasicInfo(decoder_, &info) != JXL_DEC_SUCCESS || info.xsize == 0 || info.ysize == 0 ||
            info.xsize > 0x7FFFFFFF || info.ysize > 0x7FFFFFFF) {
            return false;
        }
        width_ = static_cast<std::int32_t>(info.xsize);
        height_ = static_cast<std::int32_t>(info.ysize);
        colours_ = info.num_color_channels == 1 ? 1 : 3;
        const bool alpha = info.alpha_bits > 0;
        format_ = {static_cast<std::uint32_t>(colours_ + (alpha ? 1 : 0)), JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
        metadata_.push_back({MetadataBlock::Ifd0, orientation_tag, static_cast<std::uint16_t>(info.orientation), {}});
        if (JxlDecoderProcessInput(decoder_) != JXL_DEC_COLOR_ENCODING) return false;
        std::size_t size = 0;
        if (JxlDecoderGetICCProfileSize(decoder_, &format_, JXL_COLOR_PROFILE_TARGET_DATA, &size) == JXL_DEC_SUCCESS &&
            size > 0) {
            std::vector<std::uint8_t> profile(size);
            if (JxlDecoderGetColorAsICCProfile(decoder_, &format_, JXL_COLOR_PROFILE_TARGET_DATA, profile.data(),
                                               size) == JXL_DEC_SUCCESS) {
                metadata_.push_back({MetadataBlock::Ifd0, icc_profile_tag, 0, std::move(profile)});
            }
        }
        return true;
    }

    ContainerFormat container() const override { return ContainerFormat::JpegXl; }
    std::int32_t width() const override { return width_; }
    std::int32_t height() const override { return height_; }
    double resolution() const override { return 96.0; }
    // Opaque colour rows are turned to blue, green, red order as they are copied out,
    // which spares the loader a pass over the picture.
    PixelLayout layout() const override {
        if (colours_ == 1) return PixelLayout::Gray8;
        return static_cast<int>(format_.num_channels) == colours_ ? PixelLayout::BGR24 : PixelLayout::RGB24;
    }
    const std::vector<std::uint32_t>& palette() const override { return no_palette_; }

    bool read_row(std::uint8_t* row) override {
        if (!decoded_) decode();
        if (next_row_ >= rows_) return false;
        const std::size_t source_bytes = static_cast<std::size_t>(width_) * format_.num_channels;
        const std::uint8_t* from = pixels_.get() + static_cast<std::size_t>(next_row_) * source_bytes;
        if (layout() == PixelLayout::BGR24) {
            rgb_to_bgr(from, row, width_);
        } else if (static_cast<int>(format_.num_channels) == colours_) {
            std::memcpy(row, from, source_bytes);
        } else {
            alpha_on_black(from, row, width_, colours_);
        }
        ++next_row_;
        return true;
    }

    bool rows_ended() const override { return decoded_ && next_row_ >= rows_; }
    bool damaged() const override { return damaged_; }
    bool failed() const override { return failed_; }
    std::uint64_t working_bytes() const override { return data_.size() + pixel_bytes(); }
    std::vector<MetadataItem> metadata() const override { return metadata_; }

private:
    std::uint64_t pixel_bytes() const {
        return static_cast<std::uint64_t>(width_) * static_cast<std::uint64_t>(height_) * format_.num_channels;
    }

    // The whole picture at once. Data that ends early leaves the library waiting for
    // more: what it has rendered by then is the picture.
    void decode() {
        decoded_ = true;
        for (;;) {
            const JxlDecoderStatus status = JxlDecoderProcessInput(decoder_);
            if (status == JXL_DEC_NEED_IMAGE_OUT_BUFFER) {
                std::size_t size = 0;
                if (JxlDecoderImageOutBufferSize(decoder_, &format_, &size) != JXL_DEC_SUCCESS ||
                    size != pixel_bytes()) {
                    break;
                }
                // The system's new pages read as zero: a large picture's pages are zeroed
                // once, as the library first writes them, not a second time beforehand.
                pixels_.reset(static_cast<std::uint8_t*>(std::calloc(size, 1)));
                if (!pixels_ || JxlDecoderSetImageOutBuffer(decoder_, &format_, pixels_.get(), size) != JXL_DEC_SUCCESS) {
                    break;
                }
            } else if (status == JXL_DEC_FULL_IMAGE || status == JXL_DEC_SUCCESS) {
                rows_ = height_;
                return;
            } else if (status == JXL_DEC_NEED_MORE_INPUT) {
                damaged_ = true;
                if (pixels_ && JxlDecoderFlushImage(decoder_) == JXL_DEC_SUCCESS) rows_ = height_;
                return;
            } else {
                break;
            }
        }
        damaged_ = failed_ = true;
    }

    ::JxlDecoder* decoder_;
    void* runner_ = nullptr;
    std::vector<std::uint8_t> data_;
    JxlPixelFormat format_{};
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    int colours_ = 3;
    bool decoded_ = false;
    bool damaged_ = false;
    bool failed_ = false;
    std::int32_t rows_ = 0;
    std::int32_t next_row_ = 0;
    struct Free {
        void operator()(std::uint8_t* pixels) const { std::free(pixels); }
    };
    std::unique_ptr<std::uint8_t, Free> pixels_;
    std::vector<MetadataItem> metadata_;
    std::vector<std::uint32_t> no_palette_;
};

}  // namespace

std::unique_ptr<ImageDecoder> open_jxl_decoder(FileHandle file) {
    auto decoder = std::make_unique<JxlDecoder>();
    if (!decoder->open(file)) return nullptr;
    return decoder;
}

}  // namespace lumivane
