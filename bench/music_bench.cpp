// The processor time live playback spends on the show's music: per second of sound, what
// the sound device pulls from the show's AudioTrack (a 60 s MP3 at 44.1 kHz, decoded,
// resampled to 48 kHz and set to the volume, in pulls of 20 ms) and the fifty times the
// music player follows a show of 100 slides. "cpu_share" is that time as a percentage of
// the second it plays (the target is under 2); "ratio" divides it by a memcpy of the
// second's samples.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench_support.h"
#include "document/slide_show.h"
#include "playback/playback_state.h"
#include "playback/show_clock.h"
#include "video/audio_track.h"

namespace {

using namespace lumivane;

std::string make_song() {
    const std::string path = "/tmp/lumivane-music-bench-" + std::to_string(::getpid()) + ".mp3";
    const std::string command =
        "ffmpeg -v error -y -f lavfi -i \"aevalsrc='0.5*exp(-8*mod(t,0.5))*sin(2*PI*110*t)+0.2*sin(2*PI*440*t)|"
        "0.2*sin(2*PI*660*t)':s=44100:d=60\" -c:a libmp3lame -b:a 192k " + path;
    if (std::system(command.c_str()) != 0) std::abort();
    std::atexit([] { std::filesystem::remove("/tmp/lumivane-music-bench-" + std::to_string(::getpid()) + ".mp3"); });
    return path;
}

void BM_LiveMusic(benchmark::State& state) {
    static const std::string song = make_song();
    SlideShow show;
    show.slides.resize(100);
    for (Slide& slide : show.slides) slide.frames.push_back({6.0, 0.0, 0.0, 1.0, 1.0});
    PlaybackState playback;
    constexpr std::int32_t pull = audio_sample_rate / 50;
    std::vector<float> left(pull);
    std::vector<float> right(pull);
    AudioTrack track;
    std::vector<std::u16string> problems;
    std::u16string message;
    if (track.open(MusicPlaylist{{std::u16string(song.begin(), song.end())}, 0.8f}, -1, problems, message)) std::abort();
    MusicFollower follower;
    double clock = 0.0;
    const double baseline = bench::memcpy_seconds(2 * sizeof(float) * audio_sample_rate);
    const auto cpu_before = std::clock();
    bench::run_against_baseline(state, baseline, [&] {
        for (int i = 0; i < 50; ++i) {
            if (track.read(left.data(), right.data(), pull, message)) std::abort();
            benchmark::DoNotOptimize(follow_music(follower, show, playback, static_cast<std::int64_t>(clock)));
            benchmark::DoNotOptimize(show_seconds(show));
            clock += 20.0;
        }
    });
    const double cpu = static_cast<double>(std::clock() - cpu_before) / CLOCKS_PER_SEC;
    const double seconds = static_cast<double>(state.iterations());  // of sound played
    state.counters["cpu_share"] = seconds > 0.0 ? 100.0 * cpu / seconds : 0.0;
}
BENCHMARK(BM_LiveMusic)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
