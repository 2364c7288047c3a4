// Decoding a 6000 x 4000 8-bit RGB TIFF, LZW and uncompressed, each against libtiff's
// TIFFReadRGBAImage of the same file in the same run. The files are written by libtiff
// into a temporary folder: gradients with some noise, in strips of libtiff's usual size.

#include <tiffio.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "imaging/tiff_reader.h"
#include "platform/text_encoding.h"

namespace {

using namespace lumivane;

constexpr std::uint32_t width = 6000;
constexpr std::uint32_t height = 4000;

void write_picture(const std::string& path, bool lzw) {
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, lzw ? COMPRESSION_LZW : COMPRESSION_NONE);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    std::mt19937 random(3);
    std::vector<std::uint8_t> row(3 * width);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t noise = random();
            row[3 * x] = static_cast<std::uint8_t>(x / 24 + y / 40 + (noise & 7));
            row[3 * x + 1] = static_cast<std::uint8_t>(y / 16 + ((noise >> 3) & 7));
            row[3 * x + 2] = static_cast<std::uint8_t>((x + y) / 32 + ((noise >> 6) & 7));
        }
        TIFFWriteScanline(tiff, row.data(), y, 0);
    }
    TIFFClose(tiff);
}

// The two files, removed at the end of the run.
struct Pictures {
    std::string folder;
    std::string lzw;
    std::string uncompressed;

    Pictures() {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/lumivane-bench-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        folder = pattern;
        lzw = folder + "/lzw.tif";
        uncompressed = folder + "/uncompressed.tif";
        write_picture(lzw, true);
        write_picture(uncompressed, false);
        std::printf("files: LZW %.1f MB, uncompressed %.1f MB\n", std::filesystem::file_size(lzw) / 1e6,
                    std::filesystem::file_size(uncompressed) / 1e6);
    }
    ~Pictures() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

const Pictures& pictures() {
    static const Pictures files;
    return files;
}

double libtiff_seconds(const std::string& path) {
    std::vector<std::uint32_t> raster(std::size_t{width} * height);
    return bench::seconds_per_call(
        [&] {
            TIFF* tiff = TIFFOpen(path.c_str(), "r");
            TIFFReadRGBAImage(tiff, width, height, raster.data(), 0);
            TIFFClose(tiff);
            benchmark::DoNotOptimize(raster.data());
        },
        0.5, 3);
}

void decode(benchmark::State& state, const std::string& path) {
    const double baseline = libtiff_seconds(path);
    const std::u16string name = utf8_to_utf16(path);
    ImageBuffer image;
    bench::run_against_baseline(state, baseline, [&] {
        FileHandle file;
        if (file_open_read(name, file) || tiff_read(file, image)) state.SkipWithError("tiff_read failed");
        static_cast<void>(file_close(file));
        benchmark::DoNotOptimize(image.rows.data());
    });
}

void BM_TiffLzw(benchmark::State& state) { decode(state, pictures().lzw); }
void BM_TiffUncompressed(benchmark::State& state) { decode(state, pictures().uncompressed); }

BENCHMARK(BM_TiffLzw)->Name("tiff_read 6000x4000 RGB LZW")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffUncompressed)
    ->Name("tiff_read 6000x4000 RGB uncompressed")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
