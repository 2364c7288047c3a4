#include "ui/program_icon.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

// The icon comes from the program itself, in every size drawn for it.
TEST(ProgramIcon, HasEverySizeBuiltIn) {
    const QIcon icon = program_icon();
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage image = icon.pixmap(size, size).toImage();
        EXPECT_EQ(image.size(), QSize(size, size)) << size;
        EXPECT_TRUE(image.hasAlphaChannel()) << size;
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;  // a solid picture in the middle
    }
}

}  // namespace
}  // namespace lumivane
