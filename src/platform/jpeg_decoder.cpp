#include "platform/jpeg_decoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>
#include <libexif/exif-data.h>

namespace lumivane {

namespace {

// libjpeg reports fatal errors through a callback that must not return. It jumps back
// to the guarded call that was running. Warnings that mean picture data was lost are
// noted; other warnings and traces are dropped.
struct ErrorManager {
    jpeg_error_mgr library;
    std::jmp_buf jump;
    bool damaged = false;
    // A scan's data ended early: at the end of the file, or at a marker that starts
    // something else.
    bool data_ended = false;
    // The first output row that no data of the file reached, when the first scan ended early.
    JDIMENSION data_end_row = ~JDIMENSION{0};
};

// The lowest marker code the format uses (SOF0); codes below it are damage.
constexpr int first_format_marker = 0xC0;

// A progressive file can hold any number of scans, each a pass over the whole picture;
// real files have a dozen or so.
constexpr int max_scans = 1000;

bool is_restart_marker(int marker) { return marker >= JPEG_RST0 && marker <= JPEG_RST0 + 7; }

[[noreturn]] void error_exit(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }

void emit_message(j_common_ptr info, int level) {
    if (level >= 0) return;  // a trace, not a warning
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    const int code = info->err->msg_code;
    // A marker met inside a scan's data ends the scan just as the end of the file does,
    // unless the library picks up again from it: a restart marker, or, in a scan with
    // restart markers, a damaged byte pair that is no marker of the format at all, from
    // which the library skips to the next restart marker.
    const int marker = decompress->unread_marker;
    const bool skipped = decompress->restart_interval > 0 && marker < first_format_marker;
    if (code == JWRN_JPEG_EOF || (code == JWRN_HIT_MARKER && !is_restart_marker(marker) && !skipped)) {
        errors->damaged = true;
        errors->data_ended = true;
        // The library goes on as if the rest of the data were zeros, which shows as a
        // grey smear. Ending in the first scan leaves the iMCU rows below the last one
        // completed without any data; a later scan only refines what the first gave.
        if (decompress->input_scan_number <= 1) {
            const auto rows_per_imcu =
                static_cast<JDIMENSION>(decompress->max_v_samp_factor * decompress->min_DCT_scaled_size);
            errors->data_end_row = std::min(errors->data_end_row, decompress->input_iMCU_row * rows_per_imcu);
        }
        return;
    }
    // Bytes skipped to reach a restart marker are data the picture lost.
    if (code == JWRN_EXTRANEOUS_DATA && is_restart_marker(info->err->msg_parm.i[1])) errors->damaged = true;
    switch (code) {
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE: errors->damaged = true; break;
    default: break;
    }
}

void output_message(j_common_ptr) {}

// Everything libjpeg touches, in plain storage: a jump out of the library skips no
// destructor.
struct JpegState {
    std::FILE* file = nullptr;
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    bool created = false;
};

// Each call into the library has its own jump point and reports a fatal error as true.
bool guarded_create(JpegState* s) {
    s->info.err = jpeg_std_error(&s->errors.library);
    s->errors.library.error_exit = error_exit;
    s->errors.library.emit_message = emit_message;
    s->errors.library.output_message = output_message;
    if (setjmp(s->errors.jump)) return true;
    jpeg_create_decompress(&s->info);
    s->created = true;
    jpeg_stdio_src(&s->info, s->file);
    jpeg_save_markers(&s->info, JPEG_APP0 + 1, 0xFFFF);
    return false;
}

bool guarded_read_header(JpegState* s, bool& multiple_scans) {
    if (setjmp(s->errors.jump)) return true;
    if (jpeg_read_header(&s->info, TRUE) != JPEG_HEADER_OK) return true;
    multiple_scans = jpeg_has_multiple_scans(&s->info);
    return false;
}

bool guarded_output_size(JpegState* s) {
    if (setjmp(s->errors.jump)) return true;
    jpeg_calc_output_dimensions(&s->info);
    return false;
}

// A file of several scans is taken in scan by scan until its end, or until a scan's
// data ends early: what follows that point in a damaged file is no picture, and a
// header that claims far more than the file holds is found out at its first scan.
// The picture then shows every scan taken in.
bool guarded_start(JpegState* s, bool multiple_scans) {
    if (setjmp(s->errors.jump)) return true;
    s->info.buffered_image = multiple_scans;
    if (!jpeg_start_decompress(&s->info)) return true;
    if (!multiple_scans) return false;
    for (;;) {
        const int status = jpeg_consume_input(&s->info);
        if (status == JPEG_REACHED_EOI || status == JPEG_SUSPENDED || s->errors.data_ended) break;
        if (s->info.input_scan_number > max_scans) return true;
    }
    return !jpeg_start_output(&s->info, s->info.input_scan_number);
}

bool guarded_read_row(JpegState* s, std::uint8_t* row) {
    if (setjmp(s->errors.jump)) return true;
    JSAMPROW rows[1] = {row};
    return jpeg_read_scanlines(&s->info, rows, 1) != 1;
}

bool is_exif(const jpeg_marker_struct* marker) {
    return marker->marker == JPEG_APP0 + 1 && marker->data_length >= 6 &&
           std::memcmp(marker->data, "Exif\0\0", 6) == 0;
}

struct ExifDeleter {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};
using ExifHandle = std::unique_ptr<ExifData, ExifDeleter>;

// The EXIF data as the file holds it: no tags dropped as unknown, none added or moved.
ExifHandle load_exif(const jpeg_marker_struct* marker) {
    ExifHandle exif(exif_data_new());
    if (!exif) return nullptr;
    exif_data_unset_option(exif.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
    exif_data_unset_option(exif.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(exif.get(), marker->data, marker->data_length);
    return exif;
}

double rational(const ExifEntry* entry, ExifByteOrder order) {
    if (entry->format != EXIF_FORMAT_RATIONAL || entry->components < 1 || entry->size < 8) return 0.0;
    const ExifRational r = exif_get_rational(entry->data, order);
    return r.denominator == 0 ? 0.0 : static_cast<double>(r.numerator) / r.denominator;
}

class JpegDecoder : public ImageDecoder {
public:
    explicit JpegDecoder(std::unique_ptr<JpegState> state) : state_(std::move(state)) {}
    ~JpegDecoder() override {
        if (state_->created) jpeg_destroy_decompress(&state_->info);
        if (state_->file) std::fclose(state_->file);
    }

    // Reads everything up to the first scan; the decompression starts with the first row.
    bool open() {
        JpegState* s = state_.get();
        if (guarded_read_header(s, multiple_scans_)) return false;
        switch (s->info.jpeg_color_space) {
        case JCS_GRAYSCALE:
            s->info.out_color_space = JCS_GRAYSCALE;
            layout_ = PixelLayout::Gray8;
            break;
        case JCS_YCbCr:
        case JCS_RGB:
            s->info.out_color_space = JCS_EXT_BGR;
            layout_ = PixelLayout::BGR24;
            break;
        default:
            return false;  // CMYK and the like have no layout here
        }
        if (guarded_output_size(s)) return false;
        if (s->info.output_width == 0 || s->info.output_height == 0) return false;
        read_exif();
        resolution_ = jfif_resolution();
        return true;
    }

    ContainerFormat container() const override { return ContainerFormat::Jpeg; }
    std::int32_t width() const override { return static_cast<std::int32_t>(state_->info.output_width); }
    std::int32_t height() const override { return static_cast<std::int32_t>(state_->info.output_height); }
    double resolution() const override { return resolution_; }
    PixelLayout layout() const override { return layout_; }
    const std::vector<std::uint32_t>& palette() const override { return no_palette_; }

    bool read_row(std::uint8_t* row) override {
        JpegState* s = state_.get();
        if (!started_) {
            started_ = true;
            failed_ = guarded_start(s, multiple_scans_);
        }
        const JDIMENSION line = s->info.output_scanline;
        if (failed_ || ended_ || line >= std::min(s->info.output_height, s->errors.data_end_row)) {
            ended_ = true;
            return false;
        }
        // After a fatal error the decompressor is in no state to go on. A row the data
        // did not reach is no part of the picture; it was written all the same.
        failed_ = guarded_read_row(s, row);
        ended_ = failed_ || line >= s->errors.data_end_row;
        if (ended_) std::memset(row, 0, row_bytes());
        return !ended_;
    }

    bool rows_ended() const override { return ended_; }
    bool damaged() const override {
        return state_->errors.damaged || (ended_ && state_->info.output_scanline < state_->info.output_height);
    }
    bool failed() const override { return failed_; }

    std::uint64_t working_bytes() const override {
        const jpeg_decompress_struct& info = state_->info;
        // A few rows of every component for the colour conversion and upsampling; a file
        // of several scans keeps all its coefficients, 128 bytes a block.
        std::uint64_t bytes = std::uint64_t{info.output_width} * 64 * static_cast<std::uint64_t>(info.num_components);
        for (int c = 0; multiple_scans_ && c < info.num_components; ++c) {
            bytes += std::uint64_t{info.comp_info[c].width_in_blocks} * info.comp_info[c].height_in_blocks * sizeof(JBLOCK);
        }
        return bytes;
    }

    std::vector<MetadataItem> metadata() const override { return metadata_; }

    // libjpeg-turbo scales while it decodes (1/2, 1/4, 1/8 of the DCT blocks), which
    // costs a fraction of the full decode.
    std::int32_t reduce(std::int32_t denominator) override {
        JpegState* s = state_.get();
        if (started_) return static_cast<std::int32_t>(s->info.scale_denom);
        const std::int32_t d = denominator >= 8 ? 8 : denominator >= 4 ? 4 : denominator >= 2 ? 2 : 1;
        s->info.scale_num = 1;
        s->info.scale_denom = static_cast<unsigned>(d);
        if (guarded_output_size(s)) {
            s->info.scale_denom = 1;
            static_cast<void>(guarded_output_size(s));
            return 1;
        }
        return d;
    }

private:
    void read_exif() {
        for (const jpeg_marker_struct* marker = state_->info.marker_list; marker; marker = marker->next) {
            if (!is_exif(marker)) continue;
            ExifHandle exif = load_exif(marker);
            if (!exif) return;
            const ExifByteOrder order = exif_data_get_byte_order(exif.get());
            const std::pair<ExifIfd, MetadataBlock> blocks[] = {
                {EXIF_IFD_0, MetadataBlock::Ifd0}, {EXIF_IFD_EXIF, MetadataBlock::Exif}, {EXIF_IFD_GPS, MetadataBlock::Gps}};
            for (const auto& [ifd, block] : blocks) {
                const ExifContent* content = exif->ifd[ifd];
                for (unsigned i = 0; content && i < content->count; ++i) {
                    const ExifEntry* entry = content->entries[i];
                    if (entry->tag == orientation_tag && entry->format == EXIF_FORMAT_SHORT && entry->size >= 2) {
                        metadata_.push_back({block, orientation_tag, exif_get_short(entry->data, order), {}});
                    } else if (entry->tag == icc_profile_tag && entry->data) {
                        metadata_.push_back(
                            {block, icc_profile_tag, 0, std::vector<std::uint8_t>(entry->data, entry->data + entry->size)});
                    }
                }
            }
            exif_resolution_ = exif_resolution(exif.get(), order);
            return;  // only the first EXIF segment counts
        }
    }

    static double exif_resolution(ExifData* exif, ExifByteOrder order) {
        const ExifEntry* x = exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_X_RESOLUTION);
        if (!x) return 0.0;
        const double value = rational(x, order);
        const ExifEntry* unit = exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_RESOLUTION_UNIT);
        const bool centimetres = unit && unit->format == EXIF_FORMAT_SHORT && unit->size >= 2 &&
                                 exif_get_short(unit->data, order) == 3;
        return centimetres ? value * 2.54 : value;
    }

    // The JFIF density when it has a unit, else the EXIF resolution, else the usual 96.
    double jfif_resolution() const {
        const jpeg_decompress_struct& info = state_->info;
        if (info.saw_JFIF_marker && info.X_density > 0) {
            if (info.density_unit == 1) return info.X_density;
            if (info.density_unit == 2) return info.X_density * 2.54;
        }
        return exif_resolution_ > 0.0 ? exif_resolution_ : 96.0;
    }

    std::unique_ptr<JpegState> state_;
    PixelLayout layout_ = PixelLayout::BGR24;
    double resolution_ = 96.0;
    double exif_resolution_ = 0.0;
    bool multiple_scans_ = false;
    bool started_ = false;
    bool failed_ = false;
    bool ended_ = false;
    std::vector<MetadataItem> metadata_;
    std::vector<std::uint32_t> no_palette_;
};

}  // namespace

std::unique_ptr<ImageDecoder> open_jpeg_decoder(FileHandle file) {
    auto state = std::make_unique<JpegState>();
    state->file = ::fdopen(file.descriptor(), "rb");
    if (!state->file) return nullptr;
    file.release();  // closed with the stream from now on
    if (guarded_create(state.get())) {
        if (state->created) jpeg_destroy_decompress(&state->info);
        std::fclose(state->file);
        return nullptr;
    }
    auto decoder = std::make_unique<JpegDecoder>(std::move(state));
    if (!decoder->open()) return nullptr;
    return decoder;
}

}  // namespace lumivane
