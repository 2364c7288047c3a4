#include "app/slide_editing.h"

#include <algorithm>
#include <iterator>

#include "app/app_context.h"
#include "app/show_folder.h"
#include "app/show_images.h"
#include "app/slide_messages.h"
#include "app/slide_pictures.h"
#include "document/folder_scan.h"
#include "document/picture_captions.h"
#include "imaging/image_copy.h"
#include "platform/file_copy.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/paths.h"
#include "platform/translation.h"
#include "playback/motion.h"
#include "playback/timeline.h"

namespace lumivane {

namespace {

constexpr char16_t copy_failed[] = LMV_TRANSLATE_NOOP("Core", "Cannot copy file: %s");
constexpr char16_t no_memory[] = LMV_TRANSLATE_NOOP("Core", "Cannot allocate slides");
constexpr char16_t no_memory_for_picture[] =
    LMV_TRANSLATE_NOOP("Core", "Out of memory: the picture of %s does not fit; the slide stays without it");

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
    error_box(context.ui,
              Core::tr("A slide show holds at most %d slides: this one has %d, and %d more cannot be added"),
              max_slides, count, static_cast<std::int32_t>(std::min<std::size_t>(adding, 0x7FFFFFFF)));
    return true;
}

void list_changed(AppContext& context) {
    context.show.modified = true;
    context.ui.changed(Change::Slides | Change::CurrentSlide);
}

// Kept: a different file of the name stays in the show folder, and is used.
enum class Placed { Ready, Kept, Skipped, Cancelled };

// The slides from first up to end that show the file name read it again: it was just
// replaced, and every slide of it shows the new picture at once.
void reload_pictures(AppContext& context, const std::u16string& name, std::int32_t first, std::int32_t end) {
    FlowInterface& ui = context.ui;
    SlideMessages messages(ui);
    bool reloaded = false;
    for (std::int32_t i = first; i < end; ++i) {
        Slide& slide = context.show.slides[static_cast<std::size_t>(i)];
        if (!names_equal(slide.file, name)) continue;
        ui.show_status(formatted(Core::tr("Reading file: %s"), name));
        slide.image = ImageBuffer();
        slide.thumbnail = ImageBuffer();
        slide.levels.clear();
        if (prepare_slide(context, i, slide, messages) == SlidePrepared::OutOfMemory) {
            error_box(ui, Core::translated(no_memory_for_picture), name);
        }
        ui.hide_status();
        reloaded = true;
    }
    messages.finish();
    if (!reloaded) return;
    ui.changed(Change::Slides);
    refresh_playback(context.player);
}

// What a copy into the show folder that failed says before naming the file it could not copy.
void report_copy_failure(FlowInterface& ui, CopyFailure failure, const std::u16string& source,
                         const std::u16string& target) {
    switch (failure) {
    case CopyFailure::Read: error_box(ui, Core::tr("Read error copying file: %s"), source); break;
    case CopyFailure::Write: error_box(ui, Core::tr("Write error copying file)")); break;
    case CopyFailure::NotTrashed: error_box(ui, Core::translated(trash_failed_text), target); break;
    case CopyFailure::None:
    case CopyFailure::Other: break;
    }
}

// Puts the file at source into the show folder at target, under name. The same bytes
// there already need no copy and no question; a different file (or anything else of
// that name) is replaced only when the user says so, and kept and used after No.
Placed copy_to_show_folder(AppContext& context, const std::u16string& source, const std::u16string& target,
                           const std::u16string& name) {
    FlowInterface& ui = context.ui;
    if (same_file(source, target)) return Placed::Ready;
    if (!file_exists(source)) {
        error_box(ui, Core::translated(copy_failed), name);
        return Placed::Skipped;
    }
    const bool replacing = path_exists(target);
    if (replacing) {
        if (files_equal(source, target)) return Placed::Ready;
        switch (ui.message_box(Core::translated(warning_title),
                               formatted(Core::tr("File already exists: %s\nOverwrite with new file?"), name),
                               BoxButtons::YesNoCancel, BoxOwner::MainWindow)) {
        case BoxAnswer::Yes: break;
        case BoxAnswer::No: return Placed::Kept;
        default: return Placed::Cancelled;
        }
    }
    const CopyFailure failure = file_copy(source, target, [&ui](const std::u16string& path) {
        std::u16string trashed;
        return ui.move_to_trash(path, trashed);
    });
    if (failure != CopyFailure::None) {
        report_copy_failure(ui, failure, source, target);
        error_box(ui, Core::translated(copy_failed), name);
        return Placed::Skipped;
    }
    if (replacing) reload_pictures(context, name, 0, context.show.slide_count());
    return Placed::Ready;
}

// Finds the chosen picture's place in the show folder, copying it there when it lies
// elsewhere (see copy_to_show_folder).
Placed place_in_show_folder(AppContext& context, const std::u16string& chosen, std::u16string& target) {
    FlowInterface& ui = context.ui;
    const std::u16string name = path_file_name(chosen);
    // Gone since it was chosen: named, as nothing of it can be processed.
    if (!path_exists(chosen)) {
        error_box(ui, Core::tr("File not found: %s"), chosen);
        return Placed::Skipped;
    }
    if (!is_image_file(chosen)) {
        error_box(ui, Core::tr("Only JPEG or TIFF files can be processed: %s"), name);
        return Placed::Skipped;
    }
    if (path_join(ui, target, context.show.show_folder, name)) return Placed::Skipped;
    return copy_to_show_folder(context, chosen, target, name);
}

// The blank slide at index gets the picture of the file at path in the show folder, and
// the caption the user chose for new slides; a file that cannot be read is reported with
// reported_path.
void prepare_new_slide(AppContext& context, std::int32_t index, const std::u16string& path,
                       const std::u16string& reported_path, SlideMessages& messages) {
    FlowInterface& ui = context.ui;
    ui.show_status(formatted(Core::tr("Reading file: %s"), path));
    Slide& slide = context.show.slides[static_cast<std::size_t>(index)];
    const std::u16string name = path_file_name(path);
    slide.file = cut_text(name, path_limit);
    slide.caption = cut_text(new_slide_caption(context.caption_source, path), max_caption_length);
    const NewSlide made{reported_path};
    if (prepare_slide(context, index, slide, messages, nullptr, &made) == SlidePrepared::OutOfMemory) {
        error_box(ui, Core::translated(no_memory_for_picture), path);
    }
    ui.hide_status();
    context.show.modified = true;
}

Placed add_file(AppContext& context, const std::u16string& path) {
    if (ensure_show_folder(context)) return Placed::Cancelled;
    if (too_many_slides(context, 1)) return Placed::Skipped;
    std::u16string target;
    const Placed placed = place_in_show_folder(context, path, target);
    if (placed == Placed::Skipped || placed == Placed::Cancelled) return placed;
    context.show.slides.push_back(new_blank_slide());
    const std::int32_t index = context.show.slide_count() - 1;
    go_to_slide(context.player, index, true);
    SlideMessages messages(context.ui);
    prepare_new_slide(context, index, target, path, messages);
    list_changed(context);
    refresh_playback(context.player);
    return Placed::Ready;
}

// Moves the image file of the slide at index to the trash, setting trashed_path to its
// place there, unless another slide shows it.
void delete_image_file(AppContext& context, std::int32_t index, std::u16string& trashed_path) {
    FlowInterface& ui = context.ui;
    const std::vector<Slide>& slides = context.show.slides;
    const std::u16string& file = slides[static_cast<std::size_t>(index)].file;
    for (std::int32_t i = 0; i < context.show.slide_count(); ++i) {
        if (i != index && names_equal(slides[static_cast<std::size_t>(i)].file, file)) {
            warning_box(ui, Core::tr("Image file is used by another slide will not be deleted: %s"), file);
            return;
        }
    }
    std::u16string path;
    if (path_join(ui, path, context.show.show_folder, file)) return;
    if (!file_exists(path)) {
        error_box(ui, Core::tr("File not found: %s"), path);
    } else if (ui.move_to_trash(path, trashed_path)) {
        error_box(ui, Core::translated(trash_failed_text), path);
    }
}

// Copies of the slides at the indices; none when memory runs out, which is reported.
// Their pictures are copied only when fits allows their bytes: memory taken past the
// system's limits would end the program without a word.
bool copy_slides(AppContext& context, const std::vector<Slide>& from, const std::vector<std::int32_t>& indices,
                 std::vector<Slide>& copies, const MemoryCheck& fits) {
    copies.clear();
    std::uint64_t bytes = 0;
    for (std::int32_t i : indices) {
        const Slide& slide = from[static_cast<std::size_t>(i)];
        bytes += image_bytes(slide.image.kind, slide.image.width, slide.image.height) +
                 image_bytes(slide.thumbnail.kind, slide.thumbnail.width, slide.thumbnail.height);
    }
    if (!fits(bytes)) {
        error_box(context.ui,
                  Core::tr("Out of memory: the pictures of %d slides need %s, more than the program may use now; "
                           "nothing was copied"),
                  static_cast<std::int32_t>(indices.size()), memory_text(bytes));
        return true;
    }
    copies.resize(indices.size());
    for (std::size_t k = 0; k < indices.size(); ++k) {
        if (deep_copy_slide(from[static_cast<std::size_t>(indices[k])], copies[k])) {
            copies.clear();
            error_box(context.ui, Core::translated(no_memory));
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
    slide.style = SlideStyle::Default;
    slide.interpolation = Interpolation::Nonlinear;
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
    if (context.ui.pick_image_files_dialog(paths, context.last_image_folder,
                                           Core::tr("Select image file(s) to insert")) ||
        paths.empty()) {
        return true;
    }
    context.last_image_folder = paths.front();
    path_folder(context.last_image_folder);
    if (too_many_slides(context, paths.size())) return true;

    // The files first, as Add places them: a file that is no picture gets no slide, and
    // Cancel inserts those placed before it.
    std::vector<std::u16string> targets;
    bool cancelled = false;
    for (const std::u16string& path : paths) {
        std::u16string target;
        const Placed placed = place_in_show_folder(context, path, target);
        cancelled = placed == Placed::Cancelled;
        if (cancelled) break;
        if (placed != Placed::Skipped) targets.push_back(target);
    }
    if (targets.empty()) return cancelled;
    std::vector<Slide>& slides = context.show.slides;
    const std::int32_t position = std::clamp(before ? index : index + 1, 0, context.show.slide_count());
    SlideMessages messages(context.ui);
    std::vector<Slide> blanks(targets.size());
    std::generate(blanks.begin(), blanks.end(), new_blank_slide);
    slides.insert(slides.begin() + position, std::make_move_iterator(blanks.begin()),
                  std::make_move_iterator(blanks.end()));
    for (std::size_t k = 0; k < targets.size(); ++k) {
        prepare_new_slide(context, position + static_cast<std::int32_t>(k), targets[k], targets[k], messages);
    }
    messages.finish();
    // The current index stays; the window shows the slide it now addresses.
    go_to_slide(context.player, context.current_slide, true);
    list_changed(context);
    return cancelled;
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

bool delete_slide(AppContext& context, std::int32_t index, bool delete_file, std::u16string* trashed_path) {
    SlideShow& show = context.show;
    if (index < 0 || index >= show.slide_count()) return true;
    std::vector<Slide>& slides = show.slides;
    if (delete_file && !slides[static_cast<std::size_t>(index)].file.empty()) {
        std::u16string trashed;
        delete_image_file(context, index, trashed);
        if (trashed_path) *trashed_path = trashed;
    }
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

bool copy_addressed_slides(AppContext& context, const MemoryCheck& fits) {
    const std::vector<std::int32_t> indices = addressed_indices(context);
    if (indices.empty()) return false;
    SlideClipboard& clipboard = context.clipboard;
    // The old entries go first, for the new ones may need their memory.
    clipboard = SlideClipboard{};
    const bool failed = copy_slides(context, context.show.slides, indices, clipboard.slides, fits);
    for (const Slide& slide : clipboard.slides) {
        // A path too long to join stays empty: the paste then finds no file to copy.
        std::u16string path;
        if (!slide.file.empty() && path_join(path, context.show.show_folder, slide.file)) path.clear();
        clipboard.file_paths.push_back(path);
    }
    context.ui.changed(Change::Clipboard);
    return failed;
}

void cut_addressed_slides(AppContext& context, bool delete_files, const MemoryCheck& fits) {
    // Slides that could not be kept on the clipboard stay in the show.
    if (copy_addressed_slides(context, fits)) return;
    const std::vector<std::int32_t> indices = addressed_indices(context);
    SlideClipboard& clipboard = context.clipboard;
    for (auto i = indices.rbegin(); i != indices.rend(); ++i) {
        const std::u16string name = context.show.slides[static_cast<std::size_t>(*i)].file;
        std::u16string trashed;
        // A file that stayed (reported with its slide) leaves no place in the trash.
        static_cast<void>(delete_slide(context, *i, delete_files, &trashed));
        if (trashed.empty()) continue;
        // A paste takes the file from the trash, for every cut slide of its name.
        for (std::size_t k = 0; k < clipboard.slides.size(); ++k) {
            if (names_equal(clipboard.slides[k].file, name)) clipboard.file_paths[k] = trashed;
        }
    }
}

bool paste_slides(AppContext& context, bool before, const MemoryCheck& fits) {
    const SlideClipboard& clipboard = context.clipboard;
    if (clipboard.empty()) return false;
    FlowInterface& ui = context.ui;
    SlideShow& show = context.show;
    if (ensure_show_folder(context) || too_many_slides(context, clipboard.slides.size())) return true;
    std::vector<std::int32_t> all(clipboard.slides.size());
    for (std::size_t k = 0; k < all.size(); ++k) all[k] = static_cast<std::int32_t>(k);
    std::vector<Slide> copies;
    if (copy_slides(context, clipboard.slides, all, copies, fits)) return true;
    // Each pasted slide's file must be in the show folder as the slide shows it: copied
    // from another show folder, or from the trash after a cut.
    std::vector<std::u16string> kept;  // names whose file in the show folder stays, and is shown
    for (std::size_t k = 0; k < copies.size(); ++k) {
        const std::u16string& name = copies[k].file;
        if (name.empty()) continue;
        std::u16string target;
        if (path_join(ui, target, show.show_folder, name)) return true;
        if (target == clipboard.file_paths[k]) continue;
        switch (copy_to_show_folder(context, clipboard.file_paths[k], target, name)) {
        case Placed::Ready: break;
        case Placed::Kept: kept.push_back(name); break;
        default: return true;
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
    for (const std::u16string& name : kept) reload_pictures(context, name, position, position + n);
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
