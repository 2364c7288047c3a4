#pragma once
// The platform's picture decoder: opens a JPEG, TIFF, PNG, WebP, JPEG XL, HEIF or AVIF
// container (recognised by its bytes, never by the file name), reports the first frame's
// size, resolution and pixel layout, delivers its rows top-down, and lists the metadata
// tags the loader asks for.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace lumivane {

enum class ContainerFormat { Jpeg, Tiff, Png, Webp, JpegXl, Heif };

// How a decoded row is laid out. 16-bit samples are in machine byte order; alpha is
// never used. P marks premultiplied alpha.
enum class PixelLayout {
    Indexed8,    // one palette index per byte
    Gray8,
    BlackWhite,  // 1 bit per pixel, most significant bit first, set is white
    Gray16,
    BGR24,
    RGB24,
    BGR32,
    BGRA32,
    PBGRA32,
    RGB32,
    RGBA32,
    PRGBA32,
    RGB48,
    BGR48,
    RGBA64,
    PRGBA64,
    BGRA64,
    PBGRA64,
};

// The metadata blocks the loader looks in, in the order it looks.
enum class MetadataBlock { Ifd0, Exif, Gps };

// One tag of a metadata block, as the file holds it.
struct MetadataItem {
    MetadataBlock block;
    std::uint16_t tag;
    std::uint16_t number;             // the value of a SHORT tag (the orientation)
    std::vector<std::uint8_t> bytes;  // the bytes of an UNDEFINED or BYTE tag (a profile)
};

inline constexpr std::uint16_t orientation_tag = 274;
inline constexpr std::uint16_t icc_profile_tag = 34675;

class ImageDecoder {
public:
    virtual ~ImageDecoder() = default;

    virtual ContainerFormat container() const = 0;
    virtual std::int32_t width() const = 0;
    virtual std::int32_t height() const = 0;
    // Horizontal dots per inch.
    virtual double resolution() const = 0;
    virtual PixelLayout layout() const = 0;
    // For Indexed8: the colours as 0xAARRGGBB (up to 256 entries).
    virtual const std::vector<std::uint32_t>& palette() const = 0;
    // Writes the next row, top row first, in the layout into row (which holds
    // row_bytes()). False when the row could not be decoded; row then keeps what it held.
    virtual bool read_row(std::uint8_t* row) = 0;
    std::size_t row_bytes() const;
    // No later row can be decoded either: the file's data ended before the picture did.
    virtual bool rows_ended() const = 0;
    // The file lacked data or held errors: part of the picture is missing.
    virtual bool damaged() const = 0;
    // The decoder met an error it cannot go on from (not the end of the data).
    virtual bool failed() const = 0;
    // Memory the decoder needs besides the picture while it decodes.
    virtual std::uint64_t working_bytes() const = 0;
    // Tags 274 and 34675 of the first frame's IFD0, EXIF and GPS blocks, in file order.
    virtual std::vector<MetadataItem> metadata() const = 0;
    // Before the first row: decode the picture at most denominator (1, 2, 4 or 8) times
    // smaller in each direction, as far as the format can do that while it decodes.
    // Returns the reduction applied (width() and height() then give the reduced size);
    // 1 for a decoder that always decodes the full picture.
    virtual std::int32_t reduce(std::int32_t denominator);
};

// The container whose signature a file's first bytes (up to signature_bytes) hold.
inline constexpr std::size_t signature_bytes = 12;
std::optional<ContainerFormat> signature_format(const unsigned char* head, std::size_t length);

// Opens the first frame of a JPEG, TIFF, PNG, WebP, JPEG XL, HEIF or AVIF file and reads
// what precedes its pixels; nothing is decoded or allocated for the picture yet. Anything
// else, a file that cannot be read, or a frame in a layout this program does not take
// gives no decoder.
std::unique_ptr<ImageDecoder> open_image_decoder(const std::u16string& path);

// For the decoders: the rest of an open file from its current position, which must be
// less than 2 GiB and not empty.
[[nodiscard]] bool read_rest_of_file(FileHandle& file, std::vector<std::uint8_t>& data);
// Samples of width pixels, each colours samples and then alpha, laid on black: colours
// samples a pixel, alpha multiplied in.
void alpha_on_black(const std::uint8_t* from, std::uint8_t* to, std::int32_t width, int colours);
// Red, green, blue samples of width pixels copied in blue, green, red order; from and
// to may be the same row.
void rgb_to_bgr(const std::uint8_t* from, std::uint8_t* to, std::int32_t width);
// Width pixels of red, green and blue planes laid into one row in blue, green, red order.
void planes_to_bgr(const std::uint8_t* red, const std::uint8_t* green, const std::uint8_t* blue, std::uint8_t* to,
                   std::int32_t width);

// An ICC profile for RGB with the chromaticities of white, red, green and blue (x, y each)
// and one tone curve, given as Little CMS's parametric curve 4: (a x + b) ^ g from d up,
// c x below, as {g, a, b, c, d}. Empty when the profile cannot be made.
std::vector<std::uint8_t> rgb_profile(const double chromaticities[8], const double curve[5]);
// sRGB's own curve: a straight piece near black, then a power of 2.4.
inline constexpr double srgb_curve[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};

// Bytes per pixel row of a layout.
std::size_t layout_row_bytes(PixelLayout layout, std::int32_t width);

}  // namespace lumivane
