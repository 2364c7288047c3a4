#include "imaging/colour_transform.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include <lcms2.h>

#include "imaging/image_copy.h"
#include "imaging/monitor_profiles.h"
#include "imaging/worker_pool.h"

namespace lumivane {

// A photograph holds far fewer colours than pixels, and neighbouring pixels often have
// the same one: each transform remembers the colours it has converted, in a table
// indexed by a hash of the colour. An entry holds the colour and what it became, so
// entries can be written and read by every worker at once, and a colour that finds its
// place taken by another is simply converted again. The library converts each pixel on
// its own, so a remembered colour is exactly what converting it again would give.
constexpr int memo_bits = 18;  // 2 MiB of entries
constexpr std::uint64_t memo_used = std::uint64_t{1} << 63;

struct ColourTransform {
    explicit ColourTransform(cmsHTRANSFORM h)
        : handle(h), memo(std::make_unique<std::atomic<std::uint64_t>[]>(std::size_t{1} << memo_bits)) {}
    ~ColourTransform() { cmsDeleteTransform(handle); }
    ColourTransform(const ColourTransform&) = delete;
    ColourTransform& operator=(const ColourTransform&) = delete;

    cmsHTRANSFORM handle;
    std::unique_ptr<std::atomic<std::uint64_t>[]> memo;  // used flag, colour << 24, converted colour
};

namespace {

struct ProfileCloser {
    void operator()(void* profile) const {
        if (profile) cmsCloseProfile(profile);
    }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

Profile open_profile(const std::vector<std::uint8_t>& bytes) {
    return Profile(cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size())));
}

Profile monitor(MonitorProfile monitor_profile) {
    switch (monitor_profile) {
    case MonitorProfile::AdobeRgb: return open_profile(adobe_rgb_profile());
    case MonitorProfile::DciP3: return open_profile(dci_p3_profile());
    default: return Profile(cmsCreate_sRGBProfile());
    }
}

}  // namespace

bool colour_transform_create(const std::vector<std::uint8_t>& profile, const ImageBuffer& picture,
                             MonitorProfile monitor_profile, ColourTransformHandle& transform) {
    transform.reset();
    if (picture.kind == PixelFormat::Empty || picture.empty()) return false;
    const Profile input = profile.empty() ? Profile(cmsCreate_sRGBProfile()) : open_profile(profile);
    const Profile output = monitor(monitor_profile);
    cmsHTRANSFORM handle = nullptr;
    if (input && output) {
        handle = cmsCreateTransform(input.get(), TYPE_BGR_8, output.get(), TYPE_BGR_8, INTENT_PERCEPTUAL,
                                    cmsFLAGS_NOCACHE);
    }
    if (!handle) return true;
    transform = std::make_shared<ColourTransform>(handle);
    return false;
}

namespace {

// Pictures of fewer pixels are converted on the calling thread.
constexpr std::int64_t parallel_pixels = 262144;
// Rows converted without the memo after one where it missed more than half the pixels
// (a picture of noise has no colour twice).
constexpr std::int32_t rows_without_memo = 31;

std::uint32_t memo_slot(std::uint32_t colour) { return (colour * 2654435761u) >> (32 - memo_bits); }

// One row through the memo, in place or not: the colours found there are written at
// once, the others gathered, converted by the library in one call and remembered.
// Returns how many were not found.
std::int32_t convert_row_remembered(const ColourTransform& transform, const std::uint8_t* in, std::uint8_t* out,
                                    std::int32_t width, std::vector<std::uint8_t>& gathered,
                                    std::vector<std::uint8_t>& converted, std::vector<std::int32_t>& places) {
    std::int32_t missed = 0;
    for (std::int32_t x = 0; x < width; ++x) {
        const std::uint8_t* pixel = in + 3 * x;
        const std::uint32_t colour = pixel[0] | pixel[1] << 8 | pixel[2] << 16;
        const std::uint64_t entry = transform.memo[memo_slot(colour)].load(std::memory_order_relaxed);
        if ((entry >> 24) == ((memo_used >> 24) | colour)) {
            out[3 * x] = static_cast<std::uint8_t>(entry);
            out[3 * x + 1] = static_cast<std::uint8_t>(entry >> 8);
            out[3 * x + 2] = static_cast<std::uint8_t>(entry >> 16);
        } else {
            std::memcpy(&gathered[3 * static_cast<std::size_t>(missed)], pixel, 3);
            places[static_cast<std::size_t>(missed++)] = x;
        }
    }
    if (missed == 0) return 0;
    cmsDoTransform(transform.handle, gathered.data(), converted.data(), static_cast<cmsUInt32Number>(missed));
    for (std::int32_t k = 0; k < missed; ++k) {
        const std::uint8_t* from = &gathered[3 * static_cast<std::size_t>(k)];
        const std::uint8_t* to = &converted[3 * static_cast<std::size_t>(k)];
        std::memcpy(out + 3 * places[static_cast<std::size_t>(k)], to, 3);
        const std::uint32_t colour = from[0] | from[1] << 8 | from[2] << 16;
        const std::uint32_t result = to[0] | to[1] << 8 | to[2] << 16;
        transform.memo[memo_slot(colour)].store(memo_used | std::uint64_t{colour} << 24 | result, std::memory_order_relaxed);
    }
    return missed;
}

// Rows first..last of the source, converted into the same rows of the destination.
void convert_rows(const ColourTransform& transform, const ImageBuffer& from, ImageBuffer& to, std::int32_t first,
                  std::int32_t last) {
    const auto width = static_cast<std::size_t>(from.width);
    const std::size_t padding = static_cast<std::size_t>(to.stride) - 3 * width;
    std::vector<std::uint8_t> gathered(3 * width), converted(3 * width);
    std::vector<std::int32_t> places(width);
    std::int32_t direct = 0;
    for (std::int32_t r = first; r <= last; ++r) {
        if (direct > 0) {
            cmsDoTransform(transform.handle, from.rows[r], to.rows[r], static_cast<cmsUInt32Number>(from.width));
            --direct;
        } else if (2 * convert_row_remembered(transform, from.rows[r], to.rows[r], from.width, gathered, converted,
                                              places) > from.width) {
            direct = rows_without_memo;
        }
        std::memset(to.rows[r] + 3 * width, 0, padding);
    }
}

}  // namespace

bool colour_transform_apply(const ImageBuffer& source, ImageBuffer& destination, const ColourTransform* transform) {
    if (source.kind == PixelFormat::Empty || source.empty()) {
        image_free(destination);
        return false;
    }
    // The transforms read three bytes a pixel; only Colour8 pictures have them.
    if (!transform || source.kind != PixelFormat::Colour8) return image_copy(source, destination);
    // A picture converted in place keeps its storage: the library converts a row onto
    // itself when both sides have the same pixel size, as ours do. Otherwise every byte
    // is written below: the pixels by the library, the padding there.
    if (&source != &destination && image_allocate_for_overwrite(destination, PixelFormat::Colour8, source.width,
                                                                source.height, source.resolution)) {
        return true;
    }
    return pool_run_images(
        [transform](const ImageBuffer& from, ImageBuffer& to, std::int32_t first, std::int32_t last) {
            convert_rows(*transform, from, to, first, last);
            return false;
        },
        source, destination);
}

bool colour_transform_apply_rows(ImageBuffer& picture, const ColourTransform* transform, std::int32_t rows_from_top) {
    const std::int32_t rows = std::min(rows_from_top, picture.height);
    if (!transform || picture.kind != PixelFormat::Colour8 || picture.empty() || rows <= 0) return false;
    const std::int32_t bottom = picture.height - rows;
    // Starting threads would cost a small picture more than they save.
    if (std::int64_t{rows} * picture.width < parallel_pixels) {
        convert_rows(*transform, picture, picture, bottom, picture.height - 1);
        return false;
    }
    return pool_run_rows(
        processor_count(),
        [&picture, transform, bottom](std::int32_t first, std::int32_t last) {
            convert_rows(*transform, picture, picture, bottom + first, bottom + last);
            return false;
        },
        rows);
}

SharedTransform colour_transform_shared(ColourTransformCache& cache, const std::vector<std::uint8_t>& profile,
                                        const ImageBuffer& picture, MonitorProfile monitor_profile,
                                        ColourTransformHandle& transform) {
    transform.reset();
    if (picture.kind == PixelFormat::Empty || picture.empty()) return SharedTransform::Ready;
    ColourTransformCache::Entry& entry = cache.entries[{monitor_profile, profile}];
    if (entry.refused) return SharedTransform::RefusedBefore;
    transform = entry.transform.lock();
    if (transform) return SharedTransform::Ready;
    entry.refused = colour_transform_create(profile, picture, monitor_profile, transform);
    entry.transform = transform;
    if (transform) ++cache.created;
    return entry.refused ? SharedTransform::Refused : SharedTransform::Ready;
}

bool colour_transform_to_srgb(MonitorProfile monitor_profile, ColourTransformHandle& transform) {
    transform.reset();
    if (monitor_profile != MonitorProfile::AdobeRgb && monitor_profile != MonitorProfile::DciP3) return false;
    const Profile input = monitor(monitor_profile);
    const Profile output(cmsCreate_sRGBProfile());
    if (!input || !output) return true;
    const cmsHTRANSFORM handle =
        cmsCreateTransform(input.get(), TYPE_BGR_8, output.get(), TYPE_BGR_8, INTENT_PERCEPTUAL, cmsFLAGS_NOCACHE);
    if (!handle) return true;
    transform = std::make_shared<ColourTransform>(handle);
    return false;
}

}  // namespace lumivane
