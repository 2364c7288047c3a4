#include "platform/image_decoder.h"

#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "platform/jpeg_decoder.h"
#include "platform/png_decoder.h"
#include "platform/tiff_decoder.h"
#include "platform/webp_decoder.h"

namespace lumivane {

std::size_t layout_row_bytes(PixelLayout layout, std::int32_t width) {
    const auto w = static_cast<std::size_t>(width < 0 ? 0 : width);
    switch (layout) {
    case PixelLayout::Indexed8:
    case PixelLayout::Gray8: return w;
    case PixelLayout::BlackWhite: return (w + 7) / 8;
    case PixelLayout::Gray16: return 2 * w;
    case PixelLayout::BGR24:
    case PixelLayout::RGB24: return 3 * w;
    case PixelLayout::BGR32:
    case PixelLayout::BGRA32:
    case PixelLayout::PBGRA32:
    case PixelLayout::RGB32:
    case PixelLayout::RGBA32:
    case PixelLayout::PRGBA32: return 4 * w;
    case PixelLayout::RGB48:
    case PixelLayout::BGR48: return 6 * w;
    case PixelLayout::RGBA64:
    case PixelLayout::PRGBA64:
    case PixelLayout::BGRA64:
    case PixelLayout::PBGRA64: return 8 * w;
    }
    return 0;
}

std::size_t ImageDecoder::row_bytes() const { return layout_row_bytes(layout(), width()); }

std::optional<ContainerFormat> signature_format(const unsigned char* head, std::size_t length) {
    static constexpr unsigned char png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (length >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return ContainerFormat::Jpeg;
    if (length >= 4) {
        const bool little = head[0] == 'I' && head[1] == 'I' && (head[2] == 42 || head[2] == 43) && head[3] == 0;
        const bool big = head[0] == 'M' && head[1] == 'M' && head[2] == 0 && (head[3] == 42 || head[3] == 43);
        if (little || big) return ContainerFormat::Tiff;
    }
    if (length >= sizeof png && std::memcmp(head, png, sizeof png) == 0) return ContainerFormat::Png;
    if (length >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WEBP", 4) == 0) {
        return ContainerFormat::Webp;
    }
    return std::nullopt;
}

std::unique_ptr<ImageDecoder> open_image_decoder(const std::u16string& path) {
    // The container is told by the file's first bytes, whatever its name says. The
    // decoders read the file opened here, which is known to be a regular file.
    unsigned char head[signature_bytes] = {};
    FileHandle file;
    if (file_open_read(path, file)) return nullptr;
    std::uint32_t length = sizeof head;
    if (file_read(file, length, head) != ReadResult::Read || file_seek(file, 0)) return nullptr;
    const std::optional<ContainerFormat> format = signature_format(head, length);
    if (!format) return nullptr;
    switch (*format) {
    case ContainerFormat::Jpeg: return open_jpeg_decoder(std::move(file));
    case ContainerFormat::Tiff: return open_tiff_decoder(std::move(file), native_path(path));
    case ContainerFormat::Png: return open_png_decoder(std::move(file));
    case ContainerFormat::Webp: return open_webp_decoder(std::move(file));
    }
    return nullptr;
}

}  // namespace lumivane
