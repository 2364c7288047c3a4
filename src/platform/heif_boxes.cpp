#include "platform/heif_boxes.h"

namespace lumivane {

namespace {

constexpr std::uint32_t fourcc(const char (&name)[5]) {
    return std::uint32_t{static_cast<unsigned char>(name[0])} << 24 |
           std::uint32_t{static_cast<unsigned char>(name[1])} << 16 |
           std::uint32_t{static_cast<unsigned char>(name[2])} << 8 | std::uint32_t{static_cast<unsigned char>(name[3])};
}

std::uint64_t big_endian(const std::uint8_t* bytes, int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
    return value;
}

struct Box {
    std::uint32_t type;
    const std::uint8_t* contents;
    std::size_t size;
};

// The boxes laid one after another in the bytes, up to the first that does not fit.
std::vector<Box> boxes_in(const std::uint8_t* bytes, std::size_t size) {
    std::vector<Box> boxes;
    while (size >= 8) {
        std::uint64_t length = big_endian(bytes, 4);
        std::size_t header = 8;
        if (length == 1) {
            if (size < 16) break;
            length = big_endian(bytes + 8, 8);
            header = 16;
        } else if (length == 0) {
            length = size;
        }
        if (length < header || length > size) break;
        boxes.push_back({static_cast<std::uint32_t>(big_endian(bytes + 4, 4)), bytes + header,
                         static_cast<std::size_t>(length) - header});
        bytes += length;
        size -= static_cast<std::size_t>(length);
    }
    return boxes;
}

std::optional<Box> find(const std::vector<Box>& boxes, std::uint32_t type) {
    for (const Box& box : boxes) {
        if (box.type == type) return box;
    }
    return std::nullopt;
}

// The 1-based indexes into the property container that the association box gives item.
std::optional<std::vector<std::uint32_t>> associations(const Box& ipma, std::uint32_t item) {
    const std::uint8_t* at = ipma.contents;
    const std::uint8_t* end = at + ipma.size;
    if (end - at < 8) return std::nullopt;
    const int version = at[0];
    const bool wide_indexes = (at[3] & 1) != 0;
    const int id_bytes = version < 1 ? 2 : 4;
    const int index_bytes = wide_indexes ? 2 : 1;
    std::uint64_t entries = big_endian(at + 4, 4);
    at += 8;
    for (; entries > 0; --entries) {
        if (end - at < id_bytes + 1) return std::nullopt;
        const auto id = static_cast<std::uint32_t>(big_endian(at, id_bytes));
        const int count = at[id_bytes];
        at += id_bytes + 1;
        if (end - at < count * index_bytes) return std::nullopt;
        if (id == item) {
            std::vector<std::uint32_t> indexes;
            for (int i = 0; i < count; ++i, at += index_bytes) {
                // The top bit marks an essential property.
                const std::uint64_t value = big_endian(at, index_bytes);
                indexes.push_back(static_cast<std::uint32_t>(value & (wide_indexes ? 0x7FFF : 0x7F)));
            }
            return indexes;
        }
        at += count * index_bytes;
    }
    return std::vector<std::uint32_t>{};
}

}  // namespace

std::optional<std::vector<ItemTransform>> heif_item_transforms(const std::uint8_t* file, std::size_t size,
                                                               std::uint32_t item) {
    const std::optional<Box> meta = find(boxes_in(file, size), fourcc("meta"));
    // 'meta' carries a version and flags before its boxes.
    if (!meta || meta->size < 4) return std::nullopt;
    const std::optional<Box> iprp = find(boxes_in(meta->contents + 4, meta->size - 4), fourcc("iprp"));
    if (!iprp) return std::nullopt;
    const std::vector<Box> property_boxes = boxes_in(iprp->contents, iprp->size);
    const std::optional<Box> ipco = find(property_boxes, fourcc("ipco"));
    const std::optional<Box> ipma = find(property_boxes, fourcc("ipma"));
    if (!ipco || !ipma) return std::nullopt;
    const std::vector<Box> properties = boxes_in(ipco->contents, ipco->size);
    const std::optional<std::vector<std::uint32_t>> indexes = associations(*ipma, item);
    if (!indexes) return std::nullopt;
    std::vector<ItemTransform> transforms;
    for (std::uint32_t index : *indexes) {
        if (index == 0 || index > properties.size()) continue;
        const Box& property = properties[index - 1];
        if (property.type == fourcc("irot") || property.type == fourcc("imir")) {
            transforms.push_back({property.type, {property.contents, property.contents + property.size}});
        }
    }
    return transforms;
}

}  // namespace lumivane
