#include "imaging/monitor_profiles.h"

#include <array>
#include <cmath>
#include <cstdlib>
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

std::int32_t s15_fixed16(double v) { return static_cast<std::int32_t>(std::lround(v * 65536.0)); }

using Matrix = std::array<std::array<double, 3>, 3>;
using Vector = std::array<double, 3>;

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            for (int k = 0; k < 3; ++k) m[i][j] += a[i][k] * b[k][j];
        }
    }
    return m;
}

Vector multiply(const Matrix& a, const Vector& v) {
    Vector r{};
    for (int i = 0; i < 3; ++i) r[i] = a[i][0] * v[0] + a[i][1] * v[1] + a[i][2] * v[2];
    return r;
}

Matrix inverse(const Matrix& m) {
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    Matrix r{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            // The cofactor of m[j][i], over the determinant.
            const int r0 = (j + 1) % 3, r1 = (j + 2) % 3, c0 = (i + 1) % 3, c1 = (i + 2) % 3;
            r[i][j] = (m[r0][c0] * m[r1][c1] - m[r0][c1] * m[r1][c0]) / det;
        }
    }
    return r;
}

// The XYZ of a chromaticity at luminance 1.
Vector xyz_of(double x, double y) { return {x / y, 1.0, (1.0 - x - y) / y}; }

struct Chromaticity {
    double x;
    double y;
};

// The white of the profile connection space, as Little CMS and the ICC define it.
constexpr Vector d50 = {0.9642, 1.0, 0.8249};

// The colorants of an RGB space with these primaries and white, as the profile stores
// them: adapted to D50 with the Bradford transform. The columns are rounded so that
// they add up to D50 exactly, which keeps the space's white white.
std::array<Xyz, 3> d50_colorants(Chromaticity red, Chromaticity green, Chromaticity blue, Chromaticity white) {
    const Vector r = xyz_of(red.x, red.y), g = xyz_of(green.x, green.y), b = xyz_of(blue.x, blue.y);
    const Matrix primaries = {{{r[0], g[0], b[0]}, {r[1], g[1], b[1]}, {r[2], g[2], b[2]}}};
    const Vector source_white = xyz_of(white.x, white.y);
    // Each primary scaled so that the three together make the white.
    const Vector scale = multiply(inverse(primaries), source_white);
    Matrix rgb_to_xyz = primaries;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) rgb_to_xyz[i][j] *= scale[j];
    }
    const Matrix bradford = {{{0.8951, 0.2664, -0.1614}, {-0.7502, 1.7135, 0.0367}, {0.0389, -0.0685, 1.0296}}};
    const Vector cone_source = multiply(bradford, source_white);
    const Vector cone_d50 = multiply(bradford, d50);
    Matrix gain{};
    for (int i = 0; i < 3; ++i) gain[i][i] = cone_d50[i] / cone_source[i];
    const Matrix adapted = multiply(multiply(multiply(inverse(bradford), gain), bradford), rgb_to_xyz);

    std::array<Xyz, 3> columns{};
    for (int i = 0; i < 3; ++i) {
        // Rounding may leave a row one or two units off the white; the largest entry
        // takes the difference, where it changes the colour least.
        int largest = 0;
        std::int32_t sum = 0;
        for (int j = 0; j < 3; ++j) {
            columns[j][i] = s15_fixed16(adapted[i][j]);
            sum += columns[j][i];
            if (std::abs(adapted[i][j]) > std::abs(adapted[i][largest])) largest = j;
        }
        columns[largest][i] += s15_fixed16(d50[i]) - sum;
    }
    return columns;
}

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

// The digital cinema primaries and white (x 0.314, y 0.351); the white point tag holds
// that white, the colorants are adapted to D50.
const std::vector<std::uint8_t>& dci_p3_profile() {
    static const std::vector<std::uint8_t> profile = [] {
        const Chromaticity white = {0.314, 0.351};
        const auto [red, green, blue] = d50_colorants({0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}, white);
        const Vector white_xyz = xyz_of(white.x, white.y);
        return build_profile(
            {63190, 65536, 54060},
            {{"cprt", 0}, {"desc", 1}, {"wtpt", 2}, {"rXYZ", 3}, {"gXYZ", 4}, {"bXYZ", 5}, {"rTRC", 6}, {"gTRC", 6},
             {"bTRC", 6}},
            {text_element(copyright), description_element("DCI-P3 (SMPTE-231-2)"),
             xyz_element({s15_fixed16(white_xyz[0]), s15_fixed16(white_xyz[1]), s15_fixed16(white_xyz[2])}),
             xyz_element(red), xyz_element(green), xyz_element(blue), gamma_element(666)});
    }();
    return profile;
}

const std::vector<std::uint8_t>& builtin_monitor_profile(MonitorProfile profile) {
    static const std::vector<std::uint8_t> none;
    switch (profile) {
    case MonitorProfile::AdobeRgb: return adobe_rgb_profile();
    case MonitorProfile::DciP3: return dci_p3_profile();
    default: return none;
    }
}

}  // namespace lumivane
