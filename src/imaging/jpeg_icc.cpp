#include "imaging/jpeg_icc.h"

#include <cstring>

#include "imaging/profile_file.h"

namespace lumivane {

namespace {

bool read_bytes(FileHandle& file, std::uint32_t length, void* buffer) {
    std::uint32_t got = length;
    return file_read(file, got, buffer) != ReadResult::Read || got != length;
}

// Any number of 0xFF fill bytes may stand between a marker's 0xFF and its code. Reads
// past them, in blocks (a hostile file may hold millions), until code is the marker's
// own; position and the file are then just past it.
bool skip_fill_bytes(FileHandle& file, unsigned char& code, std::uint64_t& position) {
    unsigned char block[512];
    while (code == 0xFF) {
        std::uint32_t got = sizeof block;
        if (file_read(file, got, block) != ReadResult::Read) return true;
        std::uint32_t i = 0;
        while (i < got && block[i] == 0xFF) ++i;
        position += i;
        if (i < got) {
            code = block[i];
            position += 1;
        }
    }
    return file_seek(file, static_cast<std::uint32_t>(position));
}

bool walk(FileHandle& file, std::vector<std::uint8_t>& profile) {
    std::uint32_t size = 0;
    if (file_size(file, size)) return true;
    unsigned char start[2];
    if (read_bytes(file, 2, start) || start[0] != 0xFF || start[1] != 0xD8) return true;

    std::vector<std::vector<std::uint8_t>> chunks;
    std::uint64_t position = 2;
    while (true) {
        unsigned char marker[2];
        if (position > size || file_seek(file, static_cast<std::uint32_t>(position)) || read_bytes(file, 2, marker)) {
            return true;
        }
        position += 2;
        if (marker[0] != 0xFF) return false;
        if (marker[1] == 0xFF && skip_fill_bytes(file, marker[1], position)) return true;
        const unsigned char m = marker[1];
        if (m == 0xD9 || (m >= 0xC0 && m <= 0xCF)) return false;

        if (m == 0xE2) {
            unsigned char header[16];
            if (read_bytes(file, 16, header)) return true;
            const std::uint32_t length = header[0] * 256u + header[1];
            if (std::memcmp(header + 2, "ICC_PROFILE", 12) == 0) {
                // A segment shorter than its own header, or one that claims more than
                // the file holds, is corrupt.
                if (length < 16 || position + length > size) return true;
                const unsigned sequence = header[14];
                const unsigned count = header[15];
                std::vector<std::uint8_t> chunk(length - 16);
                if (read_bytes(file, length - 16, chunk.data())) return true;
                chunks.push_back(std::move(chunk));
                position += length;
                if (sequence == count) {
                    std::size_t total = 0;
                    for (const auto& c : chunks) total += c.size();
                    profile.reserve(total);
                    for (const auto& c : chunks) profile.insert(profile.end(), c.begin(), c.end());
                    return false;
                }
                continue;
            }
            if (length < 2) return true;
            position += length;
            continue;
        }

        unsigned char length_bytes[2];
        if (read_bytes(file, 2, length_bytes)) return true;
        const std::uint32_t length = length_bytes[0] * 256u + length_bytes[1];
        // A length below 2 would not move the walk forward.
        if (length < 2) return true;
        position += length;
    }
}

}  // namespace

bool jpeg_icc_extract(const std::u16string& path, std::vector<std::uint8_t>& profile) {
    return read_profile_from_file(path, profile, walk);
}

}  // namespace lumivane
