#include "app/slide_editing.h"

#include <algorithm>
#include <iterator>

#include "app/app_context.h"
#include "app/show_folder.h"
#include "app/slide_messages.h"
#include "app/slide_pictures.h"
#include "document/folder_scan.h"
#include "imaging/image_copy.h"
#include "platform/file_copy.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/paths.h"
#include "playback/motion.h"
#include "playback/timeline.h"

namespace lumivane {

namespace {

constexpr char16_t copy_failed[] = u"Cannot copy file: %s";
constexpr char16_t no_memory[] = u"Cannot allocate slides";

// The indices of the addressed set, lowest first.
std::vector<std::int32_t> addressed_indices(const AppContext& context) {
    std::vector<std::int32_t> indices;
    const std::vector<Slide>& slides = context.show.slides;
    for (std::int32_t i = 0; i < context.show.slide_count(); ++i) {
        if (i == context.current_slide || slides[static_cast<std::size_t>(i)].selected) indices.push_back(i);
    }
    return indices;
}

// Every show the program saves must read back, and reading takes at most max_slides.
bool too_many_slides(AppContext& context, std::size_t adding) {
    const std::int32_t count = context.show.slide_count();
    if (adding <= static_cast<std::size_t>(max_slides - count)) return false;
    error_box(context.ui, u"A slide show holds at most %d slides: this one has %d, and %d more cannot be added",
              max_slides, count, static_cast<std::int32_t>(std::min<std::size_t>(adding, 0x7FFFFFFF)));
    return true;
}

void list_changed(AppContext& context) {
    context.show.modified = true;
    context.ui.changed(Change::Slides | Change::CurrentSlide);
}

enum class Placed { Ready, Skipped, Cancelled };

// Finds the chosen picture's place in the show folder, copying it there when it lies
// elsewhere. With ask, a different file of its name already there is replaced only when
// the user says so, and kept and used when the user says No.
Placed place_in_show_folder(AppContext& context, const std::u16string& chosen, std::u16string& target, bool ask) {
    FlowInterface& ui = context.ui;
    const std::u16string name = path_file_name(chosen);
    if (!is_image_file(chosen)) {
        error_box(ui, u"Only JPEG or TIFF files can be processed: %s", name);
        return Placed::Skipped;
    }
    if (path_join(ui, target, context.show.show_folder, name)) return Placed::Skipped;
    // The same file, in the show folder already or reached through another path to it.
    if (same_file(chosen, target)) return Placed::Ready;
    if (ask && file_exists(target)) {
        switch (ui.message_box(warning_title, formatted(u"File already exists: %s\nOverwrite with new file?", name),
                               BoxButtons::YesNoCancel, BoxOwner::MainWindow)) {
        case BoxAnswer::Yes: break;
        case BoxAnswer::No: return Placed::Ready;
        default: return Placed::Cancelled;
        }
    }
    if (file_copy(ui, chosen, target)) {
        error_box(ui, copy_failed, name);
        return Placed::Skipped;
    }
    return Placed::Ready;
}

// The blank slide at index gets the picture of the file at path in the show folder, and
// is named after it; a file that cannot be read is reported with reported_path.
void prepare_new_slide(AppContext& context, std::int32_t index, const std::u16string& path,
                       const std::u16string& reported_path, SlideMessages& messages) {
    FlowInterface& ui = context.ui;
    ui.show_status(formatted(u"Reading file: %s", path));
    Slide& slide = context.show.slides[static_cast<std::size_t>(index)];
    const std::u16string name = path_file_name(path);
    slide.file = cut_text(name, path_limit);
    slide.caption = cut_text(name, max_caption_length);
    const NewSlide made{reported_path};
    if (prepare_slide(context, index, slide, messages, nullptr, &made) == SlidePrepared::OutOfMemory) {
        error_box(ui, u"Out of memory: the picture of %s does not fit; the slide stays without it", path);
    }
    ui.hide_status();
    context.show.modified = true;
}

Placed add_file(AppContext& context, const std::u16string& path) {
    if (ensure_show_folder(context)) return Placed::Cancelled;
    if (too_many_slides(context, 1)) return Placed::Skipped;
    std::u16string target;
    const Placed placed = place_in_show_folder(context, path, target, true);
    if (placed != Placed::Ready) return placed;
    context.show.slides.push_back(new_blank_slide());
    const std::int32_t index = context.show.slide_count() - 1;
    go_to_slide(context.player, index, true);
    SlideMessages messages(context.ui);
    prepare_new_slide(context, index, target, path, messages);
    list_changed(context);
    refresh_playback(context.player);
    return Placed::Ready;
}

void delete_image_file(AppContext& context, std::int32_t index) {
    FlowInterface& ui = context.ui;
    const std::vector<Slide>& slides = context.show.slides;
    const std::u16string& file = slides[static_cast<std::size_t>(index)].file;
    for (std::int32_t i = 0; i < context.show.slide_count(); ++i) {
        if (i != index && names_equal(slides[static_cast<std::size_t>(i)].file, file)) {
            warning_box(ui, u"Image file is used by another slide will not be deleted: %s", file);
            return;
        }
    }
    std::u16string path;
    if (path_join(ui, path, context.show.show_folder, file)) return;
    if (!file_exists(path)) {
        error_box(ui, u"File not found: %s", path);
    } else if (ui.move_to_trash(path)) {
        error_box(ui, trash_failed_text, path);
    }
}

// Copies of the slides at the indices; none when memory runs out, which is reported.
bool copy_slides(AppContext& context, const std::vector<Slide>& from, const std::vector<std::int32_t>& indices,
                 std::vector<Slide>& copies) {
    copies.clear();
    copies.resize(indices.size());
    for (std::size_t k = 0; k < indices.size(); ++k) {
        if (deep_copy_slide(from[static_cast<std::size_t>(indices[k])], copies[k])) {
            copies.clear();
            error_box(context.ui, no_memory);
            return true;
        }
    }
    return false;
}

}  // namespace

std::int32_t count_addressed_slides(const AppContext& context) {
    return static_cast<std::int32_t>(addressed_indices(context).size());
}

Slide new_blank_slide() {
    Slide slide;
    slide.style = style_default;
    slide.interpolation = interpolation_nonlinear;
    slide.frames = {PanFrame{-1.0, 0.0, 0.0, 1.0, 1.0}};
    return slide;
}

bool deep_copy_slide(const Slide& source, Slide& destination) {
    destination = Slide{};
    destination.caption = cut_text(source.caption, max_caption_length);
    destination.profile = source.profile;
    destination.transform = source.transform;
    destination.file = cut_text(source.file, path_limit);
    destination.style = source.style;
    destination.frames = source.frames;
    destination.interpolation = source.interpolation;
    if (image_copy(source.image, destination.image) || image_copy(source.thumbnail, destination.thumbnail)) {
        image_free(destination.image);
        image_free(destination.thumbnail);
        return true;
    }
    return false;
}

bool insert_image_files(AppContext& context, std::int32_t index, bool before) {
    if (ensure_show_folder(context)) return true;
    std::vector<std::u16string> paths;
    if (context.ui.pick_image_files_dialog(paths, context.last_image_folder, u"Select image file(s) to insert") ||
        paths.empty()) {
        return true;
    }
    context.last_image_folder = paths.front();
    path_folder(context.last_image_folder);
    if (too_many_slides(context, paths.size())) return true;

    std::vector<Slide>& slides = context.show.slides;
    const std::int32_t position = std::clamp(before ? index : index + 1, 0, context.show.slide_count());
    SlideMessages messages(context.ui);
    std::vector<Slide> blanks(paths.size());
    std::generate(blanks.begin(), blanks.end(), new_blank_slide);
    slides.insert(slides.begin() + position, std::make_move_iterator(blanks.begin()),
                  std::make_move_iterator(blanks.end()));
    context.show.modified = true;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        std::u16string target;
        if (place_in_show_folder(context, paths[k], target, false) != Placed::Ready) continue;
        prepare_new_slide(context, position + static_cast<std::int32_t>(k), target, target, messages);
    }
    messages.finish();
    // The current index stays; the window shows the slide it now addresses.
    go_to_slide(context.player, context.current_slide, true);
    list_changed(context);
    return false;
}

bool add_image_file(AppContext& context, const std::u16string& path) {
    return add_file(context, path) != Placed::Ready;
}

bool add_image_files(AppContext& context, const std::vector<std::u16string>& paths) {
    if (paths.empty()) return false;
    if (ensure_show_folder(context) || too_many_slides(context, paths.size())) return true;
    for (const std::u16string& path : paths) {
        if (add_file(context, path) == Placed::Cancelled) return true;
    }
    return false;
}

bool delete_slide(AppContext& context, std::int32_t index, bool delete_file) {
    SlideShow& show = context.show;
    if (index < 0 || index >= show.slide_count()) return true;
    std::vector<Slide>& slides = show.slides;
    if (delete_file && !slides[static_cast<std::size_t>(index)].file.empty()) delete_image_file(context, index);
    release_slide(slides[static_cast<std::size_t>(index)], true);
    slides.erase(slides.begin() + index);
    if (!slides.empty()) {
        context.current_slide = std::min(context.current_slide, show.slide_count() - 1);
        go_to_slide(context.player, context.current_slide, true);
        refresh_playback(context.player);
    } else {
        reset_slide_position(context);
        // Nothing is left to show: no picture of a deleted slide stays on the screen.
        playback_clear(context.player);
    }
    list_changed(context);
    return false;
}

void delete_addressed_slides(AppContext& context, bool delete_files) {
    // Fixed first: moving the current index as slides go never addresses more of them.
    const std::vector<std::int32_t> indices = addressed_indices(context);
    // Each slide's failure is reported with it; the others are deleted all the same.
    for (auto i = indices.rbegin(); i != indices.rend(); ++i) static_cast<void>(delete_slide(context, *i, delete_files));
}

bool copy_addressed_slides(AppContext& context) {
    const std::vector<std::int32_t> indices = addressed_indices(context);
    if (indices.empty()) return false;
    SlideClipboard& clipboard = context.clipboard;
    // The old entries go first, for the new ones may need their memory.
    clipboard = SlideClipboard{};
    const bool failed = copy_slides(context, context.show.slides, indices, clipboard.slides);
    clipboard.source_folder = context.show.show_folder;
    context.ui.changed(Change::Clipboard);
    return failed;
}

void cut_addressed_slides(AppContext& context, bool delete_files) {
    // Slides that could not be kept on the clipboard stay in the show.
    if (copy_addressed_slides(context)) return;
    delete_addressed_slides(context, delete_files);
}

bool paste_slides(AppContext& context, bool before) {
    const SlideClipboard& clipboard = context.clipboard;
    if (clipboard.empty()) return false;
    FlowInterface& ui = context.ui;
    SlideShow& show = context.show;
    if (ensure_show_folder(context) || too_many_slides(context, clipboard.slides.size())) return true;
    std::vector<std::int32_t> all(clipboard.slides.size());
    for (std::size_t k = 0; k < all.size(); ++k) all[k] = static_cast<std::int32_t>(k);
    std::vector<Slide> copies;
    if (copy_slides(context, clipboard.slides, all, copies)) return true;
    if (!folders_equal(clipboard.source_folder, show.show_folder)) {
        for (const Slide& slide : clipboard.slides) {
            if (slide.file.empty()) continue;
            std::u16string source;
            std::u16string target;
            if (path_join(ui, source, clipboard.source_folder, slide.file) ||
                path_join(ui, target, show.show_folder, slide.file) || file_copy(ui, source, target)) {
                error_box(ui, copy_failed, slide.file);
                return true;
            }
        }
    }

    // The clipboard keeps no picture levels; in smooth motion the copies get theirs now
    // (when they do not fit, the timeline tries again as it shows the slide).
    // A copy whose levels do not fit is sampled from its picture alone, as its original may be.
    for (Slide& copy : copies) static_cast<void>(prepare_slide_levels(context.motion, copy));
    const std::int32_t count = show.slide_count();
    const std::int32_t n = static_cast<std::int32_t>(copies.size());
    std::int32_t position = std::clamp(before ? context.current_slide : context.current_slide + 1, 0, count);
    std::int32_t current = position + n - 1;  // the last copy, placed before the old slide at position
    if (count == 0) {
        position = current = 0;
    } else if (position == count) {
        current = count;  // after the last slide: the first copy
    }
    show.slides.insert(show.slides.begin() + position, std::make_move_iterator(copies.begin()),
                       std::make_move_iterator(copies.end()));
    // Drawn and displayed at once: stopping playback before the next command returns
    // to the displayed slide, which would undo the new current index.
    go_to_slide(context.player, current, true);
    list_changed(context);
    return false;
}

void move_slide(AppContext& context, std::int32_t from, std::int32_t to) {
    std::vector<Slide>& slides = context.show.slides;
    const std::int32_t count = context.show.slide_count();
    // Onto its own place, or the gap just after it, nothing moves.
    if (from < 0 || from >= count || to < 0 || to > count || to == from || to == from + 1) return;
    const auto at = [&slides](std::int32_t i) { return slides.begin() + i; };
    if (from < to) {
        std::rotate(at(from), at(from + 1), at(to));
    } else {
        std::rotate(at(to), at(from), at(from + 1));
    }
    go_to_slide(context.player, from < to ? to - 1 : to, true);
    list_changed(context);
}

}  // namespace lumivane
