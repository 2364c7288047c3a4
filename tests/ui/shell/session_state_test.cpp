#include "ui/shell/session_state.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/app_context.h"
#include "document/picture_captions.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

// Numbers and settings' enums side by side, as the file writes them.
template <typename... T>
std::vector<int> numbers(T... values) {
    return {static_cast<int>(values)...};
}

using testing::RecordingUi;
using testing::TempFolder;

struct Session {
    RecordingUi ui;
    AppContext context{ui};
    TempFolder folder;
    Session() { context.session_folder = folder.path(); }

    void write_file(const std::string& text) {
        std::filesystem::create_directories(folder.native_file("Session State"));
        folder.write("Session State/Slide Show.state", text);
    }
};

TEST(SessionState, WrittenFileReadsBackEveryValue) {
    Session a;
    AppContext& c = a.context;
    c.recent_files[0] = u"/photos/Holiday \u2019s/index.ssi";
    c.recent_files[1] = u"/photos/Garden/garden.ssi";
    c.placement = {window_placement_length, 2, show_normal, -1, -1, -8, -8, 80, 60, 1280, 860};
    c.monitor_profile = MonitorProfile::DciP3;
    c.frame_rate = FrameRate::Fps50;
    c.motion = Motion::Smooth;
    c.caption_source = CaptionSource::DateTaken;
    c.last_image_folder = u"/photos/new";
    c.default_settings = {u"My show", 4, CaptionSize::Large, 0, AutorunMode::DontRun, -1, 4, 3, 2.123456,
                          SlideStyle::Crop, TransitionKind::Curtain, 0.25};
    ASSERT_FALSE(write_session_state(c));
    EXPECT_TRUE(c.recent_files[0].empty());  // the writer empties the list

    Session b;
    b.context.session_folder = a.folder.path();
    read_session_state(b.context, u"/home/pictures");
    const AppContext& r = b.context;
    EXPECT_EQ(r.recent_files[0], u"/photos/Holiday \u2019s/index.ssi");
    EXPECT_EQ(r.recent_files[1], u"/photos/Garden/garden.ssi");
    EXPECT_TRUE(r.recent_files[2].empty());
    const WindowPlacement& p = r.placement;
    EXPECT_EQ(std::vector<int>({p.length, p.flags, p.show_command, p.minimised_x, p.minimised_y, p.maximised_x,
                                p.maximised_y, p.normal_left, p.normal_top, p.normal_right, p.normal_bottom}),
              std::vector<int>({44, 2, 1, -1, -1, -8, -8, 80, 60, 1280, 860}));
    EXPECT_EQ(r.monitor_profile, MonitorProfile::DciP3);
    EXPECT_EQ(r.frame_rate, FrameRate::Fps50);
    EXPECT_EQ(r.motion, Motion::Smooth);
    EXPECT_EQ(r.caption_source, CaptionSource::DateTaken);
    EXPECT_EQ(r.last_image_folder, u"/photos/new");
    const ShowSettings& d = r.default_settings;
    EXPECT_EQ(d.name, u"My show");
    EXPECT_EQ(numbers(d.size, d.show_captions, d.loop, d.autorun, d.speed, d.proportions_width, d.proportions_height,
                      d.default_style, d.transition),
              numbers(4, 3, 0, AutorunMode::DontRun, -1, 4, 3, SlideStyle::Crop, TransitionKind::Curtain));
    EXPECT_DOUBLE_EQ(d.default_delay, 2.1235);  // four decimals
    EXPECT_DOUBLE_EQ(d.transition_time, 0.25);
    EXPECT_TRUE(b.ui.boxes.empty());

    // The keys in the file's order, each line once.
    std::vector<std::string> keys;
    std::istringstream lines(testing::read_bytes(a.folder.native_file("Session State/Slide Show.state")));
    for (std::string line; std::getline(lines, line);) keys.push_back(line.substr(0, line.find_first_of(" \r")));
    EXPECT_EQ(keys, std::vector<std::string>({"\xEF\xBB\xBFSession", "openfile", "openfile", "window_placement",
                                              "monitor_profile", "frame_rate", "motion", "last_file_open_folder",
                                              "slide_show_name", "window_size", "window_proportions", "autorun",
                                              "show_captions", "loop", "speed", "default_delay", "default_style",
                                              "transition", "transition_time", "caption_source", "end"}));
}

TEST(SessionState, WithoutAFileTheDefaultsHold) {
    Session s;
    s.context.recent_files[3] = u"stale";
    s.context.placement.length = window_placement_length;
    read_session_state(s.context, u"/home/ann/Pictures");
    EXPECT_TRUE(s.context.recent_files[3].empty());
    EXPECT_EQ(s.context.placement.length, 0);
    EXPECT_EQ(s.context.last_image_folder, u"/home/ann/Pictures");
    EXPECT_EQ(s.context.monitor_profile, MonitorProfile::AdobeRgb);
    EXPECT_EQ(s.context.frame_rate, FrameRate::Fps60);
    EXPECT_EQ(s.context.motion, Motion::Exact);  // older files have no motion either
    EXPECT_EQ(s.context.caption_source, CaptionSource::FileName);
    EXPECT_DOUBLE_EQ(s.context.default_settings.default_delay, builtin_default_settings().default_delay);
    EXPECT_TRUE(s.ui.boxes.empty());
}

// Files edited by hand: other key names, lines too short or out of range, a wrong
// header, lines after "end".
TEST(SessionState, HandEditedFiles) {
    struct Case {
        const char* text;
        double delay;
        SlideStyle style;
        const char16_t* recent0;
        std::int32_t placement_length;
    };
    const Case cases[] = {
        {"Session 1.0\ndelay 3\nstyle 2\nend\n", 3.0, SlideStyle::Crop, u"", 0},
        {"Session 1.0\nopenfile 10 \"/x.ssi\"\nopenfile -1 \"/y.ssi\"\nopenfile 0\nwindow_placement 1 2 3\n"
         "default_delay\nend\n",
         5.0, SlideStyle::Fit, u"", 0},
        {"Session 1.0\r\nopenfile 0 \u2034/a b.ssi\u2034\r\nend\r\ndefault_delay 9\r\n", 5.0, SlideStyle::Fit,
         u"/a b.ssi", 0},
        {"SlideShow 1.0\ndefault_delay 9\n", 5.0, SlideStyle::Fit, u"", 0},
        {"Session\ndefault_delay 9\n", 5.0, SlideStyle::Fit, u"", 0},
        {"\n\nSession 1.0\n\nwindow_placement 0 0 0 0 0 1 2 301 404 1\n", 5.0, SlideStyle::Fit, u"", 44},
    };
    for (const Case& c : cases) {
        Session s;
        s.write_file(c.text);
        read_session_state(s.context, u"/p");
        EXPECT_DOUBLE_EQ(s.context.default_settings.default_delay, c.delay) << c.text;
        EXPECT_EQ(s.context.default_settings.default_style, c.style) << c.text;
        EXPECT_EQ(s.context.recent_files[0], c.recent0) << c.text;
        EXPECT_EQ(s.context.placement.length, c.placement_length) << c.text;
    }
}

// Each value outside its range, or not a number, leaves the default; so does a file
// far larger than any session file.
TEST(SessionState, ImpossibleValuesKeepTheDefaults) {
    const std::string huge = "Session 1.0\nwindow_size 3\n" + std::string(1100000, ' ') + "\nend\n";
    const std::string lines[] = {
        "window_proportions 0 0", "window_proportions 16 0", "window_proportions 2147483647 9",
        "window_proportions 16x 9", "default_delay nan", "default_delay -1", "default_delay 1e300",
        "transition_time 601", "transition_time inf", "window_size 9", "window_size -1", "show_captions 4",
        "loop 2", "autorun 3", "speed 3", "speed -3", "default_style 0", "default_style 3", "transition 4",
        "monitor_profile 3", "frame_rate 2", "motion 2", "caption_source 4", "caption_source -1", "openfile 1x \"/a.ssi\"",
        "window_placement 0 -1 -1 -1 -1 0 0 1 1 1", "window_placement 0 -1 -1 -1 -1 0 0 2147483647 900 1",
        "window_placement 0 -1 -1 -1 -1 900 700 100 100 1", "window_placement 0 -1 -1 -1 -1 0 0 800 nan 1",
        huge};
    const Session defaults;
    const ShowSettings& e = defaults.context.default_settings;
    for (const std::string& line : lines) {
        SCOPED_TRACE(line.substr(0, 60));
        Session s;
        s.write_file(line == huge ? huge : "Session 1.0\n" + line + "\nend\n");
        read_session_state(s.context, u"/p");
        const AppContext& c = s.context;
        const ShowSettings& d = c.default_settings;
        EXPECT_EQ(numbers(d.size, d.show_captions, d.loop, d.autorun, d.speed, d.proportions_width,
                          d.proportions_height, d.default_style, d.transition, c.monitor_profile, c.frame_rate,
                          c.motion, c.caption_source, c.placement.length),
                  numbers(e.size, e.show_captions, e.loop, e.autorun, e.speed, e.proportions_width,
                          e.proportions_height, e.default_style, e.transition, defaults.context.monitor_profile,
                          defaults.context.frame_rate, defaults.context.motion, CaptionSource::FileName, 0));
        EXPECT_EQ(d.default_delay, e.default_delay);
        EXPECT_EQ(d.transition_time, e.transition_time);
        EXPECT_TRUE(c.recent_files[1].empty());
    }
}

TEST(SessionState, VersionWarningNamesTheKindWord) {
    Session s;
    s.write_file("Session 2.0\nframe_rate 1\nend\n");
    read_session_state(s.context, u"/p");
    ASSERT_EQ(s.ui.texts().size(), 1u);
    EXPECT_EQ(s.ui.texts()[0],
              u"Session Settings file was created for a newer version of Lumivane -- some settings may be ignored");
    EXPECT_EQ(s.context.frame_rate, FrameRate::Fps50);  // reading goes on
}

}  // namespace
}  // namespace lumivane
