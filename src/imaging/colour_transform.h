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
#include "imaging/monitor_profiles.h"

namespace lumivane {

struct ColourTransform;
using ColourTransformHandle = std::shared_ptr<ColourTransform>;

// Builds the transform from the picture's profile (sRGB when there is none) to the
// monitor's (MonitorColour::icc, sRGB when there is none).
// An empty picture gets no transform; a profile the library refuses (a grey or CMYK
// one, say) gets no transform and failure, which the caller reports.
[[nodiscard]] bool colour_transform_create(const std::vector<std::uint8_t>& profile, const ImageBuffer& picture,
                                           const std::vector<std::uint8_t>& monitor, ColourTransformHandle& transform);

// The destination becomes the source converted row by row on the worker pool, or a
// plain copy when there is no transform; an empty source empties the destination.
// Source and destination may be the same picture, converted in place.
[[nodiscard]] bool colour_transform_apply(const ImageBuffer& source, ImageBuffer& destination, const ColourTransform* transform);

// Converts the top rows of a Colour8 picture in place and leaves the rows below as they
// are: the part of a picture whose file ended early is black on every monitor.
[[nodiscard]] bool colour_transform_apply_rows(ImageBuffer& picture, const ColourTransform* transform, std::int32_t rows_from_top);

// The transforms made so far, by the monitor's and the embedded profile's bytes (none for
// sRGB). A show of thousands of slides needs only a handful, and building one
// costs far more than converting a small picture. The cache holds no transform alive:
// the slides that use one do.
struct ColourTransformCache {
    struct Entry {
        std::weak_ptr<ColourTransform> transform;
        bool refused = false;  // the library could not build it
    };
    std::map<std::pair<std::vector<std::uint8_t>, std::vector<std::uint8_t>>, Entry> entries;
    std::int32_t created = 0;  // transforms built, for a look at how well they are shared
};

// colour_transform_create through the cache: slides whose profiles are byte for byte
// the same share one transform. A profile the library refused is refused again, told
// apart from the first refusal so that the caller reports it once.
enum class SharedTransform { Ready, Refused, RefusedBefore };
[[nodiscard]] SharedTransform colour_transform_shared(ColourTransformCache& cache,
                                                      const std::vector<std::uint8_t>& profile,
                                                      const ImageBuffer& picture,
                                                      const std::vector<std::uint8_t>& monitor,
                                                      ColourTransformHandle& transform);

// The transform from a monitor colour space back to sRGB for pictures converted to it
// (colour_transform_apply): a video of what the monitor showed, in the colours every
// player takes for granted. The sRGB monitor (no profile) needs none. True when the
// library cannot build it.
[[nodiscard]] bool colour_transform_to_srgb(const std::vector<std::uint8_t>& monitor, ColourTransformHandle& transform);

// True when pictures cannot be converted to this profile: it is damaged, or not one of
// an RGB device both ways (a printer's, a grey or a CMYK one).
[[nodiscard]] bool monitor_profile_unusable(const std::vector<std::uint8_t>& icc);

}  // namespace lumivane
