#pragma once
// Converting a loaded picture once from its own colour space (its embedded profile, or
// sRGB) to the monitor's, with Little CMS. Slides, clipboard entries and the slide
// dialog's working copy share one transform; it is deleted when the last of them lets go.

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "imaging/image_buffer.h"

namespace lumivane {

struct ColourTransform;
using ColourTransformHandle = std::shared_ptr<ColourTransform>;

enum class MonitorProfile : std::int32_t { Srgb = 0, AdobeRgb = 1, DciP3 = 2 };

// Builds the transform from the picture's profile (sRGB when there is none) to the
// monitor profile (0 sRGB, 1 Adobe RGB (1998), 2 DCI-P3; any other value counts as 0).
// An empty picture gets no transform; a profile the library refuses (a grey or CMYK
// one, say) gets no transform and failure, which the caller reports.
[[nodiscard]] bool colour_transform_create(const std::vector<std::uint8_t>& profile, const ImageBuffer& picture,
                                           MonitorProfile monitor_profile, ColourTransformHandle& transform);

// The destination becomes the source converted row by row on the worker pool, or a
// plain copy when there is no transform; an empty source empties the destination.
// Source and destination may be the same picture, converted in place.
[[nodiscard]] bool colour_transform_apply(const ImageBuffer& source, ImageBuffer& destination, const ColourTransform* transform);

// Converts the top rows of a Colour8 picture in place and leaves the rows below as they
// are: the part of a picture whose file ended early is black on every monitor.
[[nodiscard]] bool colour_transform_apply_rows(ImageBuffer& picture, const ColourTransform* transform, std::int32_t rows_from_top);

// The transforms made so far, by monitor profile and embedded profile bytes (none for
// sRGB pictures). A show of thousands of slides needs only a handful, and building one
// costs far more than converting a small picture. The cache holds no transform alive:
// the slides that use one do.
struct ColourTransformCache {
    struct Entry {
        std::weak_ptr<ColourTransform> transform;
        bool refused = false;  // the library could not build it
    };
    std::map<std::pair<MonitorProfile, std::vector<std::uint8_t>>, Entry> entries;
    std::int32_t created = 0;  // transforms built, for a look at how well they are shared
};

// colour_transform_create through the cache: slides whose profiles are byte for byte
// the same share one transform. A profile the library refused is refused again, told
// apart from the first refusal so that the caller reports it once.
enum class SharedTransform { Ready, Refused, RefusedBefore };
[[nodiscard]] SharedTransform colour_transform_shared(ColourTransformCache& cache,
                                                      const std::vector<std::uint8_t>& profile,
                                                      const ImageBuffer& picture, MonitorProfile monitor_profile,
                                                      ColourTransformHandle& transform);

// The transform from a monitor colour space back to sRGB for pictures converted to it
// (colour_transform_apply): a video of what the monitor showed, in the colours every
// player takes for granted. The sRGB monitor needs none. True when the library cannot
// build it.
[[nodiscard]] bool colour_transform_to_srgb(MonitorProfile monitor_profile, ColourTransformHandle& transform);

}  // namespace lumivane
