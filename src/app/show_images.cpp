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
#include "platform/translation.h"
#include "playback/pan_zoom.h"

namespace lumivane {

namespace {

// Reads the slides' files on two threads of their own while the user interface thread
// finishes the slides in order. Decoding is single-threaded, so two threads keep both
// processors busy; a thread that is done takes the next slide, but no thread reads more
// than max_ahead slides beyond the one the user interface waits for. A picture whose profile is
// the one of the slide finished last is converted by its thread too. The threads live as
// long as the loading: a show of thousands of small pictures would spend more on
// starting threads than on reading.
class SlideReaders {
public:
    static constexpr std::int32_t max_ahead = 3;

    SlideReaders(std::u16string folder, std::vector<std::u16string> file_names, std::int32_t thumbnail_side,
                 std::u16string thumbnail_folder)
        : folder_(std::move(folder)),
          names_(std::move(file_names)),
          thumbnail_side_(thumbnail_side),
          thumbnail_folder_(std::move(thumbnail_folder)) {
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
        SlideFile done = std::move(read_[index]);
        read_.erase(index);
        return done;
    }

    // The transform the slide finished last used, and the profile it converts from.
    void set_known(const std::vector<std::uint8_t>& profile, const ColourTransformHandle& transform) {
        const std::lock_guard lock(mutex_);
        known_profile_ = profile;
        known_transform_ = transform;
    }

private:
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
        SlideFile done = locate_slide_file(folder_, names_[static_cast<std::size_t>(index)]);
        {
            const std::lock_guard lock(mutex_);
            done.known_profile = known_profile_;
            done.known_transform = known_transform_;
        }
        read_slide_file(done, thumbnail_side_, thumbnail_folder_);
        const std::lock_guard lock(mutex_);
        read_[index] = std::move(done);
        changed_.notify_all();
    }

    const std::u16string folder_;
    const std::vector<std::u16string> names_;
    const std::int32_t thumbnail_side_;
    const std::u16string thumbnail_folder_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::int32_t next_ = 0;         // the next slide to start reading
    std::int32_t waiting_for_ = 0;  // the slide the user interface thread waits for
    bool stopping_ = false;
    std::map<std::int32_t, SlideFile> read_;
    std::vector<std::uint8_t> known_profile_;
    ColourTransformHandle known_transform_;
    std::thread threads_[2];
};

}  // namespace

void load_show_images(AppContext& context) {
    FlowInterface& ui = context.ui;
    SlideShow& show = context.show;
    ui.show_status(Core::tr("Loading image files"));
    SlideMessages messages(ui);
    std::vector<std::u16string> names;
    for (const Slide& slide : show.slides) names.push_back(slide.file);
    SlideReaders readers(show.show_folder, std::move(names), context.thumbnail_box, context.thumbnail_folder);
    for (std::int32_t i = 0; i < show.slide_count(); ++i) {
        Slide& slide = show.slides[static_cast<std::size_t>(i)];
        // The file the loading waits for now.
        show_reading(ui, locate_slide_file(show.show_folder, slide.file));
        SlideFile file = readers.take(i);
        prepare_slide(context, i, slide, messages, &file);
        if (slide.picture && slide.picture->source.transform) {
            readers.set_known(file.profile, slide.picture->source.transform);
        }
    }
    messages.finish();
    ui.set_cursor(CursorShape::Arrow);
    ui.hide_status();
    ui.changed(Change::Slides);
}

}  // namespace lumivane
