#include "imaging/image_copy.h"

#include <cstring>

#include "imaging/worker_pool.h"

namespace lumivane {

bool image_copy(const ImageBuffer& source, ImageBuffer& destination) {
    if (&source == &destination) return false;
    if (image_allocate_for_overwrite(destination, source.kind, source.width, source.height, source.resolution)) {
        return true;
    }
    if (destination.empty() || source.empty()) return false;
    return pool_run_rows(
        processor_count(),
        [&](std::int32_t first, std::int32_t last) {
            for (std::int32_t r = first; r <= last; ++r) {
                std::memcpy(destination.rows[r], source.rows[r], static_cast<std::size_t>(source.stride));
            }
            return false;
        },
        source.height);
}

}  // namespace lumivane
