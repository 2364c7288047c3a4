#pragma once
// What an operation changed, so that the windows showing it are brought up to date once.

#include <cstdint>

namespace lumivane {

enum class Change : std::uint32_t {
    None = 0,
    Slides = 1,        // the list of slides, a slide's picture, caption or key frames
    CurrentSlide = 2,  // which slide is addressed or shown
    Settings = 4,      // the show's settings, its folder or name
    Clipboard = 8,     // what the slide clipboard holds
    Playing = 16,      // whether the show runs
};

constexpr Change operator|(Change a, Change b) {
    return static_cast<Change>(static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b));
}
constexpr bool operator&(Change a, Change b) {
    return (static_cast<std::uint32_t>(a) & static_cast<std::uint32_t>(b)) != 0;
}

}  // namespace lumivane
