#include "support/libtiff_files.h"

#include <tiffio.h>

#include <cstring>
#include <memory>
#include <random>
#include <sstream>

#include "imaging/lookup_tables.h"
#include "support/temp_folder.h"

namespace lumivane::testing {

namespace {

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using Tiff = std::unique_ptr<TIFF, TiffCloser>;

std::vector<std::uint8_t> row_samples(const TiffVariant& v, std::size_t bytes, std::uint32_t y, std::mt19937& random) {
    std::vector<std::uint8_t> row(bytes);
    for (std::size_t i = 0; i < bytes; ++i) {
        row[i] = v.smooth ? static_cast<std::uint8_t>(i / 7 + y / 3 + random() % 3) : static_cast<std::uint8_t>(random());
    }
    return row;
}

}  // namespace

bool write_tiff(const std::string& path, const TiffVariant& v, unsigned seed) {
    Tiff tiff(TIFFOpen(path.c_str(), v.big_endian ? "wb" : "wl"));
    if (!tiff) return true;
    TIFF* t = tiff.get();
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, v.width);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, v.height);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, v.bits);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, v.samples);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, v.photometric);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_COMPRESSION, v.lzw ? COMPRESSION_LZW : COMPRESSION_NONE);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, v.rows_per_strip == 0 ? v.height : v.rows_per_strip);
    TIFFSetField(t, TIFFTAG_ORIENTATION, v.orientation);
    TIFFSetField(t, TIFFTAG_XRESOLUTION, v.x_resolution);
    TIFFSetField(t, TIFFTAG_YRESOLUTION, v.x_resolution);
    TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, v.centimetre ? RESUNIT_CENTIMETER : RESUNIT_INCH);
    if (v.samples == 4) {
        const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    std::mt19937 random(seed);
    if (v.photometric == PHOTOMETRIC_PALETTE) {
        std::vector<std::uint16_t> map(3u << v.bits);
        for (std::uint16_t& entry : map) entry = static_cast<std::uint16_t>(random());
        const std::size_t n = map.size() / 3;
        TIFFSetField(t, TIFFTAG_COLORMAP, map.data(), map.data() + n, map.data() + 2 * n);
    }
    if (!v.profile.empty()) {
        TIFFSetField(t, TIFFTAG_ICCPROFILE, static_cast<std::uint32_t>(v.profile.size()), v.profile.data());
    }
    const auto bytes = static_cast<std::size_t>(TIFFScanlineSize(t));
    for (std::uint32_t y = 0; y < v.height; ++y) {
        std::vector<std::uint8_t> row = row_samples(v, bytes, y, random);
        if (TIFFWriteScanline(t, row.data(), y, 0) < 0) return true;
    }
    return false;
}

bool libtiff_decode(const std::string& path, Picture& picture) {
    Tiff tiff(TIFFOpen(path.c_str(), "r"));
    if (!tiff) return true;
    TIFF* t = tiff.get();
    std::uint32_t width = 0, height = 0;
    std::uint16_t bits = 1, samples = 1, photometric = 1, orientation = 1, unit = RESUNIT_INCH;
    float x_resolution = 300.0f;
    TIFFGetField(t, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(t, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(t, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(t, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetField(t, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetFieldDefaulted(t, TIFFTAG_ORIENTATION, &orientation);
    TIFFGetField(t, TIFFTAG_XRESOLUTION, &x_resolution);
    TIFFGetFieldDefaulted(t, TIFFTAG_RESOLUTIONUNIT, &unit);
    std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (photometric == PHOTOMETRIC_PALETTE && !TIFFGetField(t, TIFFTAG_COLORMAP, &red, &green, &blue)) return true;

    const bool turned = orientation >= 5;
    picture.width = static_cast<std::int32_t>(turned ? height : width);
    picture.height = static_cast<std::int32_t>(turned ? width : height);
    picture.resolution = unit == RESUNIT_CENTIMETER ? x_resolution * 2.54 : x_resolution;
    picture.bgr.assign(std::size_t{3} * width * height, 0);

    const std::uint32_t top = (1u << bits) - 1;
    const auto level = [&](std::uint32_t v) {
        if (photometric == PHOTOMETRIC_MINISWHITE) v = top - v;
        return bits == 16 ? table_16_to_8[v] : static_cast<std::uint8_t>(v * 255 / top);
    };
    std::vector<std::uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(t)));
    for (std::uint32_t y = 0; y < height; ++y) {
        if (TIFFReadScanline(t, row.data(), y, 0) < 0) return true;
        for (std::uint32_t x = 0; x < width; ++x) {
            const auto sample = [&](std::uint32_t s) -> std::uint32_t {
                const std::size_t index = std::size_t{x} * samples + s;
                if (bits == 16) return reinterpret_cast<const std::uint16_t*>(row.data())[index];
                const std::size_t bit = index * bits;
                return (row[bit / 8] >> (8 - bits - bit % 8)) & top;
            };
            std::uint8_t bgr[3];
            if (photometric == PHOTOMETRIC_PALETTE) {
                const std::uint32_t i = sample(0);
                bgr[0] = table_16_to_8[blue[i]];
                bgr[1] = table_16_to_8[green[i]];
                bgr[2] = table_16_to_8[red[i]];
            } else if (samples >= 3) {
                for (int c = 0; c < 3; ++c) bgr[2 - c] = level(sample(c));
            } else {
                bgr[0] = bgr[1] = bgr[2] = level(sample(0));
            }
            // Where the stored pixel stands in the upright picture.
            const std::uint32_t w = width, h = height;
            const std::uint32_t places[9][2] = {{x, y},         {x, y},         {w - 1 - x, y},
                                                {w - 1 - x, h - 1 - y}, {x, h - 1 - y}, {y, x},
                                                {h - 1 - y, x}, {h - 1 - y, w - 1 - x}, {y, w - 1 - x}};
            const auto& place = places[orientation <= 8 ? orientation : 1];
            std::memcpy(&picture.bgr[3 * (std::size_t{place[1]} * picture.width + place[0])], bgr, 3);
        }
    }
    return false;
}

Picture picture_of(const ImageBuffer& image) {
    Picture picture;
    picture.width = image.width;
    picture.height = image.height;
    picture.resolution = image.resolution;
    const std::size_t row_bytes = std::size_t{3} * image.width;
    picture.bgr.resize(row_bytes * image.height);
    for (std::int32_t y = 0; y < image.height; ++y) {
        std::memcpy(&picture.bgr[row_bytes * y], image.rows[image.height - 1 - y], row_bytes);
    }
    return picture;
}

std::string picture_difference(const Picture& expected, const Picture& actual) {
    std::ostringstream out;
    if (expected.width != actual.width || expected.height != actual.height) {
        out << "size " << actual.width << " x " << actual.height << ", expected " << expected.width << " x "
            << expected.height;
        return out.str();
    }
    std::size_t differing = 0;
    for (std::size_t i = 0; i < expected.bgr.size(); i += 3) {
        if (std::memcmp(&expected.bgr[i], &actual.bgr[i], 3) == 0) continue;
        if (differing++ == 0) {
            const std::size_t pixel = i / 3;
            out << "first at (" << pixel % expected.width << ", " << pixel / expected.width << "): "
                << int(actual.bgr[i]) << ' ' << int(actual.bgr[i + 1]) << ' ' << int(actual.bgr[i + 2])
                << ", expected " << int(expected.bgr[i]) << ' ' << int(expected.bgr[i + 1]) << ' '
                << int(expected.bgr[i + 2]) << "; ";
        }
    }
    if (differing > 0) out << differing << " pixels differ";
    return out.str();
}

std::vector<std::uint8_t> libtiff_lzw(const std::vector<std::uint8_t>& bytes) {
    TempFolder folder;
    const std::string path = folder.native_file("lzw.tif");
    {
        Tiff tiff(TIFFOpen(path.c_str(), "wb"));
        TIFF* t = tiff.get();
        TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(bytes.size()));
        TIFFSetField(t, TIFFTAG_IMAGELENGTH, 1u);
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
        TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 1u);
        TIFFWriteEncodedStrip(t, 0, const_cast<std::uint8_t*>(bytes.data()), static_cast<tmsize_t>(bytes.size()));
    }
    Tiff tiff(TIFFOpen(path.c_str(), "r"));
    std::vector<std::uint8_t> strip(static_cast<std::size_t>(TIFFRawStripSize(tiff.get(), 0)));
    TIFFReadRawStrip(tiff.get(), 0, strip.data(), static_cast<tmsize_t>(strip.size()));
    return strip;
}

}  // namespace lumivane::testing
