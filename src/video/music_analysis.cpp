#include "video/music_analysis.h"

#include <aubio/aubio.h>

#include <cstdint>
#include <memory>

#include "platform/translation.h"
#include "video/music_decoder.h"

namespace lumivane {

namespace {

// The tracker's window and step, in samples at 48 kHz: about 21 and 11 ms.
constexpr uint_t beat_window = 1024;
constexpr uint_t beat_hop = 512;

struct BeatTracker {
    BeatTracker()
        : tempo(new_aubio_tempo("default", beat_window, beat_hop, audio_sample_rate), &del_aubio_tempo),
          in(new_fvec(beat_hop), &del_fvec),
          out(new_fvec(1), &del_fvec) {}

    // One step of the mono sound; a beat found goes to beats.
    void step(std::vector<double>& beats) {
        aubio_tempo_do(tempo.get(), in.get(), out.get());
        if (out->data[0] != 0) beats.push_back(static_cast<double>(aubio_tempo_get_last(tempo.get())) / audio_sample_rate);
    }

    std::unique_ptr<aubio_tempo_t, decltype(&del_aubio_tempo)> tempo;
    std::unique_ptr<fvec_t, decltype(&del_fvec)> in;
    std::unique_ptr<fvec_t, decltype(&del_fvec)> out;
};

}  // namespace

bool analyse_music(const std::vector<std::u16string>& paths, bool find_beats, MusicAnalysis& analysis,
                   std::u16string& message) {
    analysis = {};
    std::unique_ptr<BeatTracker> tracker;
    if (find_beats) {
        tracker = std::make_unique<BeatTracker>();
        if (!tracker->tempo || !tracker->in || !tracker->out) {
            message = Core::tr("Out of Memory");
            return true;
        }
    }
    std::int64_t samples = 0;
    uint_t filled = 0;  // of the tracker's step
    float left[beat_hop];
    float right[beat_hop];
    for (const std::u16string& path : paths) {
        MusicDecoder decoder;
        if (decoder.open(path, message)) return true;
        for (std::int32_t got = 1; got > 0;) {
            if (decoder.read(left, right, beat_hop - filled, got, message)) return true;
            samples += got;
            if (!tracker) continue;
            for (std::int32_t i = 0; i < got; ++i) tracker->in->data[filled++] = 0.5f * (left[i] + right[i]);
            if (filled == beat_hop) {
                tracker->step(analysis.beats);
                filled = 0;
            }
        }
    }
    analysis.seconds = static_cast<double>(samples) / audio_sample_rate;
    return false;
}

}  // namespace lumivane
