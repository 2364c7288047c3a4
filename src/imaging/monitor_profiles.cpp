#include "imaging/monitor_profiles.h"

#include <array>
#include <cstring>
#include <string>

namespace lumivane {

namespace {

// Big-endian writers, as ICC profiles are stored.
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}
void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}
void put_signature(std::vector<std::uint8_t>& out, const char (&s)[5]) { out.insert(out.end(), s, s + 4); }
void pad4(std::vector<std::uint8_t>& out) {
    while (out.size() % 4 != 0) out.push_back(0);
}

using Xyz = std::array<std::int32_t, 3>;  // raw s15Fixed16 numbers

std::vector<std::uint8_t> text_element(const std::string& text) {
    std::vector<std::uint8_t> e;
    put_signature(e, "text");
    put32(e, 0);
    e.insert(e.end(), text.begin(), text.end());
    e.push_back(0);
    return e;
}

// An ASCII description with empty Unicode and ScriptCode parts.
std::vector<std::uint8_t> description_element(const std::string& text) {
    std::vector<std::uint8_t> e;
    put_signature(e, "desc");
    put32(e, 0);
    put32(e, static_cast<std::uint32_t>(text.size() + 1));
    e.insert(e.end(), text.begin(), text.end());
    e.push_back(0);
    put32(e, 0);  // Unicode language code
    put32(e, 0);  // Unicode character count
    put16(e, 0);  // ScriptCode code
    e.push_back(0);  // ScriptCode count
    e.insert(e.end(), 67, 0);
    return e;
}

std::vector<std::uint8_t> xyz_element(const Xyz& xyz) {
    std::vector<std::uint8_t> e;
    put_signature(e, "XYZ ");
    put32(e, 0);
    for (std::int32_t v : xyz) put32(e, static_cast<std::uint32_t>(v));
    return e;
}

// A pure gamma curve: one u8Fixed8 entry.
std::vector<std::uint8_t> gamma_element(std::uint16_t gamma_times_256) {
    std::vector<std::uint8_t> e;
    put_signature(e, "curv");
    put32(e, 0);
    put32(e, 1);
    put16(e, gamma_times_256);
    return e;
}

struct Tag {
    const char* signature;
    int element;  // index into the data elements; tags may share one
};

// Header, tag table, then the data elements in order, each starting on 4 bytes.
std::vector<std::uint8_t> build_profile(const Xyz& illuminant, const std::vector<Tag>& tags,
                                        const std::vector<std::vector<std::uint8_t>>& elements) {
    const std::size_t table_end = 128 + 4 + 12 * tags.size();
    std::vector<std::uint8_t> data;
    std::vector<std::uint32_t> offsets, sizes;
    for (const auto& element : elements) {
        pad4(data);
        offsets.push_back(static_cast<std::uint32_t>(table_end + data.size()));
        sizes.push_back(static_cast<std::uint32_t>(element.size()));
        data.insert(data.end(), element.begin(), element.end());
    }
    pad4(data);
    const auto total = static_cast<std::uint32_t>(table_end + data.size());

    std::vector<std::uint8_t> p;
    put32(p, total);
    put32(p, 0);             // preferred colour engine: none
    put32(p, 0x02100000);    // version 2.1.0
    put_signature(p, "mntr");
    put_signature(p, "RGB ");
    put_signature(p, "XYZ ");
    for (std::uint16_t v : {2026, 1, 1, 0, 0, 0}) put16(p, v);  // creation date
    put_signature(p, "acsp");
    put32(p, 0);  // platform
    put32(p, 0);  // flags
    put32(p, 0);  // manufacturer
    put32(p, 0);  // model
    put32(p, 0);  // attributes
    put32(p, 0);
    put32(p, 0);  // rendering intent: perceptual
    for (std::int32_t v : illuminant) put32(p, static_cast<std::uint32_t>(v));
    put32(p, 0);  // creator
    p.resize(128, 0);

    put32(p, static_cast<std::uint32_t>(tags.size()));
    for (const Tag& tag : tags) {
        p.insert(p.end(), tag.signature, tag.signature + 4);
        put32(p, offsets[static_cast<std::size_t>(tag.element)]);
        put32(p, sizes[static_cast<std::size_t>(tag.element)]);
    }
    p.insert(p.end(), data.begin(), data.end());
    return p;
}

const std::string copyright = "Copyright Lumivane; free to use and copy.";

}  // namespace

const std::vector<std::uint8_t>& adobe_rgb_profile() {
    static const std::vector<std::uint8_t> profile = build_profile(
        {63190, 65536, 54061},
        {{"cprt", 0}, {"desc", 1}, {"wtpt", 2}, {"bkpt", 3}, {"rTRC", 4}, {"gTRC", 5}, {"bTRC", 6},
         {"rXYZ", 7}, {"gXYZ", 8}, {"bXYZ", 9}},
        {text_element(copyright), description_element("Adobe RGB (1998)"), xyz_element({62289, 65536, 71372}),
         xyz_element({0, 0, 0}), gamma_element(563), gamma_element(563), gamma_element(563),
         xyz_element({39960, 20389, 1276}), xyz_element({13453, 41004, 3989}), xyz_element({9777, 4143, 48796})});
    return profile;
}

const std::vector<std::uint8_t>& dci_p3_profile() {
    static const std::vector<std::uint8_t> profile = build_profile(
        {63190, 65536, 54060},
        {{"cprt", 0}, {"desc", 1}, {"wtpt", 2}, {"rXYZ", 3}, {"gXYZ", 4}, {"bXYZ", 5}, {"rTRC", 6}, {"gTRC", 6},
         {"bTRC", 6}},
        {text_element(copyright), description_element("DCI-P3 (SMPTE-231-2)"), xyz_element({65340, 65536, 65340}),
         xyz_element({36700, 17296, -40}), xyz_element({16476, 44049, 2779}), xyz_element({10014, 4191, 51321}),
         gamma_element(666)});
    return profile;
}

}  // namespace lumivane
