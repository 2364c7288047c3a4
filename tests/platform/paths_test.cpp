#include "platform/paths.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/temp_folder.h"

namespace lumivane {
namespace {

TEST(PathJoin, AddsOneSeparator) {
    std::u16string out;
    EXPECT_FALSE(path_join(out, u"/pics", u"a.jpg"));
    EXPECT_EQ(out, u"/pics/a.jpg");
    EXPECT_FALSE(path_join(out, u"/pics/", u"a.jpg"));
    EXPECT_EQ(out, u"/pics/a.jpg");
    EXPECT_FALSE(path_join(out, u"/", u"a.jpg"));
    EXPECT_EQ(out, u"/a.jpg");
    EXPECT_FALSE(path_join(out, u"C:", u"a.jpg"));  // a colon is part of a name
    EXPECT_EQ(out, u"C:/a.jpg");
}

TEST(PathJoin, RefusesPathsBeyondTheLimit) {
    std::u16string out;
    const std::u16string folder = u"/" + std::u16string(path_limit - 7, u'f');  // path_limit - 6 characters
    EXPECT_FALSE(path_join(out, folder, u"a.jpg"));  // exactly the limit
    EXPECT_EQ(out.size(), path_limit);

    EXPECT_TRUE(path_join(out, folder, u"ab.jpg"));  // one more
    EXPECT_EQ(out, folder + u"/");
}

TEST(PathParts, FolderFileNameAndExtension) {
    struct Case {
        const char16_t* path;
        const char16_t* folder;
        const char16_t* file_name;
        const char16_t* extension;
    };
    const Case cases[] = {
        {u"/a/b.jpg", u"/a", u"b.jpg", u".jpg"},
        {u"/b.jpg", u"/", u"b.jpg", u".jpg"},
        {u"b.jpg", u".", u"b.jpg", u".jpg"},
        {u"C:b.jpg", u".", u"C:b.jpg", u".jpg"},
        {u"/a.b/c", u"/a.b", u"c", u""},
        {u"x.tar.gz", u".", u"x.tar.gz", u".gz"},
        {u".ssi", u".", u".ssi", u".ssi"},
        {u"/show/", u"/show", u"", u""},
        {u"/show/noext", u"/show", u"noext", u""},
        {u"", u".", u"", u""},
    };
    for (const Case& c : cases) {
        std::u16string folder = c.path;
        path_folder(folder);
        EXPECT_EQ(folder, c.folder);
        EXPECT_EQ(path_file_name(c.path), c.file_name);
        EXPECT_EQ(path_extension(c.path), c.extension);
    }
}

TEST(Names, ExactAndCaseInsensitiveComparison) {
    EXPECT_TRUE(names_equal(u"Photos", u"Photos"));
    EXPECT_FALSE(names_equal(u"Photos", u"photos"));
    EXPECT_FALSE(names_equal(u"a", u"ab"));
    EXPECT_TRUE(names_equal_nocase(u"IMG_01.JPG", u"img_01.jpg"));
    EXPECT_FALSE(names_equal_nocase(u"img_01.jpg", u"img_02.jpg"));
    EXPECT_FALSE(names_equal_nocase(u"a", u"ab"));
    EXPECT_EQ(cut_text(std::u16string(300, u'c'), 255).size(), 255u);
    EXPECT_EQ(cut_text(u"short", 255), u"short");
}

// Every pair of names compares as a person would list them.
TEST(Names, NaturalOrder) {
    const std::vector<std::u16string> ordered = {
        u".a", u"2.jpg", u"10.jpg", u"a.", u"a.jpg", u"a1.jpg", u"B.jpg",
        u"IMG_01.jpg", u"IMG_1.jpg", u"img_1.jpg",  // equal but for case and zeros: still one order
        u"img_9.jpg", u"IMG_0010.jpg", u"IMG_10a.jpg",
        u"IMG_99999999999999999999.jpg", u"IMG_100000000000000000000.jpg",  // past any integer
        u"x2y10", u"x10y2",
    };
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        for (std::size_t j = 0; j < ordered.size(); ++j) {
            EXPECT_EQ(names_natural_less(ordered[i], ordered[j]), i < j) << testing::u8(ordered[i]) << " " << j;
        }
    }
}

}  // namespace
}  // namespace lumivane
