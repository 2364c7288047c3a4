#include "video/audio_track.h"

#include <algorithm>
#include <cmath>

#include "document/slide_show.h"
#include "platform/translation.h"

namespace lumivane {

struct AudioTrack::State {
    // Opens file index at the given sample of it.
    bool enter(std::size_t index, std::int64_t at, std::u16string& message) {
        file = index;
        file_position = at;
        if (decoder_file != index) {
            decoder = std::make_unique<MusicDecoder>();
            decoder_file = index;
            if (decoder->open(playlist.paths[index], message)) return true;
            if (at == 0) return false;
        }
        return decoder->seek(at, message);
    }

    // The next samples of the files, count of them; played says how many there were,
    // fewer only once the last file has ended and the files do not repeat.
    bool play(float* left, float* right, std::int32_t count, std::int32_t& played, std::u16string& message) {
        played = 0;
        while (played < count && !finished) {
            std::int32_t got = 0;
            if (decoder->read(left + played, right + played, count - played, got, message)) return true;
            played += got;
            file_position += got;
            if (got > 0) continue;
            // This file has ended: now its true length is known.
            lengths[file] = file_position;
            const bool last = file + 1 == playlist.paths.size();
            if (last && !playlist.repeat) {
                finished = true;
            } else if (enter(last ? 0 : file + 1, 0, message)) {
                return true;
            }
        }
        return false;
    }

    MusicPlaylist playlist;
    std::vector<std::int64_t> lengths;  // each file's, stated until it has been played
    std::unique_ptr<MusicDecoder> decoder;
    std::size_t decoder_file = 0;
    std::size_t file = 0;
    std::int64_t file_position = 0;
    bool finished = false;
    std::int64_t length = 0;
    std::int64_t position = 0;
};

MusicPlaylist show_playlist(const SlideShow& show) {
    MusicPlaylist playlist;
    for (const std::u16string& file : show.music.files) playlist.paths.push_back(music_file_path(show.show_folder, file));
    playlist.gain = music_gain(show.music);
    playlist.fade_seconds = music_fade_seconds(show.music);
    playlist.repeat = show.settings.loop != 0;
    return playlist;
}

AudioTrack::AudioTrack() = default;

AudioTrack::~AudioTrack() = default;

bool AudioTrack::open(const MusicPlaylist& playlist, std::int64_t length, std::vector<std::u16string>& problems,
                      std::u16string& message) {
    state_ = std::make_unique<State>();
    State& s = *state_;
    s.length = length;
    s.playlist = playlist;
    s.playlist.paths.clear();
    for (const std::u16string& path : playlist.paths) {
        MusicDecoder decoder;
        std::u16string problem;
        if (decoder.open(path, problem)) {
            problems.push_back(problem);
            continue;
        }
        s.playlist.paths.push_back(path);
        s.lengths.push_back(decoder.stated_length());
    }
    if (s.playlist.paths.empty()) {
        message = problems.empty() ? Core::tr("There is no music to play") : problems.front();
        return true;
    }
    s.decoder_file = s.playlist.paths.size();  // none open yet
    return s.enter(0, 0, message);
}

bool AudioTrack::open(const std::u16string& path, std::int64_t length, std::u16string& message) {
    std::vector<std::u16string> problems;
    return open(MusicPlaylist{{path}}, length, problems, message);
}

std::int64_t AudioTrack::length() const { return state_ ? state_->length : 0; }

std::int64_t AudioTrack::position() const { return state_ ? state_->position : 0; }

bool AudioTrack::read(float* left, float* right, std::int32_t count, std::u16string& message) {
    State& s = *state_;
    const bool endless = s.length < 0;
    const std::int32_t wanted =
        endless ? count : static_cast<std::int32_t>(std::clamp<std::int64_t>(s.length - s.position, 0, count));
    std::int32_t played = 0;
    if (wanted > 0 && s.play(left, right, wanted, played, message)) return true;
    std::fill(left + played, left + count, 0.0f);
    std::fill(right + played, right + count, 0.0f);
    const auto fade = endless ? 0 : std::min<std::int64_t>(s.length, std::llround(s.playlist.fade_seconds * audio_sample_rate));
    for (std::int32_t i = 0; i < played; ++i) {
        const std::int64_t remaining = s.length - (s.position + i);
        const float gain = !endless && remaining < fade
                               ? s.playlist.gain * static_cast<float>(remaining) / static_cast<float>(fade)
                               : s.playlist.gain;
        left[i] *= gain;
        right[i] *= gain;
    }
    s.position += wanted;
    return false;
}

bool AudioTrack::seek(std::int64_t position, std::u16string& message) {
    State& s = *state_;
    s.position = std::max<std::int64_t>(position, 0);
    s.finished = false;
    // Where the position falls in the files, by their lengths; a file of no stated
    // length counts as one that goes on.
    std::int64_t total = 0;
    for (const std::int64_t length : s.lengths) total += length;
    std::int64_t at = s.position;
    const bool known = std::all_of(s.lengths.begin(), s.lengths.end(), [](std::int64_t l) { return l > 0; });
    if (known && at >= total) {
        if (!s.playlist.repeat) {
            s.finished = true;
            return false;
        }
        at %= total;
    }
    std::size_t index = 0;
    while (index + 1 < s.lengths.size() && s.lengths[index] > 0 && at >= s.lengths[index]) at -= s.lengths[index++];
    return s.enter(index, at, message);
}

}  // namespace lumivane
