#include "app/show_images.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

#include "app/app_context.h"
#include "app/slide_messages.h"
#include "app/slide_pictures.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/system_memory.h"
#include "platform/translation.h"
#include "playback/pan_zoom.h"

namespace lumivane {

namespace {

// The memory taken for pictures read but not yet given to their slides. Two threads
// that ask at once must not both be told of the same room: each picture's bytes count
// until its slide has it, and its pages with it.
class MemoryLedger {
public:
    // Whether bytes more fit beside what is reserved, reserving nothing: for memory
    // taken and written at once.
    bool fits(std::uint64_t bytes) {
        const std::lock_guard lock(mutex_);
        return memory_fits(reserved_ + bytes);
    }
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

// Reads the slides' files on two threads of their own while the user interface thread
// finishes the slides in order. Decoding is single-threaded, so two threads keep both
// processors busy; a thread that is done takes the next slide, but no thread reads more
// than max_ahead slides beyond the one the user interface waits for, so that beside
// the slides' own pictures only a few decoded pictures wait. A picture whose profile is
// the one of the slide finished last is converted by its thread too. The threads live as
// long as the loading: a show of thousands of small pictures would spend more on
// starting threads than on reading.
class SlideReaders {
public:
    static constexpr std::int32_t max_ahead = 3;

    SlideReaders(std::u16string folder, std::vector<std::u16string> file_names)
        : folder_(std::move(folder)), names_(std::move(file_names)) {
        for (std::thread& thread : threads_) {
            try {
                thread = std::thread([this] { run(); });
            } catch (const std::system_error&) {
                // No thread to spare: take() reads what no thread does.
            }
        }
    }
    SlideReaders(const SlideReaders&) = delete;
    SlideReaders& operator=(const SlideReaders&) = delete;
    ~SlideReaders() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        for (std::thread& thread : threads_) {
            if (thread.joinable()) thread.join();
        }
    }

    // The file of slide index, read; slides are taken in order.
    SlideFile take(std::int32_t index) {
        std::unique_lock lock(mutex_);
        waiting_for_ = index;
        changed_.notify_all();
        if (!threads_[0].joinable() && !threads_[1].joinable() && next_ == index) {
            ++next_;
            lock.unlock();
            read(index);
            lock.lock();
        }
        changed_.wait(lock, [&] { return read_.count(index) > 0; });
        Read done = std::move(read_[index]);
        read_.erase(index);
        ledger_.release(done.reserved);
        return std::move(done.file);
    }

    // Whether bytes more fit beside the pictures read ahead.
    bool fits(std::uint64_t bytes) { return ledger_.fits(bytes); }

    // The transform the slide finished last used, and the profile it converts from.
    void set_known(const std::vector<std::uint8_t>& profile, const ColourTransformHandle& transform) {
        const std::lock_guard lock(mutex_);
        known_profile_ = profile;
        known_transform_ = transform;
    }

private:
    struct Read {
        SlideFile file;
        std::uint64_t reserved = 0;  // in the ledger for its picture
    };

    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return stopping_ || startable(); });
            if (stopping_) return;
            const std::int32_t index = next_++;
            lock.unlock();
            read(index);
            lock.lock();
        }
    }

    bool startable() const {
        return next_ < static_cast<std::int32_t>(names_.size()) && next_ <= waiting_for_ + max_ahead;
    }

    // Reads the file of a slide and hands it over; called without the lock.
    void read(std::int32_t index) {
        Read done;
        done.file = locate_slide_file(folder_, names_[static_cast<std::size_t>(index)]);
        {
            const std::lock_guard lock(mutex_);
            done.file.known_profile = known_profile_;
            done.file.known_transform = known_transform_;
        }
        read_slide_file(done.file, [&](std::uint64_t bytes) {
            if (!ledger_.reserve(bytes)) return false;
            done.reserved += bytes;
            return true;
        });
        const std::lock_guard lock(mutex_);
        // Past a picture that did not fit, loading stops: nothing more is started.
        if (done.file.outcome == SlideFile::Outcome::OutOfMemory) next_ = static_cast<std::int32_t>(names_.size());
        read_[index] = std::move(done);
        changed_.notify_all();
    }

    const std::u16string folder_;
    const std::vector<std::u16string> names_;
    MemoryLedger ledger_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::int32_t next_ = 0;         // the next slide to start reading
    std::int32_t waiting_for_ = 0;  // the slide the user interface thread waits for
    bool stopping_ = false;
    std::map<std::int32_t, Read> read_;
    std::vector<std::uint8_t> known_profile_;
    ColourTransformHandle known_transform_;
    std::thread threads_[2];
};

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
            for (const ImageBuffer& level : slide.levels) {
                loaded_bytes += image_bytes(level.kind, level.width, level.height);
            }
        } else if (i > stopped_at) {
            const SlideFile file = locate_slide_file(show.show_folder, slide.file);
            if (file.outcome == SlideFile::Outcome::Located && file_exists(file.path)) {
                needed += image_measure(file.working_path);
            }
        }
    }
    // Smooth motion's levels take about a third of the pictures' bytes more.
    if (context.motion == Motion::Smooth) needed += needed / 3;
    needed += loaded_bytes;
    const std::uint64_t headroom = memory_headroom();
    const std::uint64_t usable = loaded_bytes + (headroom > memory_reserve ? headroom - memory_reserve : 0);
    error_box(context.ui,
              Core::tr("Out of memory: %d of %d slides were loaded.\n"
                       "The pictures of the whole show need %s; the program may use %s for them.\n"
                       "The other slides stay in the show without their pictures."),
              loaded, show.slide_count(), memory_text(needed), memory_text(usable));
}

}  // namespace

std::u16string memory_text(std::uint64_t bytes) {
    if (bytes >= 1'000'000'000) return formatted(u"%1f\u00A0GB", static_cast<double>(bytes) / 1e9);
    return formatted(u"%d\u00A0MB", static_cast<std::int32_t>((bytes + 999'999) / 1'000'000));
}

void load_show_images(AppContext& context) {
    FlowInterface& ui = context.ui;
    SlideShow& show = context.show;
    ui.show_status(Core::tr("Loading image files"));
    SlideMessages messages(ui);
    std::vector<std::u16string> names;
    for (const Slide& slide : show.slides) names.push_back(slide.file);
    SlideReaders readers(show.show_folder, std::move(names));
    for (std::int32_t i = 0; i < show.slide_count(); ++i) {
        Slide& slide = show.slides[static_cast<std::size_t>(i)];
        // The file the loading waits for now.
        show_reading(ui, locate_slide_file(show.show_folder, slide.file));
        SlideFile file = readers.take(i);
        const auto fits = [&readers](std::uint64_t bytes) { return readers.fits(bytes); };
        if (prepare_slide(context, i, slide, messages, &file, nullptr, fits) == SlidePrepared::OutOfMemory) {
            // The slides not loaded keep their files: saving the show loses none of them.
            report_out_of_memory(context, i, file.report.picture_bytes);
            break;
        }
        if (slide.transform) readers.set_known(slide.profile, slide.transform);
    }
    messages.finish();
    ui.set_cursor(CursorShape::Arrow);
    ui.hide_status();
    ui.changed(Change::Slides);
}

}  // namespace lumivane
