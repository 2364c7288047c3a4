// Loading a 24-megapixel PNG, WebP, JPEG XL, HEIC and AVIF picture with image_read, beside the bare
// library decode of the same file into one buffer, run in turn with it. The pictures are made
// once with Debian's encoders and kept with the build.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>

#include <jxl/decode.h>
#include <jxl/thread_parallel_runner.h>
#include <libheif/heif.h>
#include <png.h>
#include <webp/decode.h>

#include "bench_support.h"
#include "imaging/image_loader.h"
#include "platform/text_encoding.h"
#include "support/temp_folder.h"

namespace {

using namespace lumivane;

const std::string photograph = "/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg";
const std::string pictures = LUMIVANE_BENCH_PICTURES;

// The photograph at 6000 x 4000, encoded by command ({in} and {out} filled in).
std::string made(const std::string& name, std::string command) {
    const std::string out = pictures + "/" + name;
    if (std::filesystem::exists(out)) return out;
    std::filesystem::create_directories(pictures);
    const std::string source = pictures + "/source.png";
    if (!std::filesystem::exists(source)) {
        std::system(("convert " + photograph + " -resize 6000x4000! " + source).c_str());
    }
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"{in}", source}, {"{out}", out}}) {
        command.replace(command.find(key), key.size(), value);
    }
    std::system(command.c_str());
    return out;
}

void libpng_decode(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return;
    image.format = PNG_FORMAT_BGR;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
}

void libwebp_decode(const std::string& path) {
    const std::string bytes = testing::read_bytes(path);
    int width = 0, height = 0;
    std::uint8_t* pixels = WebPDecodeBGR(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &width,
                                         &height);
    WebPFree(pixels);
}

// The whole picture as 8-bit RGB on the library's thread pool, as the loader decodes it.
void libjxl_decode(const std::string& path) {
    const std::string bytes = testing::read_bytes(path);
    JxlDecoder* decoder = JxlDecoderCreate(nullptr);
    void* runner = JxlThreadParallelRunnerCreate(nullptr, JxlThreadParallelRunnerDefaultNumWorkerThreads());
    JxlDecoderSetParallelRunner(decoder, JxlThreadParallelRunner, runner);
    JxlDecoderSubscribeEvents(decoder, JXL_DEC_FULL_IMAGE);
    JxlDecoderSetInput(decoder, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    const JxlPixelFormat format{3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    std::vector<std::uint8_t> pixels;
    for (JxlDecoderStatus status; (status = JxlDecoderProcessInput(decoder)) == JXL_DEC_NEED_IMAGE_OUT_BUFFER;) {
        std::size_t size = 0;
        JxlDecoderImageOutBufferSize(decoder, &format, &size);
        pixels.resize(size);
        JxlDecoderSetImageOutBuffer(decoder, &format, pixels.data(), size);
    }
    JxlThreadParallelRunnerDestroy(runner);
    JxlDecoderDestroy(decoder);
}

// The primary image as 8-bit RGB, as the loader decodes it.
void libheif_decode(const std::string& path) {
    const std::string bytes = testing::read_bytes(path);
    heif_context* context = heif_context_alloc();
    heif_image_handle* handle = nullptr;
    heif_image* image = nullptr;
    if (heif_context_read_from_memory_without_copy(context, bytes.data(), bytes.size(), nullptr).code ==
            heif_error_Ok &&
        heif_context_get_primary_image_handle(context, &handle).code == heif_error_Ok) {
        heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr);
    }
    if (image) heif_image_release(image);
    if (handle) heif_image_handle_release(handle);
    heif_context_free(context);
}

// Seconds of processor time the process has used, on all of its threads.
double processor_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The loader and the bare decode in turn, each iteration timing both (the one that goes
// first alternates), so that both meet the same load of a shared machine. The ratios are
// the medians of the iterations' ratios: of the time, and of the processor time of all
// threads, which other programs on the machine disturb less. Each load fills a new
// picture, as the program's loads do.
void load_against(benchmark::State& state, const std::string& path, void (*bare)(const std::string&)) {
    using clock = std::chrono::steady_clock;
    const std::u16string name = utf8_to_utf16(path);
    std::vector<double> ratios, processor_ratios;
    double bare_total = 0.0;
    bool loaded = true;
    for (auto _ : state) {
        double ours = 0.0, theirs = 0.0, ours_processor = 0.0, theirs_processor = 0.0;
        for (int turn = 0; turn < 2; ++turn) {
            const auto start = clock::now();
            const double processor_start = processor_seconds();
            if ((turn + ratios.size()) % 2 == 0) {
                bare(path);
                theirs = std::chrono::duration<double>(clock::now() - start).count();
                theirs_processor = processor_seconds() - processor_start;
            } else {
                ImageBuffer image;
                std::vector<std::uint8_t> profile;
                LoadReport report;
                static_cast<void>(image_read(name, image, profile, report));
                ours = std::chrono::duration<double>(clock::now() - start).count();
                ours_processor = processor_seconds() - processor_start;
                loaded = loaded && image.width == 6000 && image.height == 4000;
            }
        }
        state.SetIterationTime(ours);
        ratios.push_back(ours / theirs);
        processor_ratios.push_back(ours_processor / theirs_processor);
        bare_total += theirs;
    }
    if (!loaded) state.SkipWithError("the picture did not load");
    state.counters["ratio"] = median(ratios);
    state.counters["cpu_ratio"] = median(processor_ratios);
    state.counters["baseline_ms"] = bare_total / static_cast<double>(ratios.size()) * 1e3;
}

void BM_Png(benchmark::State& state) { load_against(state, made("picture.png", "convert {in} {out}"), libpng_decode); }
BENCHMARK(BM_Png)->Name("image_read PNG 6000x4000 against libpng")->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Webp(benchmark::State& state) {
    load_against(state, made("picture.webp", "cwebp -quiet -q 85 {in} -o {out}"), libwebp_decode);
}
BENCHMARK(BM_Webp)->Name("image_read WebP 6000x4000 against libwebp")->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_WebpLossless(benchmark::State& state) {
    load_against(state, made("picture-lossless.webp", "cwebp -quiet -lossless -z 1 {in} -o {out}"), libwebp_decode);
}
BENCHMARK(BM_WebpLossless)
    ->Name("image_read WebP lossless 6000x4000 against libwebp")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_Jxl(benchmark::State& state) {
    load_against(state, made("picture.jxl", "cjxl -d 1 -e 3 {in} {out} >/dev/null 2>&1"), libjxl_decode);
}
BENCHMARK(BM_Jxl)->Name("image_read JPEG XL 6000x4000 against libjxl")->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Heic(benchmark::State& state) {
    load_against(state, made("picture.heic", "heif-enc -q 85 {in} -o {out} >/dev/null 2>&1"), libheif_decode);
}
BENCHMARK(BM_Heic)->Name("image_read HEIC 6000x4000 against libheif")->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Avif(benchmark::State& state) {
    load_against(state, made("picture.avif", "avifenc -s 10 -j 2 {in} {out} >/dev/null 2>&1"), libheif_decode);
}
BENCHMARK(BM_Avif)->Name("image_read AVIF 6000x4000 against libheif")->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
