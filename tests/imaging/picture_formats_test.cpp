// PNG, WebP, JPEG XL, HEIF and AVIF pictures made by Debian's encoders, loaded through
// the platform decoders and compared with the same files decoded by other programs.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <lcms2.h>

#include "imaging/image_loader.h"
#include "platform/text_encoding.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;

const std::string testdata = LUMIVANE_TESTDATA;
// A profile libpng takes, which the HEIF reference decode writes into its PNG file.
const std::string adobe_profile = "/usr/share/color/icc/compatibleWithAdobeRGB1998.icc";

bool run(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) != 0; }

// A binary PPM or PGM file as rows of red, green, blue bytes, top row first.
struct Reference {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
};

Reference read_portable_map(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int max = 0;
    Reference r;
    in >> magic >> r.width >> r.height >> max;
    in.get();
    const int samples = magic == "P6" ? 3 : 1;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(r.width * r.height * samples));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size(); i += samples) {
        for (int c = 0; c < 3; ++c) r.rgb.push_back(bytes[i + (samples == 3 ? c : 0)]);
    }
    return r;
}

// The largest difference of any sample, the loaded picture's rows counted from the
// bottom in blue, green, red order.
int largest_difference(const ImageBuffer& image, const Reference& reference) {
    int largest = 0;
    for (int y = 0; y < reference.height; ++y) {
        const std::uint8_t* row = image.rows[static_cast<std::size_t>(image.height - 1 - y)];
        for (int x = 0; x < reference.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const int expected = reference.rgb[static_cast<std::size_t>((y * reference.width + x) * 3 + c)];
                largest = std::max(largest, std::abs(row[x * 3 + 2 - c] - expected));
            }
        }
    }
    return largest;
}

struct Format {
    const char* name;
    // Makes the file (named without any extension) from the pictures prepared below.
    const char* make;
    // Decodes it to a PPM file, transparent parts on black.
    const char* reference;
    // The profile the load gives: the wide-gamut picture's, none (a grey picture), the
    // Adobe RGB one, or one the decoder makes for the colour it decodes to.
    enum { Wide, None, Adobe, Made } profile;
};

#define ON_BLACK "-background black -alpha remove -alpha off -depth 8 ppm:{ref}"
constexpr const char* magick_reference = "convert {file} " ON_BLACK;
constexpr const char* djxl_reference = "djxl {file} {ref}.png && convert {ref}.png " ON_BLACK;
constexpr const char* heif_reference = "heif-convert {file} {ref}.png >/dev/null && convert {ref}.png " ON_BLACK;

const Format formats[] = {
    {"PNG 8-bit", "convert {wide}.png {file}", magick_reference, Format::Wide},
    {"PNG 16-bit interlaced", "convert {wide}.png -depth 16 -interlace PNG PNG48:{file}", magick_reference,
     Format::Wide},
    {"PNG palette", "convert {wide}.png -colors 40 PNG8:{file}", magick_reference, Format::Wide},
    {"PNG grey", "convert {wide}.png -colorspace Gray -depth 8 {file}", magick_reference, Format::None},
    {"PNG grey 16-bit with alpha", "convert {alpha}.png -colorspace Gray -depth 16 {file}", magick_reference,
     Format::None},
    {"PNG alpha", "convert {alpha}.png PNG32:{file}", magick_reference, Format::Wide},
    {"PNG 16-bit alpha", "convert {alpha}.png PNG64:{file}", magick_reference, Format::Wide},
    {"WebP lossy", "cwebp -quiet -metadata icc -q 80 {wide}.png -o {file}", "dwebp -quiet {file} -ppm -o {ref}",
     Format::Wide},
    {"WebP lossless", "cwebp -quiet -metadata icc -lossless {wide}.png -o {file}", "dwebp -quiet {file} -ppm -o {ref}",
     Format::Wide},
    {"WebP alpha", "cwebp -quiet -metadata icc -exact -q 90 {alpha}.png -o {file}", magick_reference, Format::Wide},
    {"WebP lossless alpha", "cwebp -quiet -metadata icc -exact -lossless {alpha}.png -o {file}", magick_reference,
     Format::Wide},
    {"JPEG XL lossless", "cjxl -d 0 {wide}.png {file}", djxl_reference, Format::Wide},
    {"JPEG XL lossy", "cjxl -d 1 {wide}.png {file}", djxl_reference, Format::Made},
    {"JPEG XL alpha", "cjxl -d 0 {alpha}.png {file}", djxl_reference, Format::Wide},
    {"JPEG XL recompressed JPEG turned by its orientation", "cjxl {turned}.jpg {file}", djxl_reference, Format::Made},
    {"HEIC", "heif-enc -q 90 {adobe}.png -o {file}", heif_reference, Format::Adobe},
    {"HEIC whose EXIF orientation its own boxes overrule", "heif-enc -q 90 {turned}.jpg -o {file}", heif_reference,
     Format::None},
    {"AVIF 10-bit", "avifenc -d 10 {adobe}.png {file}", heif_reference, Format::Adobe},
    {"AVIF alpha", "avifenc --icc {adobe_icc} {alpha}.png {file}", heif_reference, Format::Adobe},
    {"AVIF turned and mirrored by its boxes", "avifenc --irot 1 --imir 1 {adobe}.png {file}", heif_reference,
     Format::Adobe},
    {"AVIF with a Display P3 colour description", "avifenc --ignore-icc --cicp 12/13/6 {wide}.png {file}",
     heif_reference, Format::Made},
};

std::string filled(std::string text, const TempFolder& folder) {
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"{wide}", folder.native_file("wide")},
                                     {"{alpha}", folder.native_file("alpha")},
                                     {"{adobe}", folder.native_file("adobe")},
                                     {"{adobe_icc}", adobe_profile},
                                     {"{turned}", folder.native_file("turned")},
                                     {"{file}", folder.native_file("picture")},
                                     {"{ref}", folder.native_file("reference")}}) {
        for (std::size_t at; (at = text.find(key)) != std::string::npos;) text.replace(at, key.size(), value);
    }
    return text;
}

// Two small pictures with the wide-gamut profile, one opaque, one turned upright from
// an orientation example with alpha rising from left to right; the first with the Adobe
// RGB profile instead; and a small JPEG stored on its side with orientation 6.
void prepare(const TempFolder& folder) {
    const std::string wide = testdata + "/wide-gamut/P3-sRGB-color-ring.jpg";
    const std::string landscape = testdata + "/orientation/Landscape_6.jpg";
    const std::string with_profile = " +profile '*' -resize 96x64! -profile " + folder.native_file("wide.icc") + " ";
    ASSERT_FALSE(run("convert " + wide + " " + folder.native_file("wide.icc")));
    ASSERT_FALSE(run("convert " + wide + with_profile + folder.native_file("wide.png")));
    ASSERT_FALSE(run("convert " + landscape + " -auto-orient" + with_profile +
                     "-alpha set -channel A -fx i/w +channel " + folder.native_file("alpha.png")));
    ASSERT_FALSE(run("convert " + folder.native_file("wide.png") + " +profile '*' -profile " + adobe_profile + " " +
                     folder.native_file("adobe.png")));
    ASSERT_FALSE(run("convert " + landscape + " -resize 5% " + folder.native_file("turned.jpg")));
}

TEST(PictureFormats, DecodeLikeOtherProgramsWithTheirProfiles) {
    TempFolder folder;
    prepare(folder);
    const std::string wide_profile = testing::read_bytes(folder.native_file("wide.icc"));
    ASSERT_FALSE(wide_profile.empty());
    for (const Format& format : formats) {
        SCOPED_TRACE(format.name);
        ASSERT_FALSE(run(filled(format.make, folder)));
        ASSERT_FALSE(run(filled(format.reference, folder)));
        const Reference reference = read_portable_map(folder.native_file("reference"));
        ImageBuffer image;
        std::vector<std::uint8_t> profile;
        LoadReport report;
        ASSERT_FALSE(image_read(folder.file(u"picture"), image, profile, report));
        EXPECT_FALSE(report.incomplete);
        ASSERT_EQ(image.width, reference.width);
        ASSERT_EQ(image.height, reference.height);
        EXPECT_LE(largest_difference(image, reference), 1);
        if (format.profile == Format::Made) {
            EXPECT_FALSE(profile.empty());
        } else {
            const std::string expected = format.profile == Format::Wide    ? wide_profile
                                         : format.profile == Format::Adobe ? testing::read_bytes(adobe_profile)
                                                                           : "";
            EXPECT_EQ(std::string(profile.begin(), profile.end()), expected);
        }

        // Cut short, the file shows the rows it holds. Damaged, it never brings the
        // program down; lossy data has no check that could find the damage.
        const std::string bytes = testing::read_bytes(folder.native_file("picture"));
        folder.write("cut", bytes.substr(0, bytes.size() * 3 / 5));
        ASSERT_FALSE(image_read(folder.file(u"cut"), image, profile, report));
        EXPECT_TRUE(report.incomplete);
        EXPECT_LT(report.rows_with_data, image.height);
        std::string damaged = bytes;
        for (std::size_t i = damaged.size() / 2; i < damaged.size(); i += 7) {
            damaged[i] = static_cast<char>(~damaged[i]);
        }
        folder.write("damaged", damaged);
        if (!image_read(folder.file(u"damaged"), image, profile, report)) {
            EXPECT_EQ(image.width, reference.width);
        }
    }
}

// Decodes for thumbnails: WebP scales as it decodes; HEIC and AVIF give the file's own
// thumbnail when it has one at most the reduction asked smaller, with the picture's
// profile and full size, and the whole picture otherwise.
TEST(PictureFormats, ReducedDecodesGiveTheSizeAsked) {
    struct Case {
        const char* make;
        std::int32_t asked, reduction, width, height;
    };
    const Case cases[] = {
        {"cwebp -quiet -metadata icc -q 80 {big}.png -o {file}", 2, 2, 320, 240},
        {"cwebp -quiet -metadata icc -lossless {big}.png -o {file}", 8, 8, 80, 60},
        {"heif-enc -q 80 -t 160 {big}.png -o {file}", 4, 4, 160, 120},
        {"heif-enc -q 80 -t 160 {big}.png -o {file}", 8, 8, 160, 120},
        {"heif-enc -q 80 -t 160 {big}.png -o {file}", 2, 1, 640, 480},
        {"heif-enc -q 80 {big}.png -o {file}", 8, 1, 640, 480},
        {"heif-enc -A -q 80 -t 200 {big}.png -o {file}", 4, 4, 200, 150},
    };
    TempFolder folder;
    prepare(folder);
    ASSERT_FALSE(
        run("convert " + folder.native_file("adobe.png") + " -resize 640x480! " + folder.native_file("big.png")));
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.make << ", reduction " << c.asked);
        std::string make = filled(c.make, folder);
        make.replace(make.find("{big}"), 5, folder.native_file("big"));
        ASSERT_FALSE(run(make));
        ImageBuffer image;
        std::vector<std::uint8_t> profile;
        LoadReport report;
        const auto asked = [&c](std::int32_t, std::int32_t) { return c.asked; };
        ASSERT_FALSE(image_read(folder.file(u"picture"), image, profile, report, memory_fits, asked));
        EXPECT_EQ(report.reduction, c.reduction);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(report.width, 640);
        EXPECT_EQ(report.height, 480);
        EXPECT_EQ(std::string(profile.begin(), profile.end()), testing::read_bytes(adobe_profile));
    }
}

// Without iCCP or sRGB chunks, gAMA and cHRM make the profile: a picture stored in
// linear light (gamma 1.0) with sRGB's primaries shows its levels as sRGB encodes them.
TEST(PictureFormats, PngGammaAndPrimariesBecomeAProfile) {
    TempFolder folder;
    ASSERT_FALSE(run("convert -size 4x4 xc:'rgb(128,64,32)' -set gamma 1.0 -define png:exclude-chunks=sRGB,iCCP " +
                     folder.native_file("linear.png")));
    ImageBuffer image;
    std::vector<std::uint8_t> profile;
    LoadReport report;
    ASSERT_FALSE(image_read(folder.file(u"linear.png"), image, profile, report));
    ASSERT_FALSE(profile.empty());
    cmsHPROFILE source = cmsOpenProfileFromMem(profile.data(), static_cast<cmsUInt32Number>(profile.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM transform = cmsCreateTransform(source, TYPE_RGB_8, srgb, TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC, 0);
    ASSERT_NE(transform, nullptr);
    const std::uint8_t stored[3] = {128, 64, 32};
    std::uint8_t shown[3] = {};
    cmsDoTransform(transform, stored, shown, 1);
    for (int c = 0; c < 3; ++c) {
        const double linear = stored[c] / 255.0;
        const double encoded = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
        EXPECT_NEAR(shown[c], encoded * 255.0, 1.5) << c;
    }
    cmsDeleteTransform(transform);
    cmsCloseProfile(source);
    cmsCloseProfile(srgb);
}

}  // namespace
}  // namespace lumivane
