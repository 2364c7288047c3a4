#pragma once
// Thumbnails kept between runs in the desktop's shared thumbnail cache, as the
// freedesktop thumbnail specification lays it out: FOLDER/{normal,large,x-large,xx-large}/
// MD5(file URI).png, a PNG whose longest side is 128, 256, 512 or 1024 pixels, with the
// text chunks Thumb::URI and Thumb::MTime (and Thumb::Size, the file's bytes) that tell
// whether it still shows the file. Written to a hidden file beside it and renamed, so a
// reader never sees half of one; files 0600, folders 0700.
//
// The thumbnails hold the file's own colours, upright. This program also notes whether
// the file was damaged (X-Lumivane::Incomplete), so that a second opening warns as the
// first did, and takes only thumbnails that carry that note. A file that could not be
// read as a picture gets a mark of one pixel in FOLDER/fail/lumivane/, as the
// specification keeps failures, so that it is not decoded again while it stays as it is.

#include <cstdint>
#include <string>

#include "imaging/image_buffer.h"

namespace lumivane {

// The cache of the user: $XDG_CACHE_HOME/thumbnails, or ~/.cache/thumbnails; empty when
// neither is known.
std::u16string user_thumbnail_folder();

// The side of the cache's size that holds a thumbnail of side pixels: the least of 128,
// 256, 512 and 1024 that is no smaller; 0 when side is larger than all.
std::int32_t thumbnail_cache_side(std::int32_t side);

// The cached thumbnail of the file (its path absolute) for thumbnails of side pixels,
// as a Colour8 picture, when there is one for the file as it is now. True on a miss.
[[nodiscard]] bool thumbnail_cache_read(const std::u16string& folder, const std::u16string& path, std::int32_t side,
                                        ImageBuffer& thumbnail, bool& incomplete);

// Keeps a thumbnail of the picture for thumbnails of side pixels: the picture is made
// to fit the cache's size (never enlarged). Failing to write leaves the cache as it was
// and is no error of the caller's: the next opening decodes the file again.
void thumbnail_cache_write(const std::u16string& folder, const std::u16string& path, std::int32_t side,
                           const ImageBuffer& picture, bool incomplete);

// Whether the cache marks the file, as it is now, as one that could not be read as a picture.
bool thumbnail_cache_failed(const std::u16string& folder, const std::u16string& path);

// Marks the file, as it is now, as one that could not be read as a picture; a file this
// user cannot open is not marked, and failing to write is no error of the caller's.
void thumbnail_cache_write_failure(const std::u16string& folder, const std::u16string& path);

}  // namespace lumivane
