#include "imaging/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "imaging/frame_bitmap.h"
#include "imaging/image_buffer.h"
#include "support/recording_ui.h"

namespace lumivane {
namespace {

using Ranges = std::vector<std::pair<std::int32_t, std::int32_t>>;

TEST(WorkerPool, WorkerCounts) {
    EXPECT_EQ(row_worker_count(8, 1000), 8);
    EXPECT_EQ(row_worker_count(8, 0), 1);
    EXPECT_EQ(row_worker_count(8, 1), 1);
    EXPECT_EQ(row_worker_count(8, 2), 1);
    EXPECT_EQ(row_worker_count(8, 3), 2);
    EXPECT_EQ(row_worker_count(5000, 100000), 1024);
    EXPECT_EQ(item_worker_count(8, 2), 2);
    EXPECT_EQ(item_worker_count(8, 0), 1);
    EXPECT_EQ(item_worker_count(5000, 100000), 1024);
    EXPECT_GE(processor_count(), 1);
    EXPECT_EQ(processor_count(), processor_count());
}

TEST(WorkerPool, RangesAreRoundedHalfAwayFromZero) {
    EXPECT_EQ(pool_ranges(8, 999), (Ranges{{0, 125}, {126, 250}, {251, 375}, {376, 500}, {501, 624}, {625, 749},
                                           {750, 874}, {875, 999}}));
    EXPECT_EQ(pool_ranges(1, -1), (Ranges{{0, -1}}));
    EXPECT_EQ(pool_ranges(2, 1), (Ranges{{0, 1}, {2, 1}}));  // round(0.5) = 1 leaves the second empty
    EXPECT_EQ(pool_ranges(3, 9), (Ranges{{0, 3}, {4, 6}, {7, 9}}));
}

TEST(WorkerPool, EveryRowRunsOnceOnItsOwnThread) {
    std::mutex lock;
    Ranges seen;
    std::vector<std::thread::id> threads;
    std::vector<int> visits(1000, 0);
    ASSERT_FALSE(pool_run_rows(
        8,
        [&](std::int32_t first, std::int32_t last) {
            for (std::int32_t r = first; r <= last; ++r) ++visits[r];
            std::lock_guard<std::mutex> guard(lock);
            seen.emplace_back(first, last);
            threads.push_back(std::this_thread::get_id());
            return false;
        },
        1000));
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, pool_ranges(8, 999));
    for (int v : visits) ASSERT_EQ(v, 1);
    std::sort(threads.begin(), threads.end());
    EXPECT_EQ(std::unique(threads.begin(), threads.end()) - threads.begin(), 8);
    EXPECT_EQ(std::count(threads.begin(), threads.end(), std::this_thread::get_id()), 0);
}

TEST(WorkerPool, EmptyRangesDoNothing) {
    std::atomic<int> calls = 0;
    auto count = [&](std::int32_t first, std::int32_t last) {
        calls += last - first + 1;
        return false;
    };
    EXPECT_FALSE(pool_run_rows(8, count, 0));
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(pool_run_rows(8, count, 1));
    EXPECT_EQ(calls, 1);
    calls = 0;
    EXPECT_FALSE(pool_run_items(count, 2));
    EXPECT_EQ(calls, 2);
}

TEST(WorkerPool, AFailureIsReportedAfterEveryWorkerFinished) {
    std::atomic<int> finished = 0;
    const bool failed = pool_run_rows(
        4,
        [&](std::int32_t first, std::int32_t) {
            // The first worker fails at once; the others take longer and must still finish.
            if (first != 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
            ++finished;
            return first == 0;
        },
        100);
    EXPECT_TRUE(failed);
    EXPECT_EQ(finished, 4);
}

TEST(WorkerPool, ImageAndFrameDispatchersCoverTheDestinationRows) {
    ImageBuffer source, destination;
    ASSERT_FALSE(image_allocate(source, PixelFormat::Grey8, 4, 7, 1.0));
    ASSERT_FALSE(image_allocate(destination, PixelFormat::Grey8, 4, 50, 1.0));
    std::vector<int> rows(50, 0);
    ASSERT_FALSE(pool_run_images(
        [&](const ImageBuffer& s, ImageBuffer& d, std::int32_t first, std::int32_t last) {
            EXPECT_EQ(&s, &source);
            for (std::int32_t r = first; r <= last; ++r) d.rows[r][0] = 1, ++rows[r];
            return false;
        },
        source, destination));
    for (int v : rows) EXPECT_EQ(v, 1);

    testing::RecordingUi ui;
    FrameBitmap frame;
    ASSERT_FALSE(frame_create(frame, 10, 33));
    std::vector<int> frame_rows(33, 0);
    EXPECT_TRUE(pool_run_frame(
        [&](const ImageBuffer&, FrameBitmap& f, std::int32_t first, std::int32_t last) {
            for (std::int32_t r = first; r <= last; ++r) f.row(r)[0] = 5, ++frame_rows[r];
            return last == 32;  // the last piece fails
        },
        source, frame));
    for (int v : frame_rows) EXPECT_EQ(v, 1);
}

}  // namespace
}  // namespace lumivane
