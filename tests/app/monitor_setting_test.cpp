#include "app/monitor_setting.h"

#include <gtest/gtest.h>

#include "app/app_context.h"
#include "support/jpeg_files.h"
#include "support/recording_ui.h"

namespace lumivane {
namespace {

const std::u16string colord_adobe = u"/usr/share/color/icc/colord/AdobeRGB1998.icc";
const std::u16string grey_profile = u"/usr/share/color/icc/Gray.icc";

// Each choice gives the profile pictures are converted to; a display or file without a
// usable one gives sRGB (no profile) and one warning.
TEST(MonitorSetting, EachChoiceGivesItsProfileOrSrgbWithOneWarning) {
    const std::vector<std::uint8_t> adobe = testing::file_bytes("/usr/share/color/icc/colord/AdobeRGB1998.icc");
    const std::vector<std::uint8_t> grey = testing::file_bytes("/usr/share/color/icc/Gray.icc");
    ASSERT_FALSE(adobe.empty());
    ASSERT_FALSE(grey.empty());
    const struct Case {
        MonitorProfile profile;
        std::u16string file;
        std::vector<std::uint8_t> display;
        std::vector<std::uint8_t> expected;
        std::size_t warnings;
    } cases[] = {
        {MonitorProfile::Srgb, {}, adobe, {}, 0},
        {MonitorProfile::AdobeRgb, {}, {}, adobe_rgb_profile(), 0},
        {MonitorProfile::DciP3, colord_adobe, adobe, dci_p3_profile(), 0},
        {MonitorProfile::Display, {}, adobe, adobe, 0},
        {MonitorProfile::Display, {}, {}, {}, 1},
        {MonitorProfile::Display, {}, grey, {}, 1},
        {MonitorProfile::Display, {}, {adobe.begin(), adobe.begin() + 300}, {}, 1},
        {MonitorProfile::File, colord_adobe, dci_p3_profile(), adobe, 0},
        {MonitorProfile::File, grey_profile, {}, {}, 1},
        {MonitorProfile::File, u"/no/such/screen.icc", {}, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.profile) << " " << c.display.size());
        testing::RecordingUi ui;
        AppContext context(ui);
        context.monitor.profile = c.profile;
        context.monitor.file = c.file;
        use_monitor_profile(context, c.display);
        EXPECT_EQ(context.monitor.icc, c.expected);
        ASSERT_EQ(ui.boxes.size(), c.warnings);
        if (c.warnings > 0) {
            EXPECT_EQ(ui.boxes[0].title, u"Warning");
        }
    }
}

TEST(MonitorSetting, AProfileFileIsCheckedAsItIsChosen) {
    testing::RecordingUi ui;
    std::vector<std::uint8_t> icc;
    EXPECT_FALSE(read_monitor_profile_file(ui, colord_adobe, icc));
    EXPECT_EQ(icc, testing::file_bytes("/usr/share/color/icc/colord/AdobeRGB1998.icc"));
    EXPECT_TRUE(ui.boxes.empty());
    for (const std::u16string& bad : {grey_profile, std::u16string(u"/no/such.icc")}) {
        EXPECT_TRUE(read_monitor_profile_file(ui, bad, icc));
        EXPECT_TRUE(icc.empty());
    }
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text,
              u"The file " + grey_profile + u" is not a color profile of a monitor; the monitor profile stays as it was.");
}

}  // namespace
}  // namespace lumivane
