#include "imaging/thumbnail_cache.h"

#include <algorithm>
#include <cctype>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include <nettle/md5.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include "imaging/image_copy.h"
#include "imaging/resample.h"
#include "platform/files.h"
#include "platform/text_encoding.h"

namespace lumivane {

namespace {

constexpr std::int32_t cache_sides[] = {128, 256, 512, 1024};
constexpr const char* cache_names[] = {"normal", "large", "x-large", "xx-large"};
constexpr char incomplete_key[] = "X-Lumivane::Incomplete";
constexpr char failed_key[] = "X-Lumivane::Failed";

// A thumbnail of the cache is never larger than this; anything claiming more is damage.
constexpr png_uint_32 largest_side = 4096;

// What tells whether a thumbnail still shows its file.
struct FileFacts {
    std::string uri;
    std::string mtime;  // seconds since 1970, as the text chunk holds it
    std::string size;   // bytes
};

// The file's URI: file:// and the absolute path, every byte but the unreserved ones and
// the slashes written as %XX.
std::string file_uri(const std::string& path) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const unsigned char c : path) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri;
}

bool file_facts(const std::u16string& path, FileFacts& facts) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(native_path(path), error);
    struct stat status {};
    if (error || ::stat(absolute.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return true;
    facts.uri = file_uri(absolute.string());
    facts.mtime = std::to_string(static_cast<long long>(status.st_mtime));
    facts.size = std::to_string(static_cast<long long>(status.st_size));
    return false;
}

// FOLDER/SUBFOLDER/MD5(uri).png.
std::string cache_file(const std::u16string& folder, const char* subfolder, const std::string& uri) {
    md5_ctx context;
    md5_init(&context);
    md5_update(&context, uri.size(), reinterpret_cast<const std::uint8_t*>(uri.data()));
    std::uint8_t digest[MD5_DIGEST_SIZE];
    md5_digest(&context, sizeof digest, digest);
    std::string name;
    for (const std::uint8_t byte : digest) {
        static constexpr char hex[] = "0123456789abcdef";
        name += hex[byte >> 4];
        name += hex[byte & 15];
    }
    return native_path(folder) + "/" + subfolder + "/" + name + ".png";
}

// FOLDER/SIZE/MD5(uri).png; empty when side has no size of the cache.
std::string thumbnail_path(const std::u16string& folder, std::int32_t side, const std::string& uri) {
    const std::int32_t cache_side = thumbnail_cache_side(side);
    if (folder.empty() || cache_side == 0) return {};
    std::size_t k = 0;
    while (cache_sides[k] != cache_side) ++k;
    return cache_file(folder, cache_names[k], uri);
}

// Where this program notes the files it could not read as pictures.
std::string failure_path(const std::u16string& folder, const std::string& uri) {
    return folder.empty() ? std::string() : cache_file(folder, "fail/lumivane", uri);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void png_error_exit(png_structp png, png_const_charp) { std::longjmp(png_jmpbuf(png), 1); }
void png_no_warning(png_structp, png_const_charp) {}

// libpng's state for one read, in plain storage: its errors jump back over no destructor.
struct PngRead {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngRead() { png_destroy_read_struct(&png, &info, nullptr); }
};

// Reads the rows (as BGR, top row first into rows[height - 1]) and the text chunks.
bool guarded_read(PngRead* r, std::FILE* file, ImageBuffer* image, std::vector<std::pair<std::string, std::string>>* texts) {
    if (setjmp(png_jmpbuf(r->png))) return true;
    png_init_io(r->png, file);
    png_read_info(r->png, r->info);
    const png_uint_32 width = png_get_image_width(r->png, r->info);
    const png_uint_32 height = png_get_image_height(r->png, r->info);
    if (width == 0 || height == 0 || width > largest_side || height > largest_side) return true;
    png_set_expand(r->png);
    png_set_strip_16(r->png);
    png_set_strip_alpha(r->png);
    png_set_gray_to_rgb(r->png);
    png_set_bgr(r->png);
    if (png_set_interlace_handling(r->png) != 1) return true;  // this program writes none
    png_read_update_info(r->png, r->info);
    if (png_get_rowbytes(r->png, r->info) != 3 * std::size_t{width}) return true;
    if (image_allocate(*image, PixelFormat::Colour8, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
                       72.0)) {
        return true;
    }
    for (png_uint_32 y = 0; y < height; ++y) png_read_row(r->png, image->rows[height - 1 - y], nullptr);
    png_read_end(r->png, r->info);
    png_textp text = nullptr;
    const int count = png_get_text(r->png, r->info, &text, nullptr);
    for (int i = 0; i < count; ++i) {
        texts->emplace_back(text[i].key, std::string(text[i].text ? text[i].text : "", text[i].text_length));
    }
    return false;
}

struct PngWrite {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWrite() { png_destroy_write_struct(&png, &info); }
};

bool guarded_write(PngWrite* w, std::FILE* file, const ImageBuffer* image, std::vector<png_text>* texts) {
    if (setjmp(png_jmpbuf(w->png))) return true;
    png_init_io(w->png, file);
    png_set_IHDR(w->png, w->info, static_cast<png_uint_32>(image->width), static_cast<png_uint_32>(image->height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_text(w->png, w->info, texts->data(), static_cast<int>(texts->size()));
    // Written once for each new file while the show opens: the fastest compression, with
    // one filter, takes a quarter of the default's time for a file a quarter larger.
    png_set_compression_level(w->png, 1);
    png_set_filter(w->png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(w->png, w->info);
    png_set_bgr(w->png);
    for (std::int32_t y = image->height - 1; y >= 0; --y) png_write_row(w->png, image->rows[static_cast<std::size_t>(y)]);
    png_write_end(w->png, w->info);
    return false;
}

// The folder of a cache file and those above it up to the cache's own, made for this
// user alone.
bool make_private_folders(const std::string& cache, const std::string& cached) {
    const std::filesystem::path folder = std::filesystem::path(cached).parent_path();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return true;
    for (std::filesystem::path p = folder; p.native().size() >= cache.size(); p = p.parent_path()) {
        if (::chmod(p.c_str(), 0700) != 0) return true;
    }
    return false;
}

// The cache file made for the file as facts describe it now: its picture, and what this
// program noted of the file (the text of key). True when there is none, or it is of
// another file, or of the file before it changed.
bool read_cache_file(const std::string& cached, const FileFacts& facts, const char* key, ImageBuffer& picture,
                     std::string& note) {
    if (cached.empty()) return true;
    const File file(std::fopen(cached.c_str(), "rb"));
    if (!file) return true;
    PngRead r;
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, png_error_exit, png_no_warning);
    if (!r.png) return true;
    r.info = png_create_info_struct(r.png);
    std::vector<std::pair<std::string, std::string>> texts;
    if (!r.info || guarded_read(&r, file.get(), &picture, &texts)) {
        image_free(picture);
        return true;
    }
    std::string uri, mtime, size;
    note.clear();
    for (const auto& [k, value] : texts) {
        if (k == "Thumb::URI") uri = value;
        if (k == "Thumb::MTime") mtime = value;
        if (k == "Thumb::Size") size = value;
        if (k == key) note = value;
    }
    if (uri != facts.uri || mtime != facts.mtime || (!size.empty() && size != facts.size) || note.empty()) {
        image_free(picture);
        return true;
    }
    return false;
}

// Writes the picture to the cache file with the file's facts and this program's note
// (the text of key), through a hidden file renamed. A failure leaves the cache as it was.
void write_cache_file(const std::u16string& folder, const std::string& cached, const FileFacts& facts, const char* key,
                      const ImageBuffer& picture, std::string note) {
    if (cached.empty() || make_private_folders(native_path(folder), cached)) return;
    std::string temporary = std::filesystem::path(cached).parent_path().string() + "/.lumivane-XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());  // 0600
    if (descriptor < 0) return;
    File file(::fdopen(descriptor, "wb"));
    if (!file) {
        ::close(descriptor);
        ::unlink(temporary.c_str());
        return;
    }
    std::string uri = facts.uri, mtime = facts.mtime, size = facts.size, software = "Lumivane";
    const auto text = [](const char* name, std::string& value) {
        png_text t{};
        t.compression = PNG_TEXT_COMPRESSION_NONE;
        t.key = const_cast<char*>(name);
        t.text = value.data();
        t.text_length = value.size();
        return t;
    };
    std::vector<png_text> texts = {text("Thumb::URI", uri), text("Thumb::MTime", mtime), text("Thumb::Size", size),
                                   text("Software", software), text(key, note)};
    PngWrite w;
    w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, png_error_exit, png_no_warning);
    if (w.png) w.info = png_create_info_struct(w.png);
    const bool failed = !w.info || guarded_write(&w, file.get(), &picture, &texts);
    const bool closed = std::fclose(file.release()) == 0;
    if (failed || !closed || std::rename(temporary.c_str(), cached.c_str()) != 0) ::unlink(temporary.c_str());
}

}  // namespace

std::u16string user_thumbnail_folder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && cache[0] == '/') return utf8_to_utf16(std::string(cache) + "/thumbnails");
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return utf8_to_utf16(std::string(home) + "/.cache/thumbnails");
    return {};
}

std::int32_t thumbnail_cache_side(std::int32_t side) {
    for (const std::int32_t s : cache_sides) {
        if (side <= s) return s;
    }
    return 0;
}

bool thumbnail_cache_read(const std::u16string& folder, const std::u16string& path, std::int32_t side,
                          ImageBuffer& thumbnail, bool& incomplete) {
    FileFacts facts;
    std::string damaged;
    if (file_facts(path, facts) ||
        read_cache_file(thumbnail_path(folder, side, facts.uri), facts, incomplete_key, thumbnail, damaged)) {
        return true;
    }
    incomplete = damaged == "1";
    return false;
}

void thumbnail_cache_write(const std::u16string& folder, const std::u16string& path, std::int32_t side,
                           const ImageBuffer& picture, bool incomplete) {
    FileFacts facts;
    if (picture.kind != PixelFormat::Colour8 || picture.empty() || file_facts(path, facts)) return;
    const std::string cached = thumbnail_path(folder, side, facts.uri);
    if (cached.empty()) return;
    const std::int32_t cache_side = thumbnail_cache_side(side);
    ImageBuffer thumbnail;
    const std::int32_t longest = std::max(picture.width, picture.height);
    if (longest <= cache_side) {
        if (image_copy(picture, thumbnail)) return;
    } else {
        const auto w = static_cast<std::int32_t>(std::max<std::int64_t>(1, std::int64_t{picture.width} * cache_side / longest));
        const auto h = static_cast<std::int32_t>(std::max<std::int64_t>(1, std::int64_t{picture.height} * cache_side / longest));
        if (image_resample(picture, thumbnail, w, h, picture.resolution, ResampleFilter::Linear)) return;
    }
    write_cache_file(folder, cached, facts, incomplete_key, thumbnail, incomplete ? "1" : "0");
}

bool thumbnail_cache_failed(const std::u16string& folder, const std::u16string& path) {
    FileFacts facts;
    ImageBuffer mark;
    std::string note;
    return !file_facts(path, facts) && !read_cache_file(failure_path(folder, facts.uri), facts, failed_key, mark, note);
}

void thumbnail_cache_write_failure(const std::u16string& folder, const std::u16string& path) {
    FileFacts facts;
    ImageBuffer mark;
    // Only a file the user may read: one that could not even be opened may be readable later.
    if (file_facts(path, facts) || ::access(native_path(path).c_str(), R_OK) != 0 ||
        image_allocate(mark, PixelFormat::Colour8, 1, 1, 72.0)) {
        return;
    }
    write_cache_file(folder, failure_path(folder, facts.uri), facts, failed_key, mark, "1");
}

}  // namespace lumivane
