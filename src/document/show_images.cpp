#include "document/show_images.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "document/app_context.h"
#include "document/message_boxes.h"
#include "document/slide_messages.h"
#include "document/slide_pictures.h"
#include "platform/files.h"
#include "platform/system_memory.h"

namespace lumivane {

namespace {

// The memory taken for pictures read but not yet given to their slides. Two threads
// that ask at once must not both be told of the same room: each picture's bytes count
// until its slide has it, and its pages with it.
class MemoryLedger {
public:
    bool reserve(std::uint64_t bytes) {
        const std::lock_guard lock(mutex_);
        if (!memory_fits(reserved_ + bytes)) return false;
        reserved_ += bytes;
        return true;
    }
    void release(std::uint64_t bytes) {
        const std::lock_guard lock(mutex_);
        reserved_ -= std::min(reserved_, bytes);
    }

private:
    std::mutex mutex_;
    std::uint64_t reserved_ = 0;
};

// Reads slides' files on a thread of its own, one at a time. Decoding is
// single-threaded; two of these keep both processors busy while the user interface
// thread finishes the slides in order, and beside the slides' own pictures at most two
// decoded pictures wait. The thread lives as long as the loading: a show of thousands
// of small pictures would spend more on starting threads than on reading.
class ReadAhead {
public:
    explicit ReadAhead(MemoryLedger& ledger) : ledger_(ledger) {
        try {
            thread_ = std::thread([this] { run(); });
        } catch (const std::system_error&) {
            // No thread to spare: start() reads the file itself.
        }
    }
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;
    ~ReadAhead() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        if (thread_.joinable()) thread_.join();
    }

    void start(SlideFile file) {
        std::unique_lock lock(mutex_);
        file_ = std::move(file);
        if (!thread_.joinable()) {
            read();
            return;
        }
        reading_ = true;
        lock.unlock();
        changed_.notify_all();
    }

    SlideFile take() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !reading_; });
        ledger_.release(reserved_);
        reserved_ = 0;
        return std::move(file_);
    }

private:
    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return reading_ || stopping_; });
            if (!reading_) return;
            // The file is this thread's alone until it says it is done.
            lock.unlock();
            read();
            lock.lock();
            reading_ = false;
            changed_.notify_all();
        }
    }

    void read() {
        read_slide_file(file_, [this](std::uint64_t bytes) {
            if (!ledger_.reserve(bytes)) return false;
            reserved_ += bytes;
            return true;
        });
    }

    MemoryLedger& ledger_;
    std::uint64_t reserved_ = 0;  // in the ledger for the file read
    std::mutex mutex_;
    std::condition_variable changed_;
    bool reading_ = false;
    bool stopping_ = false;
    SlideFile file_;
    std::thread thread_;
};

// An amount of memory as people read it; the number and its unit stay on one line.
std::u16string memory_text(std::uint64_t bytes) {
    if (bytes >= 1'000'000'000) return formatted(u"%1f\u00A0GB", static_cast<double>(bytes) / 1e9);
    return formatted(u"%d\u00A0MB", static_cast<std::int32_t>((bytes + 999'999) / 1'000'000));
}

// Loading stopped at the slide stopped_at, whose picture of picture_bytes did not fit:
// how many slides have their pictures, what the whole show's pictures would take (the
// others' as their files tell), and what the program may have for them.
void report_out_of_memory(AppContext& context, std::int32_t stopped_at, std::uint64_t picture_bytes) {
    const SlideShow& show = context.show;
    std::int32_t loaded = 0;
    std::uint64_t loaded_bytes = 0;
    std::uint64_t needed = picture_bytes;
    for (std::int32_t i = 0; i < show.slide_count(); ++i) {
        const Slide& slide = show.slides[static_cast<std::size_t>(i)];
        if (i < stopped_at) {
            loaded += slide.image.empty() ? 0 : 1;
            loaded_bytes += image_bytes(slide.image.kind, slide.image.width, slide.image.height);
        } else if (i > stopped_at) {
            const SlideFile file = locate_slide_file(show.show_folder, slide.file);
            if (file.outcome == SlideFile::Outcome::Located && file_exists(file.path)) {
                needed += image_measure(file.working_path);
            }
        }
    }
    needed += loaded_bytes;
    const std::uint64_t headroom = memory_headroom();
    const std::uint64_t usable = loaded_bytes + (headroom > memory_reserve ? headroom - memory_reserve : 0);
    error_box(context.ui,
              u"Out of memory: %d of %d slides were loaded.\n"
              u"The pictures of the whole show need %s; the program may use %s for them.\n"
              u"The other slides stay in the show without their pictures.",
              loaded, show.slide_count(), memory_text(needed), memory_text(usable));
}

}  // namespace

void load_show_images(AppContext& context) {
    UserInterface& ui = context.ui;
    SlideShow& show = context.show;
    ui.show_status(u"Loading image files");
    SlideMessages messages(ui);
    MemoryLedger ledger;
    ReadAhead readers[2] = {ReadAhead(ledger), ReadAhead(ledger)};
    // Slide i is read by readers[i % 2]. A picture whose profile is the one of the slide
    // finished before it is converted by its reader too.
    const auto read = [&](std::int32_t i, const Slide* before) {
        SlideFile file = locate_slide_file(show.show_folder, show.slides[static_cast<std::size_t>(i)].file);
        if (before && before->transform) {
            file.known_transform = before->transform;
            file.known_profile = before->profile;
        }
        if (file.outcome == SlideFile::Outcome::Located) ui.set_status_text(formatted(u"Reading %s", file.working_path));
        readers[i % 2].start(std::move(file));
    };
    const std::int32_t count = show.slide_count();
    for (std::int32_t i = 0; i < std::min(count, 2); ++i) read(i, nullptr);
    for (std::int32_t i = 0; i < count; ++i) {
        Slide& slide = show.slides[static_cast<std::size_t>(i)];
        SlideFile file = readers[i % 2].take();
        if (prepare_slide(context, i, slide, messages, &file) == SlidePrepared::OutOfMemory) {
            // The slides not loaded keep their files: saving the show loses none of them.
            report_out_of_memory(context, i, file.report.picture_bytes);
            break;
        }
        if (i + 2 < count) read(i + 2, &slide);
    }
    messages.finish();
    ui.set_cursor(CursorShape::Arrow);
    ui.hide_status();
    ui.update_tool_buttons();
}

}  // namespace lumivane
