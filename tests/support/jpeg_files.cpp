#include "support/jpeg_files.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <jpeglib.h>

namespace lumivane::testing {

void write_jpeg(const std::string& path, int width, int height, bool grey,
                const std::function<std::uint8_t(int x, int y, int channel)>& pixel,
                const std::vector<JpegMarker>& markers, int quality, bool progressive, int restart_rows) {
    const int channels = grey ? 1 : 3;
    write_jpeg_rows(
        path, width, height, grey,
        [&](int y, std::uint8_t* row) {
            for (int x = 0; x < width; ++x) {
                for (int c = 0; c < channels; ++c) row[x * channels + c] = pixel(x, y, c);
            }
        },
        markers, quality, progressive, restart_rows);
}

void write_jpeg_rows(const std::string& path, int width, int height, bool grey,
                     const std::function<void(int y, std::uint8_t* row)>& fill, const std::vector<JpegMarker>& markers,
                     int quality, bool progressive, int restart_rows) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot write " + path);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    info.restart_in_rows = restart_rows;
    jpeg_start_compress(&info, TRUE);
    for (const JpegMarker& marker : markers) {
        jpeg_write_marker(&info, marker.code, marker.bytes.data(), static_cast<unsigned>(marker.bytes.size()));
    }
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * static_cast<std::size_t>(info.input_components));
    for (int y = 0; y < height; ++y) {
        fill(y, row.data());
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

std::vector<JpegMarker> icc_markers(const std::vector<std::uint8_t>& profile, std::size_t chunk_size) {
    const std::size_t count = (profile.size() + chunk_size - 1) / chunk_size;
    std::vector<JpegMarker> markers;
    for (std::size_t i = 0; i < count; ++i) {
        JpegMarker marker{0xE2, {}};
        const char id[] = "ICC_PROFILE";
        marker.bytes.assign(id, id + sizeof id);  // with its NUL
        marker.bytes.push_back(static_cast<std::uint8_t>(i + 1));
        marker.bytes.push_back(static_cast<std::uint8_t>(count));
        const auto begin = profile.begin() + static_cast<std::ptrdiff_t>(i * chunk_size);
        const auto end = profile.begin() + static_cast<std::ptrdiff_t>(std::min(profile.size(), (i + 1) * chunk_size));
        marker.bytes.insert(marker.bytes.end(), begin, end);
        markers.push_back(std::move(marker));
    }
    return markers;
}

JpegMarker exif_orientation_marker(std::uint16_t orientation) {
    // "Exif\0\0", a little-endian TIFF header, IFD0 with one SHORT entry, no next IFD.
    std::vector<std::uint8_t> b = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0,
                                   0x12, 0x01, 3, 0, 1, 0, 0, 0,
                                   static_cast<std::uint8_t>(orientation & 0xFF), static_cast<std::uint8_t>(orientation >> 8), 0, 0,
                                   0, 0, 0, 0};
    return {0xE1, b};
}

std::vector<std::uint8_t> file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

JpegPicture libjpeg_decode(const std::string& path) {
    JpegPicture picture;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return picture;
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    picture.width = static_cast<std::int32_t>(info.output_width);
    picture.height = static_cast<std::int32_t>(info.output_height);
    const std::size_t row_bytes = static_cast<std::size_t>(picture.width) * 3;
    picture.bgr.resize(row_bytes * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.bgr.data() + row_bytes * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return picture;
}

}  // namespace lumivane::testing
