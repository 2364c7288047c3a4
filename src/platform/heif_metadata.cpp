#include "platform/heif_metadata.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include <libheif/heif.h>

#include "platform/files.h"

namespace lumivane {

namespace {

// The first block of the type (and content type, where given) that libheif can hand out.
std::string first_block(const heif_image_handle* handle, const char* type, const char* content_type) {
    const int count = heif_image_handle_get_number_of_metadata_blocks(handle, type);
    if (count <= 0) return {};
    std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
    const int listed = heif_image_handle_get_list_of_metadata_block_IDs(handle, type, ids.data(), count);
    for (int i = 0; i < listed; ++i) {
        const char* content = heif_image_handle_get_metadata_content_type(handle, ids[i]);
        if (content_type && (!content || std::strcmp(content, content_type) != 0)) continue;
        std::string block(heif_image_handle_get_metadata_size(handle, ids[i]), '\0');
        if (!block.empty() && heif_image_handle_get_metadata(handle, ids[i], block.data()).code == heif_error_Ok) {
            return block;
        }
    }
    return {};
}

}  // namespace

bool heif_metadata(const std::u16string& path, HeifMetadata& metadata) {
    metadata = {};
    const std::unique_ptr<heif_context, void (*)(heif_context*)> context(heif_context_alloc(), heif_context_free);
    if (!context || heif_context_read_from_file(context.get(), native_path(path).c_str(), nullptr).code != heif_error_Ok) {
        return true;
    }
    heif_image_handle* primary = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &primary).code != heif_error_Ok) return true;
    const std::unique_ptr<heif_image_handle, void (*)(const heif_image_handle*)> handle(primary,
                                                                                        heif_image_handle_release);
    // An Exif block starts with the offset of its TIFF header from the end of that number.
    const std::string exif = first_block(handle.get(), "Exif", nullptr);
    if (exif.size() > 4) {
        const std::uint32_t offset = std::uint32_t{static_cast<unsigned char>(exif[0])} << 24 |
                                     std::uint32_t{static_cast<unsigned char>(exif[1])} << 16 |
                                     std::uint32_t{static_cast<unsigned char>(exif[2])} << 8 |
                                     std::uint32_t{static_cast<unsigned char>(exif[3])};
        if (offset < exif.size() - 4) metadata.exif = exif.substr(4 + offset);
    }
    metadata.xmp = first_block(handle.get(), "mime", "application/rdf+xml");
    return false;
}

}  // namespace lumivane
