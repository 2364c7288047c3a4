#pragma once
// Loading one picture file, or the shortcut that names it, as an upright Colour8
// picture with the ICC profile embedded in it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imaging/image_buffer.h"
#include "platform/image_decoder.h"
#include "platform/system_memory.h"

namespace lumivane {

class UserInterface;

// What a load found out besides the picture.
struct LoadReport {
    // The bytes the picture takes, when its file tells its size.
    std::uint64_t picture_bytes = 0;
    // The picture (and the copy that turning it needs) did not fit in the memory the
    // program may use now; nothing was allocated for it.
    bool out_of_memory = false;
    // The file's data ended early or was damaged: the picture holds what could be
    // decoded and is black elsewhere.
    bool incomplete = false;
    // Rows of the picture, counted from the top, that data of the file may have reached;
    // the rest are black and have never been written.
    std::int32_t rows_with_data = 0;
    // The picture's full size, upright, and how many times smaller it was decoded.
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t reduction = 1;
};

// The file a path names: a shortcut's target, or the path itself cut to the limit.
std::u16string image_working_path(const std::u16string& path);

// Whether this many bytes more may be taken for a picture now.
using MemoryCheck = std::function<bool(std::uint64_t bytes)>;

// The reduction (1, 2, 4 or 8) to decode a picture at, given its full size as stored.
using ReductionChoice = std::function<std::int32_t(std::int32_t width, std::int32_t height)>;

// Decodes through the platform decoder (JPEG, TIFF, PNG, WebP, JPEG XL, HEIF or AVIF,
// told by the file's bytes), turns the picture by its orientation tag and collects its
// profile; when that fails, the program's own TIFF reader tries the same file. Grey
// pictures carry no profile. Memory for the picture is taken only when fits allows it, and a file cut short
// gives what it holds. Touches no user interface, so it may run on any thread. With a
// reduction the decoder may give the picture that many times smaller (report.reduction).
[[nodiscard]] bool image_read(const std::u16string& working_path, ImageBuffer& image, std::vector<std::uint8_t>& profile,
                LoadReport& report, const MemoryCheck& fits = memory_fits, const ReductionChoice& reduction = {});

// What image_read would give besides the pixels, from the file's header alone: the
// upright size in report.width and report.height, and the profile. Decodes nothing;
// true when the platform decoder cannot open the file.
[[nodiscard]] bool image_inspect(const std::u16string& working_path, std::vector<std::uint8_t>& profile,
                                 LoadReport& report);

// image_read of a path or shortcut, showing "Reading <file>" in the status window and
// ending with the arrow cursor.
[[nodiscard]] bool image_load(UserInterface& ui, const std::u16string& path, ImageBuffer& image, std::vector<std::uint8_t>& profile,
                LoadReport& report);
[[nodiscard]] bool image_load(UserInterface& ui, const std::u16string& path, ImageBuffer& image, std::vector<std::uint8_t>& profile);

// The orientation (tag 274) and the profile (tag 34675) from the IFD0, EXIF and GPS
// blocks, in that order; a later tag overrides an earlier one.
void metadata_scan(const std::vector<MetadataItem>& items, std::uint16_t& orientation,
                   std::vector<std::uint8_t>& profile);

}  // namespace lumivane
