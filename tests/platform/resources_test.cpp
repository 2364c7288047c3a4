#include "platform/resources.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;
using testing::u8;

TEST(ResourceFolder, InstalledBesideTheProgramElseTheSourceTree) {
    TempFolder root;
    std::filesystem::create_directories(root.native_file("bin"));
    const std::u16string program = root.file(u"bin/lumivane");
    const std::u16string source_tree = resource_folder_for(program);
    EXPECT_TRUE(std::filesystem::is_directory(u8(source_tree) + "/bitmaps")) << u8(source_tree);

    std::filesystem::create_directories(root.native_file("share/lumivane"));
    EXPECT_EQ(resource_folder_for(program), root.file(u"share/lumivane"));
}

}  // namespace
}  // namespace lumivane
