#pragma once
// The slides' full pictures, decoded when they are needed rather than when a show
// opens. A slide holds a PictureHandle, which copies of the slide share: the file, the
// picture's upright size and the transform to the monitor's colours. The picture
// itself is decoded, turned upright and converted on the cache's threads ahead of
// playback (pictures_want), or on the thread that needs it when it is late, and kept as
// long as memory allows: when a new picture does not fit in the memory the program may
// use (memory_fits), the pictures least recently needed that are not wanted soon are
// let go first. A show whose pictures fit stays wholly in memory.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "imaging/colour_transform.h"
#include "imaging/image_buffer.h"

namespace lumivane {

// Where a picture comes from and how it is decoded.
struct PictureSource {
    std::u16string working_path;  // the file read (a shortcut's target)
    std::int32_t width = 0;       // full size, upright
    std::int32_t height = 0;
    ColourTransformHandle transform;  // to the monitor's colours; none keeps the file's
};

// What a user of a picture needs of it: the picture at most reduction (1, 2, 4 or 8)
// times smaller than its full size in each direction (a format that cannot decode
// smaller gives it whole), and smooth motion's halved copies.
struct PictureNeed {
    std::int32_t reduction = 1;
    bool levels = false;
};

// A decoded picture as its users get it. It stays whole while they hold it, even when
// the cache lets it go meanwhile.
struct PictureView {
    std::shared_ptr<const ImageBuffer> image;  // null when the file could not be decoded
    std::shared_ptr<const std::vector<ImageBuffer>> levels;  // null without levels
    std::int32_t reduction = 1;
    bool levels_tried = false;  // levels were asked for; null levels did not fit
};

class PictureStore;

// The picture slides share. Only source is for its users; the rest is the cache's,
// under its store's lock.
struct Picture {
    PictureSource source;
    std::shared_ptr<PictureStore> store;
    PictureView held;
    std::uint64_t last_needed = 0;
    bool reading = false;
    bool failed = false;  // the file could not be decoded when it was needed
};
using PictureHandle = std::shared_ptr<Picture>;

// A picture and what is needed of it, as read-ahead lists them.
struct PictureWant {
    PictureHandle picture;
    PictureNeed need;
};

// The cache of one program: its pictures and the threads that read ahead.
class PictureCache {
public:
    // With a byte limit the pictures held never take more than that either.
    explicit PictureCache(std::uint64_t byte_limit = ~std::uint64_t{0});
    ~PictureCache();
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // A picture of a file, nothing decoded yet.
    PictureHandle add(PictureSource source);
    // Pictures needed before they were ready, since the cache was made.
    std::int64_t late_count() const;
    // The bytes of the pictures (and levels) the cache holds now.
    std::uint64_t held_bytes() const;

private:
    std::shared_ptr<PictureStore> store_;
    std::thread threads_[2];
};

// A picture made in memory (a test's, a benchmark's, a video export's converted one):
// always held, never read from a file. Levels are made when first needed.
PictureHandle picture_in_memory(ImageBuffer image);
// The same for a picture reduction times smaller than its full size, width x height.
PictureHandle picture_in_memory(ImageBuffer image, std::int32_t width, std::int32_t height, std::int32_t reduction);

// The picture as need asks, decoded here when it is not ready (which counts as late,
// for a picture of a file). A view without an image when it cannot be decoded.
PictureView picture_get(const PictureHandle& picture, PictureNeed need);

// Replaces the list of pictures to read ahead, most urgent first. Only the pictures of
// the cache of the first picture of a file are read; pictures made in memory need no
// reading.
void pictures_want(const std::vector<PictureWant>& order);

// Whether the picture's file could not be decoded when it was needed.
bool picture_failed(const PictureHandle& picture);

// The full upright size; 0 for no picture.
std::int32_t picture_width(const PictureHandle& picture);
std::int32_t picture_height(const PictureHandle& picture);

}  // namespace lumivane
