#include "imaging/image_loader.h"

#include "imaging/jpeg_icc.h"
#include "imaging/orientation.h"
#include "imaging/pixel_conversion.h"
#include "imaging/tiff_reader.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/shortcuts.h"
#include "platform/translation.h"
#include "platform/user_interface.h"
#include "platform/value_formatter.h"

namespace lumivane {

void metadata_scan(const std::vector<MetadataItem>& items, std::uint16_t& orientation,
                   std::vector<std::uint8_t>& profile) {
    for (MetadataBlock block : {MetadataBlock::Ifd0, MetadataBlock::Exif, MetadataBlock::Gps}) {
        for (const MetadataItem& item : items) {
            if (item.block != block) continue;
            if (item.tag == orientation_tag) orientation = item.number;
            if (item.tag == icc_profile_tag) profile = item.bytes;
        }
    }
}

namespace {

bool is_shortcut(const std::u16string& path) { return names_equal_nocase(path_extension(path), u".LNK"); }

// The header of a file as the platform decoder reads it: its orientation and profile.
struct Header {
    std::unique_ptr<ImageDecoder> decoder;
    std::uint16_t orientation = 1;
};

// Opens the file and reads what precedes its pixels; true when the decoder cannot.
bool read_header(const std::u16string& path, Header& header, std::vector<std::uint8_t>& profile, LoadReport& report) {
    header.decoder = open_image_decoder(path);
    if (!header.decoder) return true;
    const ImageDecoder& decoder = *header.decoder;
    metadata_scan(decoder.metadata(), header.orientation, profile);
    const bool swaps = orientation_operation(header.orientation) && header.orientation >= 5;
    report.width = swaps ? decoder.height() : decoder.width();
    report.height = swaps ? decoder.width() : decoder.height();
    if (decoder.container() == ContainerFormat::Jpeg && jpeg_icc_extract(path, profile)) return true;
    if (is_grey_source(decoder.layout(), decoder.palette())) profile.clear();
    return false;
}

// The platform decoder's path. Fails for anything it cannot open or turn into a
// Colour8 picture; the caller then tries the program's own TIFF reader.
bool load_through_decoder(const std::u16string& path, ImageBuffer& image, std::vector<std::uint8_t>& profile,
                          LoadReport& report, const MemoryCheck& fits, const ReductionChoice& reduction) {
    Header header;
    if (read_header(path, header, profile, report)) return true;
    ImageDecoder& decoder = *header.decoder;
    if (reduction) report.reduction = decoder.reduce(reduction(decoder.width(), decoder.height()));
    const std::int32_t width = decoder.width();
    const std::int32_t height = decoder.height();
    const PixelLayout layout = decoder.layout();
    const std::uint16_t orientation = header.orientation;

    // Turning the picture needs a second one of the same size for a moment.
    const bool turns = orientation_operation(orientation) != nullptr;
    report.picture_bytes = image_bytes(PixelFormat::Colour8, width, height);
    if (!fits((turns ? 2 : 1) * report.picture_bytes + decoder.working_bytes())) {
        report.out_of_memory = true;
        return true;
    }
    // Rows the decoder never reaches stay black without being written.
    if (image_allocate(image, PixelFormat::Colour8, width, height, decoder.resolution())) return true;

    const bool straight = layout == PixelLayout::BGR24 || layout == PixelLayout::RGB24;
    std::vector<std::uint8_t> row_buffer(straight ? 0 : decoder.row_bytes());
    for (std::int32_t source_row = 0; source_row < height; ++source_row) {
        // The decoder counts rows from the top, the picture from the bottom.
        std::uint8_t* row = image.rows[static_cast<std::size_t>(height - 1 - source_row)];
        if (decoder.read_row(straight ? row : row_buffer.data())) {
            if (!straight || layout == PixelLayout::RGB24) {
                convert_row(layout, decoder.palette(), straight ? row : row_buffer.data(), row, width);
            }
            report.rows_with_data = source_row + 1;
        } else if (decoder.rows_ended()) {
            break;
        }
    }
    // A decoder that failed before its first row gave no picture at all.
    if (decoder.failed() && report.rows_with_data == 0) return true;
    report.incomplete = decoder.damaged();
    if (turns && report.rows_with_data == 0) {
        // Nothing to turn: a black picture of the turned size, which costs nothing.
        const bool swaps = orientation >= 5;
        if (image_allocate(image, PixelFormat::Colour8, swaps ? height : width, swaps ? width : height, image.resolution)) {
            return true;
        }
    } else if (apply_orientation(image, orientation)) {
        return true;
    } else if (turns) {
        report.rows_with_data = image.height;
    }
    return false;
}

bool load_through_tiff_reader(const std::u16string& path, ImageBuffer& image, std::vector<std::uint8_t>& profile) {
    FileHandle file;
    if (file_open_read(path, file)) return true;
    const bool failed = tiff_read(file, image);
    file_close(file);
    return failed || tiff_icc_extract(path, profile);
}

}  // namespace

std::u16string image_working_path(const std::u16string& path) {
    std::u16string working;
    if (is_shortcut(path)) {
        // A link that leads nowhere leaves no working path, and reading it fails as missing.
        static_cast<void>(shortcut_resolve(path, working, path_limit + 1));
    } else {
        working = cut_text(path, path_limit);
    }
    return working;
}

bool image_read(const std::u16string& working_path, ImageBuffer& image, std::vector<std::uint8_t>& profile,
                LoadReport& report, const MemoryCheck& fits, const ReductionChoice& reduction) {
    profile.clear();
    report = LoadReport{};
    bool failed = load_through_decoder(working_path, image, profile, report, fits, reduction);
    if (failed && !report.out_of_memory) {
        report = LoadReport{};
        profile.clear();
        failed = load_through_tiff_reader(working_path, image, profile);
        report.rows_with_data = report.height = image.height;
        report.width = image.width;
    }
    if (failed) {
        image_free(image);
        profile.clear();
        report.incomplete = false;
        report.rows_with_data = 0;
    }
    return failed;
}

bool image_inspect(const std::u16string& working_path, std::vector<std::uint8_t>& profile, LoadReport& report) {
    profile.clear();
    report = LoadReport{};
    Header header;
    return read_header(working_path, header, profile, report);
}

bool image_load(UserInterface& ui, const std::u16string& path, ImageBuffer& image, std::vector<std::uint8_t>& profile,
                LoadReport& report) {
    const std::u16string working = image_working_path(path);
    ui.set_status_text(formatted(Core::tr("Reading %s"), working));
    const bool failed = image_read(working, image, profile, report);
    ui.set_cursor(CursorShape::Arrow);
    return failed;
}

bool image_load(UserInterface& ui, const std::u16string& path, ImageBuffer& image, std::vector<std::uint8_t>& profile) {
    LoadReport report;
    return image_load(ui, path, image, profile, report);
}

}  // namespace lumivane
