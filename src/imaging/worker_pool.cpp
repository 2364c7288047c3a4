#include "imaging/worker_pool.h"

#include <algorithm>
#include <system_error>
#include <thread>

#include "imaging/frame_bitmap.h"
#include "imaging/image_buffer.h"

namespace lumivane {

std::int32_t processor_count() {
    static const std::int32_t count = [] {
        const unsigned n = std::thread::hardware_concurrency();
        return n == 0 ? 1 : static_cast<std::int32_t>(std::min<unsigned>(n, max_workers));
    }();
    return count;
}

std::int32_t row_worker_count(std::int32_t budget, std::int32_t rows) {
    return std::max(1, std::min({budget, max_workers, rows - 1}));
}

std::int32_t item_worker_count(std::int32_t budget, std::int32_t items) {
    return std::max(1, std::min({budget, max_workers, items}));
}

namespace {
std::int32_t round_half_away(double v) {
    return static_cast<std::int32_t>(v >= 0 ? v + 0.5 : v - 0.5);
}
}  // namespace

std::vector<std::pair<std::int32_t, std::int32_t>> pool_ranges(std::int32_t workers, std::int32_t last_index) {
    std::vector<std::pair<std::int32_t, std::int32_t>> ranges(static_cast<std::size_t>(workers));
    std::int32_t first = 0;
    for (std::int32_t i = 0; i < workers; ++i) {
        const std::int32_t last = i == workers - 1
                                      ? last_index
                                      : round_half_away(static_cast<double>(last_index) * (i + 1) / workers);
        ranges[static_cast<std::size_t>(i)] = {first, last};
        first = last + 1;
    }
    return ranges;
}

bool pool_dispatch(std::int32_t workers, std::int32_t last_index, const RangeCallback& callback) {
    const auto ranges = pool_ranges(workers, last_index);
    // One result per worker, so that the first failure in index order is reported.
    std::vector<char> results(ranges.size(), 0);
    std::vector<std::thread> threads;
    threads.reserve(ranges.size());
    auto run = [&](std::size_t i) {
        const auto [first, last] = ranges[i];
        results[i] = first <= last && callback(first, last) ? 1 : 0;
    };
    std::vector<std::size_t> not_started;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        try {
            threads.emplace_back(run, i);
        } catch (const std::system_error&) {
            // No thread to spare: this range runs on the calling thread instead.
            not_started.push_back(i);
        }
    }
    for (std::size_t i : not_started) run(i);
    for (std::thread& t : threads) t.join();
    return std::find(results.begin(), results.end(), 1) != results.end();
}

bool pool_run_rows(std::int32_t budget, const RangeCallback& callback, std::int32_t rows) {
    return pool_dispatch(row_worker_count(budget, rows), rows - 1, callback);
}

bool pool_run_images(const std::function<bool(const ImageBuffer&, ImageBuffer&, std::int32_t, std::int32_t)>& callback,
                     const ImageBuffer& source, ImageBuffer& destination) {
    return pool_dispatch(row_worker_count(processor_count(), destination.height), destination.height - 1,
                         [&](std::int32_t first, std::int32_t last) {
                             return callback(source, destination, first, last);
                         });
}

bool pool_run_frame(const std::function<bool(const ImageBuffer&, FrameBitmap&, std::int32_t, std::int32_t)>& callback,
                    const ImageBuffer& source, FrameBitmap& frame) {
    return pool_dispatch(row_worker_count(processor_count(), frame.height), frame.height - 1,
                         [&](std::int32_t first, std::int32_t last) { return callback(source, frame, first, last); });
}

bool pool_run_items(const RangeCallback& callback, std::int32_t items) {
    return pool_dispatch(item_worker_count(processor_count(), items), items - 1, callback);
}

}  // namespace lumivane
