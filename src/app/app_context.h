#pragma once
// Everything the program keeps while it runs, passed by reference to every
// operation that needs it: the open show, the settings for new shows, which slide
// is addressed and shown, the clipboard, and the user interface.

#include <cstdint>
#include <string>

#include "app/flow_interface.h"
#include "document/picture_captions.h"
#include "document/recent_files.h"
#include "document/slide_clipboard.h"
#include "document/slide_show.h"
#include "imaging/colour_transform.h"
#include "imaging/picture_cache.h"
#include "playback/playback_record.h"
#include "playback/playback_state.h"

namespace lumivane {

inline constexpr char16_t program_title_format[] = u"Lumivane %d.%d.%d";
inline constexpr std::int32_t version_major = 1;
inline constexpr std::int32_t version_minor = 0;
inline constexpr std::int32_t version_build = 15;

std::u16string program_title();

// Where the main window was, as the session state file keeps it: the ten numbers of a
// window placement record. A length of 0 means there is none.
inline constexpr std::int32_t window_placement_length = 44;
enum ShowCommand : std::int32_t { show_normal = 1, show_maximised = 3, show_minimised = 6 };
struct WindowPlacement {
    std::int32_t length = 0;
    std::int32_t flags = 0;
    std::int32_t show_command = 0;
    std::int32_t minimised_x = 0;
    std::int32_t minimised_y = 0;
    std::int32_t maximised_x = 0;
    std::int32_t maximised_y = 0;
    std::int32_t normal_left = 0;
    std::int32_t normal_top = 0;
    std::int32_t normal_right = 0;
    std::int32_t normal_bottom = 0;
};

// Where the playback window's pictures are drawn: on a real graphics processor where an
// OpenGL context that can draw them can be made, else by the processor (automatic); on
// the graphics processor, or a renderer that stands in for one, whenever it can; always
// by the processor.
enum class Drawing : std::int32_t { Automatic = 0, GraphicsProcessor = 1, Processor = 2 };
inline constexpr std::int32_t max_playback_screen = 16;

struct AppContext {
    explicit AppContext(FlowInterface& user_interface) : ui(user_interface) {}
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    FlowInterface& ui;
    // The slides' full pictures, decoded when needed and kept as memory allows.
    PictureCache pictures;
    SlideShow show;
    ShowSettings default_settings = builtin_default_settings();
    std::int32_t current_slide = 0;  // the slide single-slide commands address
    PlaybackState playback;
    SlideClipboard clipboard;
    // The monitor's colour space for pictures loaded from now on.
    MonitorColour monitor;
    // The colour transforms the slides share.
    ColourTransformCache colour_transforms;
    FrameRate frame_rate = FrameRate::Fps60;
    Motion motion = Motion::Exact;
    CaptionSource caption_source = CaptionSource::FileName;  // of slides made from files
    Drawing drawing = Drawing::Automatic;  // how the playback window draws its pictures
    std::int32_t playback_screen = 0;  // the screen the playback window appears on: 0 the primary, n the nth
    RecentFiles recent_files;
    // The folder the image file dialogs open in (session key last_file_open_folder).
    std::u16string last_image_folder;
    WindowPlacement placement;
    // Per-user files: "cmdline" and the "Bitmaps" folder live in the settings folder,
    // "Session State" in the session folder. Empty until start-up finds them.
    std::u16string settings_folder;
    std::u16string session_folder;
    // The square thumbnails are made to fit, less the margin on every side, in pixels of
    // the screen: a grid cell of 200 times the screen's device pixel ratio, and the
    // margin M of the main window's font in the same pixels (0 without one).
    std::int32_t thumbnail_box = 200;
    std::int32_t thumbnail_margin = 0;
    // The desktop's thumbnail cache the thumbnails are kept in between runs
    // (thumbnail_cache.h); empty for none.
    std::u16string thumbnail_folder;

    // The timeline's view of all this: the show played in the program's playback window.
    PlaybackRecord player{show,
                          playback,
                          current_slide,
                          ui,
                          motion,
                          frame_rate,
                          [this] { return ui.create_playback_window(); },
                          [this](Change what) { ui.changed(what); }};
};

// The first slide addressed and shown, from the start of its first key frame.
void reset_slide_position(AppContext& context);

// Closes the show: no slides, no folder, named "Untitled", unmodified. The other
// settings keep their values.
void reset_to_untitled(AppContext& context);

}  // namespace lumivane
