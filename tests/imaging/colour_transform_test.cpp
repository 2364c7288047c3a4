#include "imaging/colour_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include <lcms2.h>

#include "imaging/image_copy.h"
#include "imaging/image_loader.h"
#include "imaging/monitor_profiles.h"
#include "imaging/tiff_reader.h"
#include "platform/files.h"
#include "platform/text_encoding.h"
#include "support/jpeg_files.h"
#include "support/libtiff_files.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::RecordingUi;

std::uint32_t big_endian(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) | (std::uint32_t{bytes[at + 2]} << 8) |
           bytes[at + 3];
}

std::vector<std::string> tag_signatures(const std::vector<std::uint8_t>& profile) {
    std::vector<std::string> tags;
    const std::uint32_t count = big_endian(profile, 128);
    for (std::uint32_t i = 0; i < count; ++i) {
        tags.emplace_back(reinterpret_cast<const char*>(profile.data()) + 132 + 12 * i, 4);
    }
    return tags;
}

TEST(MonitorProfiles, SizesTagsAndValues) {
    struct Case {
        const std::vector<std::uint8_t>& bytes;
        std::size_t size;
        const char* description;
        std::vector<std::string> tags;
        double gamma;
    };
    const Case cases[] = {
        {adobe_rgb_profile(), 560, "Adobe RGB (1998)",
         {"cprt", "desc", "wtpt", "bkpt", "rTRC", "gTRC", "bTRC", "rXYZ", "gXYZ", "bXYZ"}, 563.0 / 256},
        {dci_p3_profile(), 500, "DCI-P3 (SMPTE-231-2)",
         {"cprt", "desc", "wtpt", "rXYZ", "gXYZ", "bXYZ", "rTRC", "gTRC", "bTRC"}, 666.0 / 256},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.bytes.size(), c.size);
        EXPECT_EQ(big_endian(c.bytes, 0), c.size);
        EXPECT_EQ(big_endian(c.bytes, 8), 0x02100000u);
        EXPECT_EQ(tag_signatures(c.bytes), c.tags);

        cmsHPROFILE profile = cmsOpenProfileFromMem(c.bytes.data(), static_cast<cmsUInt32Number>(c.bytes.size()));
        ASSERT_NE(profile, nullptr);
        char text[64] = {};
        cmsGetProfileInfoASCII(profile, cmsInfoDescription, "en", "US", text, sizeof text);
        EXPECT_STREQ(text, c.description);
        EXPECT_EQ(cmsGetDeviceClass(profile), cmsSigDisplayClass);
        EXPECT_EQ(cmsGetColorSpace(profile), cmsSigRgbData);

        // The colorant columns add up to the D50 white, within s15Fixed16 rounding.
        const auto* red = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, cmsSigRedColorantTag));
        const auto* green = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, cmsSigGreenColorantTag));
        const auto* blue = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, cmsSigBlueColorantTag));
        ASSERT_TRUE(red && green && blue);
        const double tolerance = 3.0 / 65536;
        EXPECT_NEAR(red->X + green->X + blue->X, cmsD50_XYZ()->X, tolerance);
        EXPECT_NEAR(red->Y + green->Y + blue->Y, cmsD50_XYZ()->Y, tolerance);
        EXPECT_NEAR(red->Z + green->Z + blue->Z, cmsD50_XYZ()->Z, tolerance);

        const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(profile, cmsSigRedTRCTag));
        ASSERT_NE(curve, nullptr);
        EXPECT_NEAR(cmsEstimateGamma(curve, 0.001), c.gamma, 0.01);
        cmsCloseProfile(profile);
    }
    // The DCI-P3 curves are one data element.
    const auto& p3 = dci_p3_profile();
    EXPECT_EQ(big_endian(p3, 132 + 12 * 6 + 4), big_endian(p3, 132 + 12 * 7 + 4));
    EXPECT_EQ(big_endian(p3, 132 + 12 * 6 + 4), big_endian(p3, 132 + 12 * 8 + 4));
}

// Little CMS builds its own profile from the published digital cinema primaries, white
// (x 0.314, y 0.351) and curve: sRGB colours must land where that profile puts them.
TEST(MonitorProfiles, DciP3AgreesWithTheLibrarysProfileOfThePublishedPrimaries) {
    const cmsCIExyY white = {0.314, 0.351, 1.0};
    const cmsCIExyYTRIPLE primaries = {{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    cmsToneCurve* gamma = cmsBuildGamma(nullptr, 666.0 / 256);
    cmsToneCurve* curves[3] = {gamma, gamma, gamma};
    cmsHPROFILE reference = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(gamma);
    const auto& bytes = dci_p3_profile();
    cmsHPROFILE ours = cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    ASSERT_TRUE(reference && ours);
    // The white point tag holds the cinema white itself.
    cmsCIEXYZ white_xyz;
    cmsxyY2XYZ(&white_xyz, &white);
    const auto* media_white = static_cast<const cmsCIEXYZ*>(cmsReadTag(ours, cmsSigMediaWhitePointTag));
    EXPECT_NEAR(media_white->X, white_xyz.X, 1.0 / 65536);
    EXPECT_NEAR(media_white->Z, white_xyz.Z, 1.0 / 65536);

    cmsHTRANSFORM to_ours = cmsCreateTransform(srgb, TYPE_RGB_8, ours, TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
    cmsHTRANSFORM to_reference = cmsCreateTransform(srgb, TYPE_RGB_8, reference, TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
    const std::uint8_t colours[][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},     {255, 255, 0},  {0, 255, 255},
                                       {255, 0, 255}, {255, 255, 255}, {128, 128, 128}, {255, 128, 0}, {40, 120, 200}};
    for (const auto& colour : colours) {
        std::uint8_t a[3], b[3];
        cmsDoTransform(to_ours, colour, a, 1);
        cmsDoTransform(to_reference, colour, b, 1);
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(a[c], b[c], 1) << int(colour[0]) << "," << int(colour[1]) << "," << int(colour[2]);
    }
    for (cmsHTRANSFORM t : {to_ours, to_reference}) cmsDeleteTransform(t);
    for (cmsHPROFILE p : {srgb, ours, reference}) cmsCloseProfile(p);
}

ImageBuffer solid(std::initializer_list<std::array<std::uint8_t, 3>> pixels) {
    ImageBuffer image;
    EXPECT_FALSE(image_allocate(image, PixelFormat::Colour8, static_cast<std::int32_t>(pixels.size()), 1, 72.0));
    int x = 0;
    for (const auto& p : pixels) std::memcpy(image.rows[0] + 3 * x++, p.data(), 3);
    return image;
}

struct Converted {
    bool failed;
    ImageBuffer image;
};

Converted convert(const ImageBuffer& picture, const std::vector<std::uint8_t>& profile,
                  MonitorProfile monitor) {
    ColourTransformHandle transform;
    Converted result;
    result.failed = colour_transform_create(profile, picture, monitor, transform);
    EXPECT_FALSE(colour_transform_apply(picture, result.image, transform.get()));
    return result;
}

int channel(const ImageBuffer& image, int x, int c) { return image.rows[0][3 * x + c]; }

TEST(ColourTransform, MonitorProfilesChangeWhatTheyShould) {
    const ImageBuffer picture = solid({{0, 0, 255}, {0, 0, 0}, {255, 255, 255}, {40, 120, 200}});

    // sRGB to sRGB, and any value outside 0 to 2, leave the picture as it is.
    for (std::int32_t monitor : {0, 7, -1}) {
        const Converted same = convert(picture, {}, static_cast<MonitorProfile>(monitor));
        ASSERT_FALSE(same.failed);
        for (int i = 0; i < 12; ++i) EXPECT_NEAR(same.image.rows[0][i], picture.rows[0][i], 1) << monitor << " " << i;
    }
    // A wider monitor space shows sRGB red with less red; black and white stay.
    for (std::int32_t monitor : {1, 2}) {
        const Converted wide = convert(picture, {}, static_cast<MonitorProfile>(monitor));
        ASSERT_FALSE(wide.failed);
        EXPECT_LT(channel(wide.image, 0, 2), 250) << monitor;
        EXPECT_EQ(channel(wide.image, 1, 0) + channel(wide.image, 1, 1) + channel(wide.image, 1, 2), 0);
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(channel(wide.image, 2, c), 255, 1) << monitor;
    }
}

TEST(ColourTransform, AdobeRgbPictureOnAnAdobeRgbMonitorKeepsItsValues) {
    const std::vector<std::uint8_t> adobe = testing::file_bytes("/usr/share/color/icc/colord/AdobeRGB1998.icc");
    ASSERT_FALSE(adobe.empty());
    const ImageBuffer picture = solid({{0, 0, 255}, {10, 200, 30}, {128, 128, 128}, {255, 255, 255}, {3, 2, 1}});
    const Converted converted = convert(picture, adobe, MonitorProfile::AdobeRgb);
    ASSERT_FALSE(converted.failed);
    for (int i = 0; i < 15; ++i) EXPECT_NEAR(converted.image.rows[0][i], picture.rows[0][i], 2) << i;
    // The same picture shown as sRGB would change: the test can tell a missed conversion.
    const Converted as_srgb = convert(picture, adobe, MonitorProfile::Srgb);
    EXPECT_GT(std::abs(channel(as_srgb.image, 1, 1) - 200) + std::abs(channel(as_srgb.image, 1, 2) - 10), 10);
}

TEST(ColourTransform, RotatedPrimariesShowTheColoursTheirWordsName) {
    RecordingUi ui;
    ImageBuffer picture;
    std::vector<std::uint8_t> profile;
    ASSERT_FALSE(image_load(ui, utf8_to_utf16(std::string(LUMIVANE_TESTDATA) + "/wide-gamut/rgb-to-gbr-test.jpg"),
                            picture, profile));
    ASSERT_FALSE(profile.empty());
    const Converted shown = convert(picture, profile, MonitorProfile::Srgb);
    ASSERT_FALSE(shown.failed);
    // Points in the three colour sectors (x, y from the top-left of the 1000 x 1000
    // picture): stored blue under "RED", stored red under "GREEN", stored green under
    // "BLUE". Displayed, each must be dominated by the colour its word names.
    struct Sample {
        int x, y;
        int stored;     // dominant channel as stored (0 blue, 1 green, 2 red)
        int displayed;  // dominant channel once converted
    };
    const Sample samples[] = {{500, 100, 0, 2}, {100, 600, 2, 1}, {900, 640, 1, 0}};
    auto dominant = [](const ImageBuffer& image, int x, int y) {
        const std::uint8_t* p = image.rows[image.height - 1 - y] + 3 * x;
        return p[0] > p[1] && p[0] > p[2] ? 0 : p[1] > p[2] ? 1 : 2;
    };
    for (const Sample& s : samples) {
        EXPECT_EQ(dominant(picture, s.x, s.y), s.stored) << s.x << "," << s.y;
        EXPECT_EQ(dominant(shown.image, s.x, s.y), s.displayed) << s.x << "," << s.y;
    }
}

TEST(ColourTransform, RefusedProfilesFailAndCopyThePicture) {
    const std::vector<std::uint8_t> grey = testing::file_bytes("/usr/share/color/icc/Gray.icc");
    ASSERT_FALSE(grey.empty());
    const ImageBuffer picture = solid({{0, 0, 255}, {9, 8, 7}});
    for (const auto& profile : {grey, std::vector<std::uint8_t>{1, 2, 3, 4}}) {
        const Converted kept = convert(picture, profile, MonitorProfile::AdobeRgb);
        EXPECT_TRUE(kept.failed);
        EXPECT_EQ(std::memcmp(kept.image.rows[0], picture.rows[0], 6), 0);
    }

    // Nothing loaded: no transform, no failure, and the slide's image is emptied.
    ImageBuffer empty, destination = solid({{1, 2, 3}});
    ColourTransformHandle transform;
    EXPECT_FALSE(colour_transform_create(grey, empty, MonitorProfile::Srgb, transform));
    EXPECT_EQ(transform, nullptr);
    EXPECT_FALSE(colour_transform_apply(empty, destination, nullptr));
    EXPECT_TRUE(destination.empty());
}

TEST(ColourTransform, GreyTiffFromTheProgramsOwnReaderIsShownUnconverted) {
    testing::TempFolder folder;
    testing::TiffVariant variant;
    variant.profile = testing::file_bytes("/usr/share/color/icc/Gray.icc");
    ASSERT_FALSE(variant.profile.empty());
    ASSERT_FALSE(testing::write_tiff(folder.native_file("grey.tif"), variant, 9));

    ImageBuffer picture;
    std::vector<std::uint8_t> profile;
    FileHandle file;
    ASSERT_FALSE(file_open_read(folder.file(u"grey.tif"), file));
    ASSERT_FALSE(tiff_read(file, picture));
    ASSERT_FALSE(tiff_icc_extract(folder.file(u"grey.tif"), profile));
    EXPECT_EQ(profile, variant.profile);

    const Converted shown = convert(picture, profile, MonitorProfile::AdobeRgb);
    EXPECT_TRUE(shown.failed);
    for (std::int32_t r = 0; r < picture.height; ++r) {
        ASSERT_EQ(std::memcmp(shown.image.rows[r], picture.rows[r], static_cast<std::size_t>(picture.stride)), 0);
    }
}

TEST(ColourTransform, InPlaceConversionMatchesAConversionIntoAnotherPicture) {
    ImageBuffer picture = solid({{0, 0, 255}, {10, 200, 30}, {128, 128, 128}, {3, 2, 1}});
    const Converted separate = convert(picture, {}, MonitorProfile::DciP3);
    ColourTransformHandle transform;
    ASSERT_FALSE(colour_transform_create({}, picture, MonitorProfile::DciP3, transform));
    ASSERT_FALSE(colour_transform_apply(picture, picture, nullptr));  // nothing to do
    ASSERT_FALSE(colour_transform_apply(picture, picture, transform.get()));
    EXPECT_EQ(std::memcmp(picture.rows[0], separate.image.rows[0], 12), 0);
    EXPECT_NE(channel(picture, 0, 2), 255);  // it was converted
}

TEST(ColourTransform, LargePicturesConvertEveryRow) {
    ImageBuffer picture;
    ASSERT_FALSE(image_allocate(picture, PixelFormat::Colour8, 1500, 1000, 300.0));
    for (std::int32_t r = 0; r < picture.height; ++r) {
        for (std::int32_t x = 0; x < picture.width; ++x) picture.rows[r][3 * x + 2] = 255;  // all red
    }
    const Converted converted = convert(picture, {}, MonitorProfile::DciP3);
    ASSERT_FALSE(converted.failed);
    EXPECT_EQ(converted.image.resolution, 300.0);
    const int red = channel(converted.image, 0, 2);
    EXPECT_LT(red, 250);
    for (std::int32_t r = 0; r < converted.image.height; r += 7) {
        for (std::int32_t x = 0; x < converted.image.width; x += 13) {
            ASSERT_EQ(converted.image.rows[r][3 * x + 2], red) << r << "," << x;
        }
    }
}

// Colours converted once are remembered by their transform. Rows of many colours (more
// than it remembers, so that they push each other out), of noise (which it converts
// without remembering) and of a few colours, converted on the worker pool twice over
// and in place, come out exactly as the library converts each pixel.
TEST(ColourTransform, RememberedColoursComeOutAsTheLibraryConvertsThem) {
    ImageBuffer picture;
    ASSERT_FALSE(image_allocate(picture, PixelFormat::Colour8, 1500, 1000, 300.0));
    std::mt19937 random(7);
    for (std::int32_t r = 0; r < picture.height; ++r) {
        std::uint8_t* row = picture.rows[r];
        for (std::int32_t i = 0; i < 3 * picture.width; ++i) {
            const std::int32_t x = i / 3;
            switch (r / 40 % 3) {
            case 0: row[i] = static_cast<std::uint8_t>(i % 3 == 0 ? x : i % 3 == 1 ? r : x ^ (r * 7)); break;
            case 1: row[i] = static_cast<std::uint8_t>(random()); break;
            default: row[i] = static_cast<std::uint8_t>((x / 100) * 40 + i % 3); break;
            }
        }
    }
    const std::vector<std::uint8_t>& adobe = adobe_rgb_profile();
    cmsHPROFILE input = cmsCreate_sRGBProfile();
    cmsHPROFILE output = cmsOpenProfileFromMem(adobe.data(), static_cast<cmsUInt32Number>(adobe.size()));
    cmsHTRANSFORM library = cmsCreateTransform(input, TYPE_BGR_8, output, TYPE_BGR_8, INTENT_PERCEPTUAL, cmsFLAGS_NOCACHE);
    std::vector<std::uint8_t> expected(static_cast<std::size_t>(picture.stride) * picture.height);
    for (std::int32_t r = 0; r < picture.height; ++r) {
        cmsDoTransform(library, picture.rows[r], expected.data() + static_cast<std::size_t>(picture.stride) * r,
                       static_cast<cmsUInt32Number>(picture.width));
    }
    cmsDeleteTransform(library);
    cmsCloseProfile(input);
    cmsCloseProfile(output);

    ColourTransformHandle transform;
    ASSERT_FALSE(colour_transform_create({}, picture, MonitorProfile::AdobeRgb, transform));
    for (int round = 0; round < 3; ++round) {
        ImageBuffer converted;
        if (round < 2) {
            ASSERT_FALSE(colour_transform_apply(picture, converted, transform.get()));
        } else {
            ASSERT_FALSE(image_copy(picture, converted));
            ASSERT_FALSE(colour_transform_apply_rows(converted, transform.get(), converted.height));
        }
        for (std::int32_t r = 0; r < picture.height; ++r) {
            ASSERT_EQ(std::memcmp(converted.rows[r], expected.data() + static_cast<std::size_t>(picture.stride) * r,
                                  3 * static_cast<std::size_t>(picture.width)), 0)
                << "round " << round << ", row " << r;
        }
    }
}

}  // namespace
}  // namespace lumivane
