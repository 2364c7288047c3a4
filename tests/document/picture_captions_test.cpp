#include "document/picture_captions.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/app_context.h"
#include "app/show_folder.h"
#include "app/slide_editing.h"
#include "document/show_index.h"
#include "platform/text_encoding.h"
#include "support/jpeg_files.h"
#include "support/libtiff_files.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;

// Writes the texts into the file with exiftool, as a photo manager would.
void tag(const std::string& path, const std::string& arguments) {
    const std::string command = "exiftool -q -overwrite_original " + arguments + " '" + path + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// The field asked for where the picture has it, by the first source that has it; the file
// name where it has not, or where the file is no picture exiv2 can read.
TEST(PictureCaptions, TheChosenFieldOrElseTheFileName) {
    if (std::system("exiftool -ver >/dev/null 2>&1") != 0) GTEST_SKIP() << "exiftool is not installed";
    const struct {
        const char* file;
        const char* tags;
        CaptionSource source;
        const char16_t* caption;
    } cases[] = {
        {"a.jpg", "'-XMP-dc:Title=Harbour at dawn' -IPTC:ObjectName=Pier", CaptionSource::Title, u"Harbour at dawn"},
        {"b.jpg", "-IPTC:ObjectName=Pier", CaptionSource::Title, u"Pier"},
        {"c.jpg", "'-XMP-dc:Description=  Two boats\n\tat anchor ' -EXIF:ImageDescription=Boats",
         CaptionSource::Description, u"Two boats at anchor"},
        {"d.jpg", "-IPTC:Caption-Abstract=Quay -EXIF:ImageDescription=Boats", CaptionSource::Description, u"Quay"},
        {"e.jpg", "-EXIF:ImageDescription=Boats", CaptionSource::Description, u"Boats"},
        {"f.jpg", "'-EXIF:DateTimeOriginal=2024:06:01 14:23:05'", CaptionSource::DateTaken, u"2024-06-01 14:23"},
        {"g.jpg", "'-EXIF:DateTimeOriginal#=0000:00:00 00:00:00'", CaptionSource::DateTaken, u"g.jpg"},
        {"h.jpg", "-EXIF:ImageDescription=Boats", CaptionSource::Title, u"h.jpg"},
        {"i.jpg", "'-XMP-dc:Title=Harbour at dawn'", CaptionSource::FileName, u"i.jpg"},
        {"j.tif", "'-XMP-dc:Title=Lighthouse' '-EXIF:DateTimeOriginal=2023:12:31 23:59:59'", CaptionSource::DateTaken,
         u"2023-12-31 23:59"},
        {"k.jpg", nullptr, CaptionSource::Title, u"k.jpg"},  // damaged: a JPEG start, then an Exif block cut short
        {"l.txt", nullptr, CaptionSource::Description, u"l.txt"},
    };
    TempFolder folder;
    folder.write("k.jpg", std::string("\xFF\xD8\xFF\xE1\x00\x40\x45xif\0\0MM\0\x2A\0\0\0\x08\xFF\xFF", 22));
    folder.write("l.txt", "no picture");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = folder.native_file(c.file);
        if (c.tags != nullptr) {
            if (path.ends_with(".tif")) {
                ASSERT_FALSE(testing::write_tiff(path, {}, 1));
            } else {
                testing::write_jpeg(path, 16, 8, false, [](int, int, int) { return 128; });
            }
            tag(path, c.tags);
        }
        EXPECT_EQ(new_slide_caption(c.source, folder.file(utf8_to_utf16(c.file))), c.caption);
    }
}

// Slides made from files, added or listed in a new show of their folder, take the
// caption chosen in the preferences.
TEST(PictureCaptions, NewSlidesTakeTheChosenCaption) {
    if (std::system("exiftool -ver >/dev/null 2>&1") != 0) GTEST_SKIP() << "exiftool is not installed";
    TempFolder pictures, show;
    const std::string path = pictures.native_file("harbour.jpg");
    testing::write_jpeg(path, 16, 8, false, [](int, int, int) { return 128; });
    tag(path, "'-XMP-dc:Title=Harbour at dawn'");
    testing::RecordingUi ui;
    AppContext context{ui};
    context.show.show_folder = show.path();
    context.caption_source = CaptionSource::Title;
    ASSERT_FALSE(add_image_file(context, pictures.file(u"harbour.jpg")));
    EXPECT_EQ(context.show.slides.at(0).caption, u"Harbour at dawn");
    EXPECT_EQ(context.show.slides.at(0).file, u"harbour.jpg");

    ASSERT_FALSE(create_index_from_folder(context, show.file(u"new.ssi"), pictures.path()));
    ASSERT_FALSE(read_show(context, show.path(), u"new.ssi"));
    ASSERT_EQ(context.show.slide_count(), 1);
    EXPECT_EQ(context.show.slides[0].caption, u"Harbour at dawn");
}

}  // namespace
}  // namespace lumivane
