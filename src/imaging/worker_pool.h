#pragma once
// Runs one pixel operation on all processors at once. The index range is cut into
// contiguous pieces of nearly equal size, one per worker thread; each dispatch starts
// its own threads, waits for all of them, and returns the first failure in index order.
// A callback receives an inclusive range [first, last] and must write only the output
// that belongs to those indices; it must not reach the user interface.

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace lumivane {

struct ImageBuffer;
struct FrameBitmap;

inline constexpr std::int32_t max_workers = 1024;

// Logical processors, read once; the thread budget of every dispatch.
std::int32_t processor_count();

using RangeCallback = std::function<bool(std::int32_t first, std::int32_t last)>;

// Workers for R rows: at most R - 1 (and budget, and 1024), at least 1.
std::int32_t row_worker_count(std::int32_t budget, std::int32_t rows);
// Workers for N items: at most N (and budget, and 1024), at least 1.
std::int32_t item_worker_count(std::int32_t budget, std::int32_t items);
// The inclusive ranges of n workers over 0..last_index, cut at last_index * (i + 1) / n
// rounded half away from zero.
std::vector<std::pair<std::int32_t, std::int32_t>> pool_ranges(std::int32_t workers, std::int32_t last_index);

// Runs callback over pieces of 0..last_index on the given number of threads.
[[nodiscard]] bool pool_dispatch(std::int32_t workers, std::int32_t last_index, const RangeCallback& callback);

// Rows 0..rows - 1 of the image being processed.
[[nodiscard]] bool pool_run_rows(std::int32_t budget, const RangeCallback& callback, std::int32_t rows);
// Rows of the destination image.
[[nodiscard]] bool pool_run_images(const std::function<bool(const ImageBuffer&, ImageBuffer&, std::int32_t, std::int32_t)>& callback,
                     const ImageBuffer& source, ImageBuffer& destination);
// Rows of the frame.
[[nodiscard]] bool pool_run_frame(const std::function<bool(const ImageBuffer&, FrameBitmap&, std::int32_t, std::int32_t)>& callback,
                    const ImageBuffer& source, FrameBitmap& frame);
// Items 0..items - 1, for example the bytes of a frame.
[[nodiscard]] bool pool_run_items(const RangeCallback& callback, std::int32_t items);

}  // namespace lumivane
