#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/app_context.h"
#include "app/slide_editing.h"
#include "support/temp_folder.h"
#include "ui/qt_user_interface.h"

namespace lumivane {
namespace {

// The user's trash lives in the data folder, here a private one.
TEST(Trash, ADeletedImageFileCanBeRestoredFromTheUsersTrash) {
    testing::TempFolder data;
    testing::TempFolder show;
    const std::string previous = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    ::setenv("XDG_DATA_HOME", data.native().c_str(), 1);
    show.write("photo.jpg", "\xFF\xD8 the photograph");
    QtUserInterface ui;
    AppContext context(ui);
    context.show.show_folder = show.path();
    context.show.slides.resize(1);
    context.show.slides[0].file = u"photo.jpg";
    static_cast<void>(delete_slide(context, 0, true));
    previous.empty() ? ::unsetenv("XDG_DATA_HOME") : ::setenv("XDG_DATA_HOME", previous.c_str(), 1);

    EXPECT_FALSE(std::filesystem::exists(show.native_file("photo.jpg")));
    EXPECT_EQ(testing::read_bytes(data.native_file("Trash/files/photo.jpg")), "\xFF\xD8 the photograph");
    EXPECT_TRUE(std::filesystem::exists(data.native_file("Trash/info/photo.jpg.trashinfo")));
}

}  // namespace
}  // namespace lumivane
