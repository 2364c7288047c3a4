#include "platform/picture_metadata.h"

// exiv2 0.27 hands out its images in std::auto_ptr.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <exiv2/exiv2.hpp>

#include <optional>

#include "platform/files.h"
#include "platform/heif_metadata.h"
#include "platform/image_decoder.h"
#include "platform/text_encoding.h"

namespace lumivane {

namespace {

// A field as a caption shows it: one line, no blanks at the ends. Bytes that are no
// UTF-8 (IPTC texts written in Latin-1) are taken as Latin-1.
std::u16string one_line(const std::string& bytes) {
    std::u16string line;
    bool blank = false;
    for (char16_t c : utf8_to_utf16(bytes)) {
        if (c <= u' ') {
            blank = !line.empty();
            continue;
        }
        if (blank) line += u' ';
        blank = false;
        line += c >= 0xDC80 && c <= 0xDCFF ? static_cast<char16_t>(c - 0xDC00) : c;
    }
    return line;
}

// The default language's text of an XMP value, else its first language's, else its text.
std::string xmp_text(const Exiv2::Xmpdatum& datum) {
    if (datum.typeId() == Exiv2::langAlt) {
        const auto& languages = static_cast<const Exiv2::LangAltValue&>(datum.value()).value_;
        if (languages.empty()) return {};
        const auto found = languages.find("x-default");
        return found != languages.end() ? found->second : languages.begin()->second;
    }
    return datum.toString();
}

// The first of the keys the picture has a non-blank text for.
template <typename Data, typename Key>
std::u16string first_text(const Data& data, std::initializer_list<const char*> keys) {
    for (const char* key : keys) {
        const auto found = data.findKey(Key(key));
        if (found == data.end()) continue;
        std::u16string text;
        if constexpr (std::is_same_v<Key, Exiv2::XmpKey>) {
            text = one_line(xmp_text(*found));
        } else {
            text = one_line(found->toString());
        }
        if (!text.empty()) return text;
    }
    return {};
}

// "2024:06:01 14:23:05" as "2024-06-01 14:23"; anything else (cameras write blanks or
// zeros when they do not know the time) gives nothing.
std::u16string readable_date(const std::u16string& exif) {
    constexpr char16_t form[] = u"dddd:dd:dd dd:dd";
    if (exif.size() < 16) return {};
    std::u16string date = exif.substr(0, 16);
    for (std::size_t i = 0; i < 16; ++i) {
        if (form[i] == u'd' ? date[i] < u'0' || date[i] > u'9' : date[i] != form[i]) return {};
    }
    if (date.starts_with(u"0000")) return {};
    date[4] = date[7] = u'-';
    return date;
}

// The fields from the picture's three blocks, each by the first source that has it.
void take_fields(const Exiv2::ExifData& exif, const Exiv2::IptcData& iptc, const Exiv2::XmpData& xmp,
                 PictureCaptionFields& fields) {
    fields.title = first_text<Exiv2::XmpData, Exiv2::XmpKey>(xmp, {"Xmp.dc.title"});
    if (fields.title.empty()) {
        fields.title = first_text<Exiv2::IptcData, Exiv2::IptcKey>(iptc, {"Iptc.Application2.ObjectName"});
    }
    fields.description = first_text<Exiv2::XmpData, Exiv2::XmpKey>(xmp, {"Xmp.dc.description"});
    if (fields.description.empty()) {
        fields.description = first_text<Exiv2::IptcData, Exiv2::IptcKey>(iptc, {"Iptc.Application2.Caption"});
    }
    if (fields.description.empty()) {
        fields.description = first_text<Exiv2::ExifData, Exiv2::ExifKey>(exif, {"Exif.Image.ImageDescription"});
    }
    fields.date_taken = readable_date(first_text<Exiv2::ExifData, Exiv2::ExifKey>(
        exif, {"Exif.Photo.DateTimeOriginal", "Exif.Image.DateTimeOriginal"}));
}

// The kind of picture the file's first bytes name; none for a file the program does not
// read as a picture, which exiv2 is not given either (its video readers can take seconds
// over a few odd bytes).
std::optional<ContainerFormat> picture_container(const std::u16string& path) {
    FileHandle file;
    unsigned char head[signature_bytes] = {};
    std::uint32_t length = sizeof head;
    if (file_open_read(path, file) || file_read(file, length, head) != ReadResult::Read) return std::nullopt;
    return signature_format(head, length);
}

// HEIF's blocks as libheif hands them out; such a file has no IPTC.
bool read_heif_fields(const std::u16string& path, PictureCaptionFields& fields) {
    HeifMetadata blocks;
    if (heif_metadata(path, blocks)) return true;
    Exiv2::ExifData exif;
    Exiv2::XmpData xmp;
    if (!blocks.exif.empty()) {
        Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte*>(blocks.exif.data()),
                                  static_cast<std::uint32_t>(blocks.exif.size()));
    }
    if (!blocks.xmp.empty() && Exiv2::XmpParser::decode(xmp, blocks.xmp) != 0) xmp.clear();
    take_fields(exif, Exiv2::IptcData(), xmp, fields);
    return false;
}

}  // namespace

bool picture_caption_fields(const std::u16string& path, PictureCaptionFields& fields) {
    fields = {};
    // exiv2 reports what it finds odd on the standard error and throws on what it cannot
    // read; neither reaches the user, whose caption then falls back to the file name.
    static const bool muted = (Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute), true);
    (void)muted;
    try {
        const std::optional<ContainerFormat> container = picture_container(path);
        if (!container) return true;
        if (*container == ContainerFormat::Heif) return read_heif_fields(path, fields);
        Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(native_path(path));
        if (image.get() == nullptr) return true;
        image->readMetadata();
        take_fields(image->exifData(), image->iptcData(), image->xmpData(), fields);
        return false;
    } catch (...) {
        fields = {};
        return true;
    }
}

}  // namespace lumivane

#pragma GCC diagnostic pop
