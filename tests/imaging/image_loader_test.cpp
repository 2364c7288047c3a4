#include "imaging/image_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <random>

#include <lcms2.h>
#include <tiffio.h>
#include <unistd.h>

#include "imaging/image_copy.h"
#include "imaging/jpeg_icc.h"
#include "imaging/orientation.h"
#include "imaging/pixel_conversion.h"
#include "platform/text_encoding.h"
#include "support/jpeg_files.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::RecordingUi;
using testing::TempFolder;

const std::string testdata = LUMIVANE_TESTDATA;

struct Loaded {
    bool failed;
    ImageBuffer image;
    std::vector<std::uint8_t> profile;
};

Loaded load(const std::string& path) {
    RecordingUi ui;
    Loaded result;
    result.profile = {1, 2, 3};  // must be replaced
    result.failed = image_load(ui, utf8_to_utf16(path), result.image, result.profile);
    EXPECT_EQ(ui.cursors.size(), 1u);
    return result;
}

// Mean absolute difference per byte between two pictures of the same size.
double mean_difference(const ImageBuffer& a, const ImageBuffer& b) {
    double sum = 0.0;
    for (std::int32_t r = 0; r < a.height; ++r) {
        for (std::int32_t i = 0; i < 3 * a.width; ++i) sum += std::abs(a.rows[r][i] - b.rows[r][i]);
    }
    return sum / (3.0 * a.width * a.height);
}

// Every file of the set shows the same picture once turned upright. The stored versions
// were each compressed in their own orientation, with the colour planes at half
// resolution, so JPEG noise differs between them: up to about 3.7 levels per byte on
// average. A picture that is one pixel off already differs by over 5, a wrong turn by
// over 60, so 4.5 tells a right load from a wrong one.
constexpr double jpeg_noise_bound = 4.5;

TEST(ImageLoad, EveryOrientationTagLoadsUpright) {
    for (const std::string shape : {"Landscape", "Portrait"}) {
        const Loaded reference = load(testdata + "/orientation/" + shape + "_1.jpg");
        ASSERT_FALSE(reference.failed);
        const std::int32_t width = shape == "Landscape" ? 1800 : 1200;
        const std::int32_t height = shape == "Landscape" ? 1200 : 1800;
        ASSERT_EQ(reference.image.width, width);
        ASSERT_EQ(reference.image.height, height);
        ASSERT_EQ(reference.image.kind, PixelFormat::Colour8);

        ImageBuffer shifted;
        ASSERT_FALSE(image_copy(reference.image, shifted));
        for (std::int32_t r = 0; r < shifted.height; ++r) {
            std::memmove(shifted.rows[r], shifted.rows[r] + 3, 3 * static_cast<std::size_t>(shifted.width - 1));
        }
        EXPECT_GT(mean_difference(reference.image, shifted), jpeg_noise_bound) << "the bound must tell a shift";

        for (int n = 0; n <= 8; ++n) {
            const Loaded loaded = load(testdata + "/orientation/" + shape + "_" + std::to_string(n) + ".jpg");
            ASSERT_FALSE(loaded.failed) << shape << n;
            ASSERT_EQ(loaded.image.width, width) << shape << n;
            ASSERT_EQ(loaded.image.height, height) << shape << n;
            EXPECT_LT(mean_difference(reference.image, loaded.image), jpeg_noise_bound) << shape << n;
        }
    }
}

std::string profile_description(const std::vector<std::uint8_t>& profile) {
    cmsHPROFILE handle = cmsOpenProfileFromMem(profile.data(), static_cast<cmsUInt32Number>(profile.size()));
    if (!handle) return "(not a profile)";
    char text[256] = {};
    cmsGetProfileInfoASCII(handle, cmsInfoDescription, "en", "US", text, sizeof text);
    cmsCloseProfile(handle);
    return text;
}

TEST(ImageLoad, WideGamutFilesYieldTheirEmbeddedProfiles) {
    const std::pair<const char*, const char*> files[] = {
        {"P3-sRGB-color-ring.jpg", "P3"},
        {"P3-sRGB-red.jpg", "P3"},
        {"R2020-sRGB-color-bars.jpg", "2020"},
        {"rgb-to-gbr-test.jpg", ""},
    };
    for (const auto& [file, word] : files) {
        const Loaded loaded = load(testdata + "/wide-gamut/" + file);
        ASSERT_FALSE(loaded.failed) << file;
        ASSERT_FALSE(loaded.profile.empty()) << file;
        const std::string description = profile_description(loaded.profile);
        EXPECT_NE(description, "(not a profile)") << file;
        EXPECT_NE(description.find(word), std::string::npos) << file << ": " << description;
    }
}

std::vector<std::uint8_t> some_profile() {
    std::vector<std::uint8_t> profile = testing::file_bytes("/usr/share/color/icc/sRGB.icc");
    EXPECT_GT(profile.size(), 1000u);
    return profile;
}

std::uint8_t pattern(int x, int y, int c) { return static_cast<std::uint8_t>((x * 8 + y * 3 + c * 60) & 0xFF); }

TEST(JpegIccExtract, JoinsChunksInFileOrderAndNeedsTheLastOne) {
    TempFolder folder;
    const std::vector<std::uint8_t> profile = some_profile();
    const std::size_t chunk = profile.size() / 3 + 1;
    auto markers = testing::icc_markers(profile, chunk);
    ASSERT_EQ(markers.size(), 3u);

    testing::write_jpeg(folder.native_file("three.jpg"), 32, 16, false, pattern, markers);
    std::vector<std::uint8_t> extracted;
    EXPECT_FALSE(jpeg_icc_extract(folder.file(u"three.jpg"), extracted));
    EXPECT_EQ(extracted, profile);
    const Loaded loaded = load(folder.native_file("three.jpg"));
    EXPECT_FALSE(loaded.failed);
    EXPECT_EQ(loaded.profile, profile);

    markers.pop_back();  // the last chunk is missing
    testing::write_jpeg(folder.native_file("two.jpg"), 32, 16, false, pattern, markers);
    EXPECT_FALSE(jpeg_icc_extract(folder.file(u"two.jpg"), extracted));
    EXPECT_TRUE(extracted.empty());
    const Loaded without = load(folder.native_file("two.jpg"));
    EXPECT_FALSE(without.failed);
    EXPECT_TRUE(without.profile.empty());

    testing::write_jpeg(folder.native_file("none.jpg"), 8, 8, false, pattern);
    EXPECT_FALSE(jpeg_icc_extract(folder.file(u"none.jpg"), extracted));
    EXPECT_TRUE(extracted.empty());
}

// Any number of 0xFF bytes may stand before a marker; libjpeg takes them, and so must
// the profile walk: before the quantisation tables (DQT) and before the first profile chunk.
TEST(JpegIccExtract, FillBytesBeforeMarkersAreSkipped) {
    TempFolder folder;
    const std::vector<std::uint8_t> profile = some_profile();
    testing::write_jpeg(folder.native_file("plain.jpg"), 40, 24, false, pattern, testing::icc_markers(profile, 2000));
    const std::vector<std::uint8_t> plain = testing::file_bytes(folder.native_file("plain.jpg"));
    const Loaded reference = load(folder.native_file("plain.jpg"));
    for (const auto& [code, count] : {std::pair<std::uint8_t, std::size_t>{0xDB, 1}, {0xDB, 5000}, {0xE2, 3}}) {
        std::size_t at = 2;  // walking the segments to the marker
        while (at + 4 <= plain.size() && plain[at + 1] != code) at += 2 + plain[at + 2] * 256u + plain[at + 3];
        std::vector<std::uint8_t> bytes = plain;
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), count, 0xFF);
        folder.write("filled.jpg", std::string(bytes.begin(), bytes.end()));
        const Loaded loaded = load(folder.native_file("filled.jpg"));
        ASSERT_FALSE(loaded.failed) << int(code) << " " << count;
        EXPECT_EQ(loaded.profile, profile) << int(code) << " " << count;
        EXPECT_EQ(mean_difference(loaded.image, reference.image), 0.0);
    }
}

TEST(JpegIccExtract, RefusesBrokenWalks) {
    TempFolder folder;
    std::vector<std::uint8_t> extracted;
    EXPECT_TRUE(jpeg_icc_extract(folder.write("no.jpg", "GIF89a"), extracted));
    EXPECT_TRUE(jpeg_icc_extract(folder.file(u"missing.jpg"), extracted));
    // An ICC segment whose length does not even cover its own header.
    const std::string short_segment = std::string("\xFF\xD8\xFF\xE2\x00\x0A", 6) + "ICC_PROFILE" + std::string("\0\x01\x01", 3);
    EXPECT_TRUE(jpeg_icc_extract(folder.write("short.jpg", short_segment), extracted));
    // A segment length of 0 would walk in place forever.
    EXPECT_TRUE(jpeg_icc_extract(folder.write("zero.jpg", std::string("\xFF\xD8\xFF\xE1\x00\x00", 6)), extracted));
    // A chunk claiming more bytes than the file has.
    const std::string long_segment = std::string("\xFF\xD8\xFF\xE2\x7F\xFF", 6) + "ICC_PROFILE" + std::string("\0\x01\x01xx", 5);
    EXPECT_TRUE(jpeg_icc_extract(folder.write("long.jpg", long_segment), extracted));
    // The walk never looks past the first frame header.
    const std::string after_frame = std::string("\xFF\xD8\xFF\xC0\x00\x02\xFF\xE2\x00\x01", 10);
    EXPECT_FALSE(jpeg_icc_extract(folder.write("frame.jpg", after_frame), extracted));
}

TEST(ImageLoad, GreyPicturesLoadAsColourWithoutTheirProfile) {
    TempFolder folder;
    const std::vector<std::uint8_t> grey_profile = testing::file_bytes("/usr/share/color/icc/Gray.icc");
    ASSERT_FALSE(grey_profile.empty());
    testing::write_jpeg(folder.native_file("grey.jpg"), 40, 20, true, [](int x, int, int) { return static_cast<std::uint8_t>(x * 6); },
                        testing::icc_markers(grey_profile, 60000));
    const Loaded loaded = load(folder.native_file("grey.jpg"));
    ASSERT_FALSE(loaded.failed);
    EXPECT_EQ(loaded.image.kind, PixelFormat::Colour8);
    EXPECT_TRUE(loaded.profile.empty());
    const std::uint8_t* top = loaded.image.rows[19];
    EXPECT_NEAR(top[3 * 30], 180, 3);
    EXPECT_EQ(top[3 * 30], top[3 * 30 + 1]);
    EXPECT_EQ(top[3 * 30], top[3 * 30 + 2]);
}

TEST(ImageLoad, ExifOrientationSixTurnsClockwise) {
    TempFolder folder;
    // A 64 x 32 picture: left half dark, right half light, top-left corner block red.
    auto pixel = [](int x, int y, int c) -> std::uint8_t {
        if (x < 16 && y < 16) return c == 0 ? 250 : 10;
        return x < 32 ? 40 : 210;
    };
    testing::write_jpeg(folder.native_file("six.jpg"), 64, 32, false, pixel, {testing::exif_orientation_marker(6)}, 100);
    const Loaded loaded = load(folder.native_file("six.jpg"));
    ASSERT_FALSE(loaded.failed);
    ASSERT_EQ(loaded.image.width, 32);
    ASSERT_EQ(loaded.image.height, 64);
    // Turned clockwise, the stored left column becomes the top row read right to left:
    // the red corner is now at the top right, the dark half on top.
    auto at = [&](int x, int y) { return loaded.image.rows[63 - y] + 3 * x; };
    EXPECT_GT(at(28, 4)[2], 200);  // red
    EXPECT_LT(at(28, 4)[0], 60);
    EXPECT_NEAR(at(5, 20)[1], 40, 8);   // dark half on top
    EXPECT_NEAR(at(5, 50)[1], 210, 8);  // light half below
}

std::int64_t resident_bytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stoll(line.substr(6)) * 1024;
    }
    return 0;
}

bool row_is_black(const ImageBuffer& image, std::int32_t from_top) {
    const std::uint8_t* row = image.rows[static_cast<std::size_t>(image.height - 1 - from_top)];
    return std::all_of(row, row + image.stride, [](std::uint8_t b) { return b == 0; });
}

// A photograph cut short shows the rows its data reached and is black below; a
// progressive one cut in a later scan has something in every row. A header that claims
// 8000 x 6000 pixels for a file of a few hundred bytes is found out at its first rows:
// the picture has the claimed size, but the 144 MB of it are never written, not even to
// turn it upright.
// A file damaged inside its data, with the warning for a damaged file either way: cut
// short, it shows the rows its data reached (a progressive file its complete scans),
// black below; with two bytes changed in the first scan of a file with restart markers,
// the whole picture as the library decodes it where the library picks up again at the
// next restart marker, and an end-of-picture marker in the middle ends the picture there.
TEST(ImageLoad, DamagedFilesShowWhatTheyHold) {
    enum class Shows { RowsThenBlack, EveryRow, AsTheLibraryDecodes };
    struct Case {
        const char* name;
        bool progressive;
        bool cut;                    // else damaged in its first scan, with restart markers
        std::uint8_t first, second;  // the damaged byte pair
        Shows shows;
    };
    const Case cases[] = {
        {"cut short", false, true, 0, 0, Shows::RowsThenBlack},
        {"cut short, progressive", true, true, 0, 0, Shows::EveryRow},
        {"no marker of the format", false, false, 0xFF, 0x3A, Shows::AsTheLibraryDecodes},
        {"no marker, progressive", true, false, 0xFF, 0x05, Shows::AsTheLibraryDecodes},
        {"bits changed", false, false, 0x12, 0x34, Shows::AsTheLibraryDecodes},
        {"end of picture", false, false, 0xFF, 0xD9, Shows::RowsThenBlack},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::write_jpeg(folder.native_file("whole.jpg"), 320, 240, false, pattern, {}, 95, c.progressive,
                            c.cut ? 0 : 1);
        const Loaded whole = load(folder.native_file("whole.jpg"));
        std::vector<std::uint8_t> bytes = testing::file_bytes(folder.native_file("whole.jpg"));
        if (c.cut) {
            bytes.resize(bytes.size() * 2 / 3);
        } else {
            // Halfway into the first scan's data, away from any marker.
            std::size_t scan = 2;
            while (scan + 3 < bytes.size() && !(bytes[scan] == 0xFF && bytes[scan + 1] == 0xDA)) ++scan;
            std::size_t end = scan + 2 + (bytes[scan + 2] << 8 | bytes[scan + 3]);
            while (end + 1 < bytes.size() && !(bytes[end] == 0xFF && (bytes[end + 1] & 0xF8) != 0xD0 && bytes[end + 1] != 0))
                ++end;
            std::size_t at = (scan + end) / 2;
            while (bytes[at - 1] == 0xFF || bytes[at] == 0xFF || bytes[at + 1] == 0xFF || bytes[at + 2] == 0xFF) ++at;
            ASSERT_LT(at + 2, end);
            bytes[at] = c.first;
            bytes[at + 1] = c.second;
        }
        folder.write("damaged.jpg", std::string(bytes.begin(), bytes.end()));

        RecordingUi ui;
        ImageBuffer image;
        std::vector<std::uint8_t> profile;
        LoadReport report;
        ASSERT_FALSE(image_load(ui, folder.file(u"damaged.jpg"), image, profile, report));
        EXPECT_TRUE(report.incomplete);
        ASSERT_EQ(image.height, 240);
        switch (c.shows) {
        case Shows::RowsThenBlack:
            EXPECT_GT(report.rows_with_data, 16);
            EXPECT_LT(report.rows_with_data, 200);
            // The last row with data is smoothed with the missing one below it.
            for (std::int32_t y = 0; y + 1 < report.rows_with_data; ++y) {
                const std::size_t r = static_cast<std::size_t>(239 - y);
                ASSERT_EQ(std::memcmp(image.rows[r], whole.image.rows[r], 3 * 320), 0) << y;
            }
            for (std::int32_t y = report.rows_with_data; y < 240; ++y) ASSERT_TRUE(row_is_black(image, y)) << y;
            break;
        case Shows::EveryRow:
            EXPECT_EQ(report.rows_with_data, 240);
            EXPECT_FALSE(row_is_black(image, 239));
            break;
        case Shows::AsTheLibraryDecodes: {
            EXPECT_EQ(report.rows_with_data, 240);
            const testing::JpegPicture library = testing::libjpeg_decode(folder.native_file("damaged.jpg"));
            for (std::int32_t y = 0; y < 240; ++y) {
                ASSERT_EQ(
                    std::memcmp(image.rows[static_cast<std::size_t>(239 - y)], library.bgr.data() + 3 * 320 * y, 3 * 320),
                    0)
                    << y;
            }
            break;
        }
        }
    }
}

// A header that claims far more than its data: only the rows the data reached cost memory.
TEST(ImageLoad, APictureClaimedLargerThanItsDataCostsOnlyItsRows) {
    TempFolder folder;
    for (const bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        RecordingUi ui;
        std::vector<std::uint8_t> profile;
        LoadReport report;
        // Stored 8000 x 6000 and to be turned upright, which the empty picture is too.
        testing::write_jpeg(folder.native_file("small.jpg"), 16, 16, false, pattern, {testing::exif_orientation_marker(6)},
                            95, progressive);
        std::vector<std::uint8_t> small = testing::file_bytes(folder.native_file("small.jpg"));
        std::size_t sof = 2;
        while (sof + 9 < small.size() && !(small[sof] == 0xFF && (small[sof + 1] == 0xC0 || small[sof + 1] == 0xC2))) ++sof;
        ASSERT_LT(sof + 9, small.size());
        small[sof + 5] = 6000 >> 8, small[sof + 6] = 6000 & 0xFF;  // height
        small[sof + 7] = 8000 >> 8, small[sof + 8] = 8000 & 0xFF;  // width
        folder.write("claims.jpg", std::string(small.begin(), small.end()));
        const std::int64_t before = resident_bytes();
        ImageBuffer claimed;
        ASSERT_FALSE(image_load(ui, folder.file(u"claims.jpg"), claimed, profile, report));
        EXPECT_LT(resident_bytes() - before, 32 << 20);
        EXPECT_TRUE(report.incomplete);
        EXPECT_EQ(report.rows_with_data, 0);
        EXPECT_EQ(claimed.width, 6000);
        EXPECT_EQ(claimed.height, 8000);
        EXPECT_TRUE(row_is_black(claimed, 4000));
    }
}

TEST(ImageLoad, ShortcutsLoadTheirTarget) {
    TempFolder folder;
    testing::write_jpeg(folder.native_file("target.jpg"), 8, 8, false, pattern);
    ASSERT_EQ(::symlink(folder.native_file("target.jpg").c_str(), folder.native_file("x.LNK").c_str()), 0);
    ASSERT_EQ(::symlink(folder.native_file("x.LNK").c_str(), folder.native_file("chain.lnk").c_str()), 0);
    for (const char* link : {"x.LNK", "chain.lnk"}) {
        RecordingUi ui;
        ImageBuffer image;
        std::vector<std::uint8_t> profile;
        EXPECT_FALSE(image_load(ui, folder.file(utf8_to_utf16(link)), image, profile)) << link;
        EXPECT_EQ(image.width, 8);
        ASSERT_EQ(ui.status_log.size(), 1u);
        EXPECT_EQ(ui.status_log[0], u"text: Reading " + folder.file(u"target.jpg"));
    }
    // A broken link resolves to nothing, and nothing loads.
    ASSERT_EQ(::symlink(folder.native_file("gone.jpg").c_str(), folder.native_file("broken.lnk").c_str()), 0);
    EXPECT_TRUE(load(folder.native_file("broken.lnk")).failed);
}

TEST(ImageLoad, OtherFormatsAndDamagedFilesFailWithoutHarm) {
    TempFolder folder;
    EXPECT_TRUE(load(folder.native_file("missing.jpg")).failed);
    folder.write("picture.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    const Loaded png_file = load(folder.native_file("picture.png"));
    EXPECT_TRUE(png_file.failed);
    EXPECT_TRUE(png_file.image.empty());
    EXPECT_TRUE(png_file.profile.empty());

    // A real JPEG cut short, and random bytes after a JPEG start: no crash either way.
    testing::write_jpeg(folder.native_file("whole.jpg"), 200, 100, false, pattern);
    std::vector<std::uint8_t> bytes = testing::file_bytes(folder.native_file("whole.jpg"));
    folder.write("cut.jpg", std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2)));
    const Loaded cut = load(folder.native_file("cut.jpg"));
    if (!cut.failed) {
        EXPECT_EQ(cut.image.width, 200);
    }

    std::mt19937 random(5);
    for (int i = 0; i < 20; ++i) {
        std::string noise = "\xFF\xD8\xFF";
        for (int k = 0; k < 2000; ++k) noise.push_back(static_cast<char>(random()));
        folder.write("noise.jpg", noise);
        const Loaded loaded = load(folder.native_file("noise.jpg"));
        if (loaded.failed) {
            EXPECT_TRUE(loaded.image.empty());
        }
    }
}

// A TIFF written with libtiff in the layout given, rows filled by row(y, bytes).
void write_tiff(const std::string& path, int width, int height, int bits, int samples, int photometric,
                const std::function<void(int, std::vector<std::uint8_t>&)>& row, bool associated_alpha = false,
                const std::vector<std::uint16_t>* colormap = nullptr) {
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 4);
    if (samples == 4) {
        std::uint16_t extra = associated_alpha ? EXTRASAMPLE_ASSOCALPHA : EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    if (colormap) {
        TIFFSetField(tiff, TIFFTAG_COLORMAP, colormap->data(), colormap->data() + 256, colormap->data() + 512);
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(TIFFScanlineSize(tiff)));
    for (int y = 0; y < height; ++y) {
        row(y, bytes);
        TIFFWriteScanline(tiff, bytes.data(), static_cast<std::uint32_t>(y), 0);
    }
    TIFFClose(tiff);
}

TEST(ImageLoad, TiffLayoutsThroughThePlatformDecoder) {
    TempFolder folder;
    // 16-bit grey: 0x8000 is grey 128.
    write_tiff(folder.native_file("grey16.tif"), 3, 2, 16, 1, PHOTOMETRIC_MINISBLACK, [](int, std::vector<std::uint8_t>& b) {
        const std::uint16_t v[3] = {0x8000, 0xFFFF, 0};
        std::memcpy(b.data(), v, 6);
    });
    Loaded grey = load(folder.native_file("grey16.tif"));
    ASSERT_FALSE(grey.failed);
    EXPECT_EQ(grey.image.rows[0][0], 128);
    EXPECT_EQ(grey.image.rows[0][2], 128);
    EXPECT_EQ(grey.image.rows[0][3], 255);
    EXPECT_EQ(grey.image.rows[0][6], 0);

    // 32-bit RGBA loses its alpha and keeps its colours; the top row is row 0 of the file.
    write_tiff(folder.native_file("rgba.tif"), 2, 2, 8, 4, PHOTOMETRIC_RGB, [](int y, std::vector<std::uint8_t>& b) {
        const std::uint8_t top[8] = {10, 20, 30, 0, 200, 100, 50, 255};
        const std::uint8_t bottom[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        std::memcpy(b.data(), y == 0 ? top : bottom, 8);
    });
    Loaded rgba = load(folder.native_file("rgba.tif"));
    ASSERT_FALSE(rgba.failed);
    const std::uint8_t* top = rgba.image.rows[1];
    EXPECT_EQ((std::vector<int>{top[0], top[1], top[2], top[3], top[4], top[5]}),
              (std::vector<int>{30, 20, 10, 50, 100, 200}));
    EXPECT_EQ(rgba.image.rows[0][0], 3);

    // A colour palette: each index shows its colour.
    std::vector<std::uint16_t> map(768, 0);
    map[5] = 0xFFFF;          // red of entry 5
    map[256 + 7] = 0x8080;    // green of entry 7
    write_tiff(folder.native_file("palette.tif"), 2, 1, 8, 1, PHOTOMETRIC_PALETTE,
               [](int, std::vector<std::uint8_t>& b) { b[0] = 5, b[1] = 7; }, false, &map);
    Loaded palette = load(folder.native_file("palette.tif"));
    ASSERT_FALSE(palette.failed);
    EXPECT_EQ((std::vector<int>{palette.image.rows[0][0], palette.image.rows[0][1], palette.image.rows[0][2]}),
              (std::vector<int>{0, 0, 255}));
    EXPECT_EQ(palette.image.rows[0][4], 128);

    // White-is-zero bilevel goes through the library's own conversion.
    write_tiff(folder.native_file("white.tif"), 8, 1, 1, 1, PHOTOMETRIC_MINISWHITE,
               [](int, std::vector<std::uint8_t>& b) { b[0] = 0x80; });
    Loaded white = load(folder.native_file("white.tif"));
    ASSERT_FALSE(white.failed);
    EXPECT_EQ(white.image.rows[0][0], 0);
    EXPECT_EQ(white.image.rows[0][3], 255);
}

// A 37 x 23 TIFF of 1 or 8-bit samples in strips, written by libtiff: samples per pixel
// one (grey), two (grey, alpha) or four (RGB, alpha), in one plane per sample when planar.
// Such pictures reach libtiff's own conversion to RGBA.
void write_strip_tiff(const std::string& path, int bits, int samples, int photometric, int compression, bool planar,
                      const std::vector<std::uint8_t>& profile, const std::function<int(int, int, int)>& sample) {
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    const std::uint16_t alpha = EXTRASAMPLE_UNASSALPHA;
    for (auto [tag, value] : {std::pair{TIFFTAG_IMAGEWIDTH, 37}, {TIFFTAG_IMAGELENGTH, 23}, {TIFFTAG_BITSPERSAMPLE, bits},
                              {TIFFTAG_SAMPLESPERPIXEL, samples}, {TIFFTAG_PHOTOMETRIC, photometric},
                              {TIFFTAG_COMPRESSION, compression}, {TIFFTAG_ROWSPERSTRIP, 8},
                              {TIFFTAG_PLANARCONFIG, planar ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG}}) {
        TIFFSetField(tiff, tag, value);
    }
    if (samples % 2 == 0) TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &alpha);
    TIFFSetField(tiff, TIFFTAG_ICCPROFILE, static_cast<std::uint32_t>(profile.size()), profile.data());
    const int per_pixel = planar ? 1 : samples;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(tiff)));
    for (int plane = 0; plane < samples / per_pixel; ++plane) {
        for (int y = 0; y < 23; ++y) {
            std::fill(row.begin(), row.end(), 0);
            for (int i = 0; i < 37 * per_pixel; ++i) {
                const int v = sample(i / per_pixel, y, plane + i % per_pixel);
                if (bits == 8) row[i] = static_cast<std::uint8_t>(v);
                else if (v) row[i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
            }
            TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), static_cast<std::uint16_t>(plane));
        }
    }
    TIFFClose(tiff);
}

// Grey pictures keep no profile, whichever way they were decoded; alpha is dropped and
// the colours are kept as the file holds them, not multiplied by it.
TEST(ImageLoad, TiffsThroughTheLibrarysRgbaConversion) {
    TempFolder folder;
    const std::vector<std::uint8_t> grey_profile = testing::file_bytes("/usr/share/color/icc/Gray.icc");
    const std::vector<std::uint8_t> colour_profile = some_profile();
    // Colours or grey levels, and alpha 0, 128 (half-transparent) or 255 as the last sample.
    const auto alpha = [](int x, int y) { return std::array{0, 128, 255}[(x + y) % 3]; };
    const auto colour = [](int x, int y, int s) { return (x * 20 + y * 3 + s * 70) & 0xFF; };
    const auto grey_alpha = [&](int x, int y, int s) { return s == 1 ? alpha(x, y) : colour(x, y, 0); };
    const auto rgb_alpha = [&](int x, int y, int s) { return s == 3 ? alpha(x, y) : colour(x, y, s); };
    const auto fax = [](int x, int y, int) { return (x / 3 + y) % 2; };  // 1 is black
    struct Case {
        const char* name;
        int bits, samples, photometric, compression;
        const std::vector<std::uint8_t>& profile;
        std::function<int(int, int, int)> sample;
        std::function<std::array<int, 3>(int, int)> expected;  // blue, green, red
    };
    const Case cases[] = {
        {"white-is-zero fax", 1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX4, grey_profile, fax,
         [&](int x, int y) { return fax(x, y, 0) ? std::array{0, 0, 0} : std::array{255, 255, 255}; }},
        {"planar grey and alpha", 8, 2, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE, grey_profile, grey_alpha,
         [&](int x, int y) { return std::array{colour(x, y, 0), colour(x, y, 0), colour(x, y, 0)}; }},
        {"planar colour and alpha", 8, 4, PHOTOMETRIC_RGB, COMPRESSION_LZW, colour_profile, rgb_alpha,
         [&](int x, int y) { return std::array{colour(x, y, 2), colour(x, y, 1), colour(x, y, 0)}; }},
    };
    for (const Case& c : cases) {
        write_strip_tiff(folder.native_file("strips.tif"), c.bits, c.samples, c.photometric, c.compression, true,
                         c.profile, c.sample);
        const Loaded loaded = load(folder.native_file("strips.tif"));
        ASSERT_FALSE(loaded.failed) << c.name;
        EXPECT_EQ(loaded.profile.empty(), c.samples < 4) << c.name;
        int wrong = 0;
        for (int y = 0; y < 23; ++y) {
            for (int x = 0; x < 37; ++x) {
                const std::uint8_t* p = loaded.image.rows[22 - y] + 3 * x;
                wrong += std::array<int, 3>{p[0], p[1], p[2]} != c.expected(x, y);
            }
        }
        EXPECT_EQ(wrong, 0) << c.name;
    }
}

// A TIFF's reduced-resolution image (NewSubfileType bit 0), after the picture or in its
// SubIFD, serves a decode at most so many times smaller when it has the detail; size,
// orientation and profile stay the picture's. One too small, or a second page, does not.
TEST(ImageLoad, TiffReducedImagesServeReducedDecodes) {
    const struct {
        const char* name;
        bool sub_ifd;
        std::uint32_t kind, width;
        std::int32_t reduction;
    } cases[] = {
        {"reduced image after the picture", false, FILETYPE_REDUCEDIMAGE, 150, 4},
        {"reduced image in a SubIFD", true, FILETYPE_REDUCEDIMAGE, 300, 2},
        {"reduced image too small", false, FILETYPE_REDUCEDIMAGE, 120, 1},
        {"second page", false, 0, 150, 1},
    };
    TempFolder folder;
    const std::string path = folder.native_file("reduced.tif");
    const std::vector<std::uint8_t> profile = some_profile();
    for (const auto& c : cases) {
        TIFF* tiff = TIFFOpen(path.c_str(), "w");
        ASSERT_NE(tiff, nullptr);
        toff_t sub_ifd = 0;
        // The picture, 600 x 400 grey 200 standing on its side; then its reduction, dark.
        for (const auto& [width, value] : {std::pair{600u, 200}, {c.width, 40}}) {
            for (auto [tag, v] : {std::pair{TIFFTAG_IMAGEWIDTH, width}, {TIFFTAG_IMAGELENGTH, width * 2 / 3},
                                  {TIFFTAG_BITSPERSAMPLE, 8u}, {TIFFTAG_SAMPLESPERPIXEL, 3u},
                                  {TIFFTAG_PHOTOMETRIC, unsigned{PHOTOMETRIC_RGB}}, {TIFFTAG_ROWSPERSTRIP, 16u}}) {
                TIFFSetField(tiff, tag, v);
            }
            if (value == 200) {
                TIFFSetField(tiff, TIFFTAG_ORIENTATION, 6);
                TIFFSetField(tiff, TIFFTAG_ICCPROFILE, static_cast<std::uint32_t>(profile.size()), profile.data());
                if (c.sub_ifd) TIFFSetField(tiff, TIFFTAG_SUBIFD, 1, &sub_ifd);
            } else {
                TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, c.kind);
            }
            std::vector<std::uint8_t> row(3 * width, static_cast<std::uint8_t>(value));
            for (std::uint32_t y = 0; y < width * 2 / 3; ++y) TIFFWriteScanline(tiff, row.data(), y, 0);
            TIFFWriteDirectory(tiff);
        }
        TIFFClose(tiff);
        ImageBuffer image;
        std::vector<std::uint8_t> got;
        LoadReport report;
        ASSERT_FALSE(image_read(utf8_to_utf16(path), image, got, report, memory_fits, [](std::int32_t, std::int32_t) { return 4; }))
            << c.name;
        EXPECT_EQ(report.reduction, c.reduction) << c.name;
        EXPECT_EQ(std::pair(report.width, report.height), std::pair(400, 600)) << c.name;
        const auto side = static_cast<std::int32_t>(c.reduction > 1 ? c.width : 600);
        EXPECT_EQ(image.width, side * 2 / 3) << c.name;
        EXPECT_EQ(image.height, side) << c.name;
        EXPECT_EQ(image.rows[0][0], c.reduction > 1 ? 40 : 200) << c.name;
        EXPECT_EQ(got, profile) << c.name;
    }
}

TEST(ConvertRow, EveryLayoutGivesBlueGreenRed) {
    const std::vector<std::uint32_t> palette = {0xFF102030, 0xFFA0B0C0};
    struct Case {
        PixelLayout layout;
        std::vector<std::uint8_t> source;  // two pixels
        std::vector<std::uint8_t> expected;
    };
    auto le16 = [](std::initializer_list<std::uint16_t> values) {
        std::vector<std::uint8_t> bytes;
        for (std::uint16_t v : values) {
            std::uint8_t b[2];
            std::memcpy(b, &v, 2);
            bytes.push_back(b[0]);
            bytes.push_back(b[1]);
        }
        return bytes;
    };
    const Case cases[] = {
        {PixelLayout::Indexed8, {1, 7}, {0xC0, 0xB0, 0xA0, 0, 0, 0}},
        {PixelLayout::Gray8, {9, 250}, {9, 9, 9, 250, 250, 250}},
        {PixelLayout::BlackWhite, {0x40}, {0, 0, 0, 255, 255, 255}},
        {PixelLayout::Gray16, le16({0x8000, 0x0080}), {128, 128, 128, 0, 0, 0}},
        {PixelLayout::BGR24, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}},
        {PixelLayout::RGB24, {1, 2, 3, 4, 5, 6}, {3, 2, 1, 6, 5, 4}},
        {PixelLayout::BGR32, {1, 2, 3, 9, 4, 5, 6, 9}, {1, 2, 3, 4, 5, 6}},
        {PixelLayout::BGRA32, {1, 2, 3, 9, 4, 5, 6, 9}, {1, 2, 3, 4, 5, 6}},
        {PixelLayout::PBGRA32, {1, 2, 3, 9, 4, 5, 6, 9}, {1, 2, 3, 4, 5, 6}},
        {PixelLayout::RGB32, {1, 2, 3, 9, 4, 5, 6, 9}, {3, 2, 1, 6, 5, 4}},
        {PixelLayout::RGBA32, {1, 2, 3, 9, 4, 5, 6, 9}, {3, 2, 1, 6, 5, 4}},
        {PixelLayout::PRGBA32, {1, 2, 3, 9, 4, 5, 6, 9}, {3, 2, 1, 6, 5, 4}},
        {PixelLayout::RGB48, le16({0xFFFF, 0x8000, 0, 0, 0x0081, 0xFFFF}), {0, 128, 255, 255, 1, 0}},
        {PixelLayout::BGR48, le16({0xFFFF, 0x8000, 0, 0, 0x0081, 0xFFFF}), {255, 128, 0, 0, 1, 255}},
        {PixelLayout::RGBA64, le16({0xFFFF, 0x8000, 0, 7, 0, 0x0081, 0xFFFF, 7}), {0, 128, 255, 255, 1, 0}},
        {PixelLayout::PRGBA64, le16({0xFFFF, 0x8000, 0, 7, 0, 0x0081, 0xFFFF, 7}), {0, 128, 255, 255, 1, 0}},
        {PixelLayout::BGRA64, le16({0xFFFF, 0x8000, 0, 7, 0, 0x0081, 0xFFFF, 7}), {255, 128, 0, 0, 1, 255}},
        {PixelLayout::PBGRA64, le16({0xFFFF, 0x8000, 0, 7, 0, 0x0081, 0xFFFF, 7}), {255, 128, 0, 0, 1, 255}},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> row(6, 0xEE);
        convert_row(c.layout, palette, c.source.data(), row.data(), 2);
        EXPECT_EQ(row, c.expected) << "layout " << static_cast<int>(c.layout);
        EXPECT_EQ(layout_row_bytes(c.layout, 2), c.source.size()) << "layout " << static_cast<int>(c.layout);
    }
    // Swapping into another row and in place, as the decoder's RGB rows are converted in
    // the picture itself, at every width around the five pixels a step of the fast path.
    for (std::int32_t width = 0; width <= 40; ++width) {
        std::vector<std::uint8_t> source(3 * static_cast<std::size_t>(width)), expected(source.size());
        for (std::size_t i = 0; i < source.size(); ++i) source[i] = static_cast<std::uint8_t>(i * 7 + 1);
        for (std::size_t i = 0; i < source.size(); ++i) expected[i] = source[i - i % 3 + 2 - i % 3];
        std::vector<std::uint8_t> copied(source.size() + 1, 99), in_place = source;
        convert_row(PixelLayout::RGB24, {}, source.data(), copied.data(), width);
        convert_row(PixelLayout::RGB24, {}, in_place.data(), in_place.data(), width);
        EXPECT_EQ(std::vector<std::uint8_t>(copied.begin(), copied.end() - 1), expected) << width;
        EXPECT_EQ(copied.back(), 99) << width;  // nothing written past the row
        EXPECT_EQ(in_place, expected) << width;
    }
}

TEST(IsGreySource, GreyLayoutsAndGreyPalettes) {
    EXPECT_TRUE(is_grey_source(PixelLayout::Gray8, {}));
    EXPECT_TRUE(is_grey_source(PixelLayout::BlackWhite, {}));
    EXPECT_TRUE(is_grey_source(PixelLayout::Gray16, {}));
    EXPECT_TRUE(is_grey_source(PixelLayout::Indexed8, {}));
    EXPECT_TRUE(is_grey_source(PixelLayout::Indexed8, {0xFF000000, 0xFF7F7F7F}));
    EXPECT_FALSE(is_grey_source(PixelLayout::Indexed8, {0xFF000000, 0xFF7F7F7E}));
    EXPECT_FALSE(is_grey_source(PixelLayout::BGR24, {}));
}

TEST(MetadataScan, LaterBlocksAndItemsOverrideEarlierOnes) {
    std::uint16_t orientation = 1;
    std::vector<std::uint8_t> profile;
    metadata_scan({{MetadataBlock::Gps, orientation_tag, 8, {}},
                   {MetadataBlock::Ifd0, orientation_tag, 6, {}},
                   {MetadataBlock::Ifd0, icc_profile_tag, 0, {1, 2}},
                   {MetadataBlock::Exif, icc_profile_tag, 0, {3}},
                   {MetadataBlock::Ifd0, 282, 99, {}}},
                  orientation, profile);
    EXPECT_EQ(orientation, 8);
    EXPECT_EQ(profile, (std::vector<std::uint8_t>{3}));

    orientation = 1;
    metadata_scan({}, orientation, profile);
    EXPECT_EQ(orientation, 1);
}

}  // namespace
}  // namespace lumivane
