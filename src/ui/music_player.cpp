#include "ui/music_player.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QMessageBox>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "app/app_context.h"
#include "platform/message_boxes.h"
#include "playback/playback_window.h"
#include "ui/qt_text.h"

namespace lumivane {

namespace {

// Often enough that a jump is heard to follow the picture at once.
constexpr int follow_milliseconds = 20;

std::int64_t samples_for(double seconds) { return std::llround(seconds * audio_sample_rate); }

}  // namespace

// The sound device pulls the track through this, as 32-bit float stereo or, where the
// device takes no floats, 16-bit.
class MusicStream : public QIODevice {
public:
    MusicStream(AudioTrack& track, bool floats, std::function<void(const std::u16string&)> failed)
        : track_(track), floats_(floats), failed_(std::move(failed)) {}

    qint64 readData(char* data, qint64 size) override {
        const std::int32_t frame_bytes = floats_ ? 8 : 4;
        const auto count = static_cast<std::int32_t>(std::min<qint64>(size / frame_bytes, 1 << 14));
        if (count <= 0) return 0;
        left_.resize(static_cast<std::size_t>(count));
        right_.resize(left_.size());
        std::u16string message;
        if (!quiet_ && track_.read(left_.data(), right_.data(), count, message)) {
            quiet_ = true;
            failed_(message);
        }
        if (quiet_) {
            std::fill(left_.begin(), left_.end(), 0.0f);
            std::fill(right_.begin(), right_.end(), 0.0f);
        }
        for (std::int32_t i = 0; i < count; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (floats_) {
                const float pair[2] = {left_[k], right_[k]};
                std::memcpy(data + 8 * i, pair, 8);
            } else {
                const auto pcm = [](float v) { return static_cast<qint16>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767)); };
                const qint16 pair[2] = {pcm(left_[k]), pcm(right_[k])};
                std::memcpy(data + 4 * i, pair, 4);
            }
        }
        return qint64{count} * frame_bytes;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return qint64{1} << 20; }

private:
    AudioTrack& track_;
    bool floats_;
    bool quiet_ = false;
    std::function<void(const std::u16string&)> failed_;
    std::vector<float> left_;
    std::vector<float> right_;
};

MusicPlayer::MusicPlayer(AppContext& context, QObject* parent) : QObject(parent), context_(context) {
    timer_.setInterval(follow_milliseconds);
    connect(&timer_, &QTimer::timeout, this, [this] { follow(); });
    timer_.start();
}

MusicPlayer::~MusicPlayer() { stop_sink(); }

void MusicPlayer::follow() {
    const SlideShow& show = context_.show;
    if (show.music.files.empty()) {
        if (have_track_) stop_sink();
        have_track_ = false;
        made_ = {};
        return;
    }
    const bool loop = show.settings.loop != 0;
    const Made made{show.music, show.show_folder, show.settings.loop, loop ? -1 : samples_for(show_seconds(show))};
    if (made != made_) make_track(made);
    if (!have_track_) return;

    const MusicCue cue = follow_music(follower_, show, context_.playback, context_.ui.now_milliseconds());
    if (!cue.play) {
        if (sink_ && sink_->state() == QAudio::ActiveState) sink_->suspend();
        return;
    }
    if (cue.seek) {
        stop_sink();
        std::u16string message;
        if (track_.seek(samples_for(cue.position), message)) {
            failed(message);
            return;
        }
    }
    if (!sink_ && open_sink()) return;
    if (sink_->state() == QAudio::SuspendedState) sink_->resume();
}

void MusicPlayer::make_track(const Made& made) {
    stop_sink();
    made_ = made;
    follower_ = {};
    std::vector<std::u16string> problems;
    std::u16string message;
    have_track_ = !track_.open(show_playlist(context_.show), made.length, problems, message);
    // One message for every file that cannot be played; the others play.
    std::u16string text;
    for (const std::u16string& problem : problems) text += (text.empty() ? u"" : u"\n") + problem;
    if (!text.empty()) notice(text);
}

bool MusicPlayer::open_sink() {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        have_track_ = false;  // until the music or the show changes
        if (!told_no_device_) {
            told_no_device_ = true;
            notice(tr("There is no sound device: the show plays without its music").toStdU16String());
        }
        return true;
    }
    QAudioFormat format;
    format.setSampleRate(audio_sample_rate);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Float);
    const bool floats = device.isFormatSupported(format);
    if (!floats) format.setSampleFormat(QAudioFormat::Int16);
    stream_ = std::make_unique<MusicStream>(track_, floats, [this](const std::u16string& m) { failed(m); });
    stream_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    // Half a second ahead, for the main thread's longer waits (a picture loading). It
    // delays nothing: the first sample plays at once, and a jump starts a new sink.
    sink_->setBufferSize(audio_sample_rate / 2 * (floats ? 8 : 4));
    sink_->start(stream_.get());
    return false;
}

void MusicPlayer::stop_sink() {
    if (sink_) sink_->stop();
    sink_.reset();
    stream_.reset();
}

void MusicPlayer::failed(const std::u16string& message) {
    // Told from inside the device's read: the box waits for the read to end.
    QTimer::singleShot(0, this, [this, message] {
        stop_sink();
        have_track_ = false;
        notice(message);
    });
}

void MusicPlayer::notice(const std::u16string& text) {
    // A running show keeps its window above the others: the box goes above it.
    auto* playing = dynamic_cast<QWidget*>(context_.playback.window);
    if (!playing || !playing->isVisible()) {
        warning_box(context_.ui, u"%s", text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, qt(Core::translated(warning_title)), qt(text), QMessageBox::Ok, playing);
    box.exec();
}

}  // namespace lumivane
