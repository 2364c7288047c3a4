#include "imaging/picture_cache.h"

#include <algorithm>
#include <exception>
#include <system_error>

#include "imaging/image_loader.h"
#include "imaging/picture_levels.h"
#include "platform/system_memory.h"

namespace lumivane {

namespace {

std::uint64_t view_bytes(const PictureView& view) {
    std::uint64_t bytes = 0;
    if (view.image) bytes += image_bytes(view.image->kind, view.image->width, view.image->height);
    if (view.levels) {
        for (const ImageBuffer& level : *view.levels) bytes += image_bytes(level.kind, level.width, level.height);
    }
    return bytes;
}

bool satisfies(const PictureView& view, PictureNeed need) {
    return view.image && view.reduction <= need.reduction && (!need.levels || view.levels_tried);
}

}  // namespace

// What the pictures of one cache share: the lock over their state, the pictures held,
// the list to read ahead and the count of late pictures.
class PictureStore {
public:
    PictureStore(bool reads_files, std::uint64_t byte_limit) : reads_files_(reads_files), byte_limit_(byte_limit) {}

    bool reads_files() const { return reads_files_; }

    PictureView get(const PictureHandle& picture, PictureNeed need) {
        std::unique_lock lock(mutex_);
        picture->last_needed = ++clock_;
        // A picture made in memory without pixels has nothing to read.
        if (!reads_files_ && !picture->held.image) return {};
        if (!satisfies(picture->held, need) && !picture->failed && reads_files_) ++late_;
        for (;;) {
            if (satisfies(picture->held, need) || picture->failed) return picture->held;
            if (!picture->reading) break;
            changed_.wait(lock);
        }
        fill(lock, picture, need, -1);
        return picture->held;
    }

    void want(std::vector<PictureWant> order) {
        {
            const std::lock_guard lock(mutex_);
            wanted_ = std::move(order);
            stalled_ = false;
            // The picture needed first counts as needed now.
            if (!wanted_.empty()) wanted_.front().picture->last_needed = ++clock_;
        }
        changed_.notify_all();
    }

    // A thread that reads ahead, until stop.
    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            std::int32_t position = -1;
            changed_.wait(lock, [&] { return stopping_ || (position = next_wanted()) >= 0; });
            if (stopping_) return;
            const PictureWant want = wanted_[static_cast<std::size_t>(position)];
            fill(lock, want.picture, want.need, position);
        }
    }

    void stop() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
            wanted_.clear();
        }
        changed_.notify_all();
    }

    void hold(const PictureHandle& picture) {
        const std::lock_guard lock(mutex_);
        held_list_.push_back(picture);
    }

    std::int64_t late() const {
        const std::lock_guard lock(mutex_);
        return late_;
    }

    std::uint64_t held_bytes() const {
        const std::lock_guard lock(mutex_);
        return held_bytes_locked();
    }

    bool failed(const Picture& picture) const {
        const std::lock_guard lock(mutex_);
        return picture.failed;
    }

private:
    std::uint64_t held_bytes_locked() const {
        std::uint64_t bytes = 0;
        for (const std::weak_ptr<Picture>& weak : held_list_) {
            if (const PictureHandle p = weak.lock()) bytes += view_bytes(p->held);
        }
        return bytes;
    }

    // The first wanted picture that is neither ready nor being read; -1 for none.
    std::int32_t next_wanted() const {
        if (stalled_) return -1;
        for (std::size_t i = 0; i < wanted_.size(); ++i) {
            const Picture& p = *wanted_[i].picture;
            if (!p.reading && !p.failed && !satisfies(p.held, wanted_[i].need)) return static_cast<std::int32_t>(i);
        }
        return -1;
    }

    // The position of a picture in the read-ahead list, or the list's length.
    std::size_t wanted_position(const Picture* picture) const {
        for (std::size_t i = 0; i < wanted_.size(); ++i) {
            if (wanted_[i].picture.get() == picture) return i;
        }
        return wanted_.size();
    }

    // Makes room for bytes more, letting go of pictures not wanted before position (-1:
    // needed now, anything may go but for): first those not wanted at all, least
    // recently needed first, then those wanted last. The bytes are then reserved until
    // the caller gives them back. Called under the lock.
    bool make_room(std::uint64_t bytes, const Picture* for_picture, std::int32_t position) {
        for (;;) {
            const std::uint64_t wanted = reserved_ + bytes;
            if (memory_fits(wanted) && held_bytes_locked() + wanted <= byte_limit_) {
                reserved_ += bytes;
                return true;
            }
            Picture* victim = nullptr;
            std::size_t victim_at = 0;
            held_list_.erase(std::remove_if(held_list_.begin(), held_list_.end(),
                                            [](const std::weak_ptr<Picture>& w) {
                                                const PictureHandle p = w.lock();
                                                return !p || !p->held.image;
                                            }),
                             held_list_.end());
            for (const std::weak_ptr<Picture>& weak : held_list_) {
                const PictureHandle p = weak.lock();
                if (!p || p.get() == for_picture) continue;
                const std::size_t at = wanted_position(p.get());
                if (position >= 0 && at <= static_cast<std::size_t>(position)) continue;
                const bool unwanted = at == wanted_.size();
                bool goes_first = !victim;
                if (victim) {
                    const bool victim_unwanted = victim_at == wanted_.size();
                    if (unwanted != victim_unwanted) {
                        goes_first = unwanted;
                    } else if (unwanted) {
                        goes_first = p->last_needed < victim->last_needed;
                    } else {
                        goes_first = at > victim_at;
                    }
                }
                if (goes_first) {
                    victim = p.get();
                    victim_at = at;
                }
            }
            if (!victim) return false;
            victim->held = PictureView{};
        }
    }

    // Decodes the picture as need asks (or only adds its levels), without the lock
    // while it works; position as for make_room.
    void fill(std::unique_lock<std::mutex>& lock, const PictureHandle& picture, PictureNeed need,
              std::int32_t position) {
        picture->reading = true;
        PictureView view = picture->held;
        const bool decode = !view.image || view.reduction > need.reduction;
        std::uint64_t reserved = 0;
        bool out_of_room = false;
        const MemoryCheck fits = [&](std::uint64_t bytes) {
            std::unique_lock relock(mutex_);
            if (!make_room(bytes, picture.get(), position)) {
                out_of_room = true;
                return false;
            }
            reserved += bytes;
            return true;
        };
        lock.unlock();
        bool failed = false;
        try {
            if (decode) failed = read(picture->source, need, fits, view);
            if (!failed && need.levels && !view.levels_tried) add_levels(view, fits);
        } catch (const std::exception&) {
            // Out of memory for some small part of the work: the picture goes with it.
            failed = true;
            view = PictureView{};
        }
        lock.lock();
        reserved_ -= std::min(reserved_, reserved);
        picture->reading = false;
        if (failed && out_of_room && position >= 0) {
            // Reading ahead stops here until the list changes: what comes first fills the memory.
            stalled_ = true;
        } else if (failed) {
            picture->failed = true;
        } else {
            const bool listed = std::any_of(held_list_.begin(), held_list_.end(),
                                            [&](const std::weak_ptr<Picture>& w) { return w.lock() == picture; });
            if (!listed) held_list_.push_back(picture);
            picture->held = std::move(view);
        }
        changed_.notify_all();
    }

    static bool read(const PictureSource& source, PictureNeed need, const MemoryCheck& fits, PictureView& view) {
        auto image = std::make_shared<ImageBuffer>();
        std::vector<std::uint8_t> profile;
        LoadReport report;
        const auto reduction = [&](std::int32_t, std::int32_t) { return need.reduction; };
        if (image_read(source.working_path, *image, profile, report, fits, reduction)) return true;
        // Converted where it lies: the picture needs no second copy of itself.
        if (colour_transform_apply_rows(*image, source.transform.get(), report.rows_with_data)) return true;
        view = PictureView{std::move(image), nullptr, report.reduction, false};
        return false;
    }

    static void add_levels(PictureView& view, const MemoryCheck& fits) {
        view.levels_tried = true;
        const ImageBuffer& image = *view.image;
        if (!fits(picture_levels_bytes(image.width, image.height))) return;
        auto levels = std::make_shared<std::vector<ImageBuffer>>();
        // Without them smooth motion samples the picture alone.
        if (!make_picture_levels(image, *levels)) view.levels = std::move(levels);
    }

    const bool reads_files_;
    const std::uint64_t byte_limit_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::weak_ptr<Picture>> held_list_;
    std::vector<PictureWant> wanted_;
    std::uint64_t clock_ = 0;     // counts needs, for least recently needed
    std::uint64_t reserved_ = 0;  // bytes being decoded, not yet held
    std::int64_t late_ = 0;
    bool stalled_ = false;
    bool stopping_ = false;
};

PictureCache::PictureCache(std::uint64_t byte_limit) : store_(std::make_shared<PictureStore>(true, byte_limit)) {
    for (std::thread& thread : threads_) {
        try {
            thread = std::thread([store = store_.get()] { store->run(); });
        } catch (const std::system_error&) {
            // No thread to spare: pictures are then decoded when they are needed.
        }
    }
}

PictureCache::~PictureCache() {
    store_->stop();
    for (std::thread& thread : threads_) {
        if (thread.joinable()) thread.join();
    }
}

PictureHandle PictureCache::add(PictureSource source) {
    auto picture = std::make_shared<Picture>();
    picture->source = std::move(source);
    picture->store = store_;
    return picture;
}

std::int64_t PictureCache::late_count() const { return store_->late(); }

std::uint64_t PictureCache::held_bytes() const { return store_->held_bytes(); }

PictureHandle picture_in_memory(ImageBuffer image) {
    const std::int32_t width = image.width;
    const std::int32_t height = image.height;
    return picture_in_memory(std::move(image), width, height, 1);
}

PictureHandle picture_in_memory(ImageBuffer image, std::int32_t width, std::int32_t height, std::int32_t reduction) {
    auto picture = std::make_shared<Picture>();
    picture->source.width = width;
    picture->source.height = height;
    picture->store = std::make_shared<PictureStore>(false, ~std::uint64_t{0});
    if (!image.empty()) {
        picture->held.image = std::make_shared<const ImageBuffer>(std::move(image));
        picture->held.reduction = reduction;
        picture->store->hold(picture);
    }
    return picture;
}

PictureView picture_get(const PictureHandle& picture, PictureNeed need) {
    if (!picture) return {};
    return picture->store->get(picture, need);
}

void pictures_want(const std::vector<PictureWant>& order) {
    const auto of_file = std::find_if(order.begin(), order.end(),
                                      [](const PictureWant& w) { return w.picture && w.picture->store->reads_files(); });
    if (of_file == order.end()) return;
    const std::shared_ptr<PictureStore> store = of_file->picture->store;
    std::vector<PictureWant> same;
    for (const PictureWant& want : order) {
        if (want.picture && want.picture->store == store) same.push_back(want);
    }
    store->want(std::move(same));
}

bool picture_failed(const PictureHandle& picture) { return picture && picture->store->failed(*picture); }

std::int32_t picture_width(const PictureHandle& picture) { return picture ? picture->source.width : 0; }

std::int32_t picture_height(const PictureHandle& picture) { return picture ? picture->source.height : 0; }

}  // namespace lumivane
