#pragma once
// What libheif does not tell of a HEIF file's items: the rotation and mirroring that the
// file's property boxes give an item, read from the boxes themselves.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace lumivane {

// One 'irot' or 'imir' property: its box type and contents.
struct ItemTransform {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> contents;
    bool operator==(const ItemTransform&) const = default;
};

// The rotations and mirrorings of item, in the order the file associates them; nothing
// when the file's 'meta' box or its item properties cannot be read.
std::optional<std::vector<ItemTransform>> heif_item_transforms(const std::uint8_t* file, std::size_t size,
                                                               std::uint32_t item);

}  // namespace lumivane
