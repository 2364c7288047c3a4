#include "imaging/colour_transform.h"

#include <algorithm>
#include <cstring>

#include <lcms2.h>

#include "document/message_boxes.h"
#include "imaging/image_copy.h"
#include "imaging/monitor_profiles.h"
#include "imaging/worker_pool.h"

namespace lumivane {

struct ColourTransform {
    explicit ColourTransform(cmsHTRANSFORM h) : handle(h) {}
    ~ColourTransform() { cmsDeleteTransform(handle); }
    ColourTransform(const ColourTransform&) = delete;
    ColourTransform& operator=(const ColourTransform&) = delete;

    cmsHTRANSFORM handle;
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

Profile monitor(std::int32_t monitor_profile) {
    switch (monitor_profile) {
    case monitor_adobe_rgb: return open_profile(adobe_rgb_profile());
    case monitor_dci_p3: return open_profile(dci_p3_profile());
    default: return Profile(cmsCreate_sRGBProfile());
    }
}

}  // namespace

bool colour_transform_create(UserInterface& ui, const std::vector<std::uint8_t>& profile, const ImageBuffer& picture,
                             std::int32_t monitor_profile, ColourTransformHandle& transform) {
    transform.reset();
    if (picture.kind == PixelFormat::Empty || picture.empty()) return false;
    const Profile input = profile.empty() ? Profile(cmsCreate_sRGBProfile()) : open_profile(profile);
    const Profile output = monitor(monitor_profile);
    cmsHTRANSFORM handle = nullptr;
    if (input && output) {
        handle = cmsCreateTransform(input.get(), TYPE_BGR_8, output.get(), TYPE_BGR_8, INTENT_PERCEPTUAL,
                                    cmsFLAGS_NOCACHE);
    }
    if (!handle) {
        error_box(ui, u"Problem converting from working color space to monitor color space");
        return true;
    }
    transform = std::make_shared<ColourTransform>(handle);
    return false;
}

namespace {

// Pictures of fewer pixels are converted on the calling thread.
constexpr std::int64_t parallel_pixels = 262144;

// Rows first..last of the source, converted into the same rows of the destination.
void convert_rows(cmsHTRANSFORM handle, const ImageBuffer& from, ImageBuffer& to, std::int32_t first, std::int32_t last) {
    const auto used = static_cast<std::size_t>(3 * from.width);
    const std::size_t padding = static_cast<std::size_t>(to.stride) - used;
    for (std::int32_t r = first; r <= last; ++r) {
        cmsDoTransform(handle, from.rows[r], to.rows[r], static_cast<cmsUInt32Number>(from.width));
        std::memset(to.rows[r] + used, 0, padding);
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
    const cmsHTRANSFORM handle = transform->handle;
    return pool_run_images(
        [handle](const ImageBuffer& from, ImageBuffer& to, std::int32_t first, std::int32_t last) {
            convert_rows(handle, from, to, first, last);
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
        convert_rows(transform->handle, picture, picture, bottom, picture.height - 1);
        return false;
    }
    return pool_run_rows(
        processor_count(),
        [&picture, handle = transform->handle, bottom](std::int32_t first, std::int32_t last) {
            convert_rows(handle, picture, picture, bottom + first, bottom + last);
            return false;
        },
        rows);
}

bool colour_transform_shared(ColourTransformCache& cache, UserInterface& ui, const std::vector<std::uint8_t>& profile,
                             const ImageBuffer& picture, std::int32_t monitor_profile, ColourTransformHandle& transform) {
    transform.reset();
    if (picture.kind == PixelFormat::Empty || picture.empty()) return false;
    ColourTransformCache::Entry& entry = cache.entries[{monitor_profile, profile}];
    transform = entry.transform.lock();
    if (transform || entry.refused) return entry.refused;
    entry.refused = colour_transform_create(ui, profile, picture, monitor_profile, transform);
    entry.transform = transform;
    if (transform) ++cache.created;
    return entry.refused;
}

}  // namespace lumivane
