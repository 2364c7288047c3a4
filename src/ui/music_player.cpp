#include "ui/music_player.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QMessageBox>

#include <algorithm>
#include <cmath>
#include <cstring>
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
    if (!sink_ && open_sink()) return;
    if (sink_->state() == QAudio::SuspendedState) sink_->resume();
    // The next sample written plays once the device has played what it holds: the track
    // goes where the show's clock will be then, after a jump, and whenever the device has
    // drifted from the clock (it may start late, and its clock is not the system's).
    const std::int32_t frame_bytes = floats_ ? 8 : 4;
    const std::int64_t held = std::max<qint64>(sink_->bufferSize() - sink_->bytesFree(), 0) / frame_bytes;
    const std::int64_t due = samples_for(cue.position) + held;
    const bool drifted = cue.timed && sink_->bytesFree() > 0 && std::llabs(track_.position() - due) > samples_for(0.04);
    if (cue.seek || drifted) {
        std::u16string message;
        if (track_.seek(due, message)) {
            failed(message);
            return;
        }
    }
    feed();
}

void MusicPlayer::feed() {
    if (!output_ || sink_->state() == QAudio::StoppedState) return;
    const std::int32_t frame_bytes = floats_ ? 8 : 4;
    const auto count = static_cast<std::int32_t>(sink_->bytesFree() / frame_bytes);
    if (count <= 0) return;
    left_.resize(static_cast<std::size_t>(count));
    right_.resize(left_.size());
    std::u16string message;
    if (track_.read(left_.data(), right_.data(), count, message)) {
        failed(message);
        return;
    }
    bytes_.resize(static_cast<std::size_t>(count) * static_cast<std::size_t>(frame_bytes));
    for (std::size_t i = 0; i < left_.size(); ++i) {
        if (floats_) {
            const float pair[2] = {left_[i], right_[i]};
            std::memcpy(bytes_.data() + 8 * i, pair, 8);
        } else {
            const auto pcm = [](float v) { return static_cast<qint16>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767)); };
            const qint16 pair[2] = {pcm(left_[i]), pcm(right_[i])};
            std::memcpy(bytes_.data() + 4 * i, pair, 4);
        }
    }
    output_->write(bytes_.data(), static_cast<qint64>(bytes_.size()));
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
    floats_ = device.isFormatSupported(format);
    if (!floats_) format.setSampleFormat(QAudioFormat::Int16);
    sink_ = std::make_unique<QAudioSink>(device, format);
    // A fifth of a second ahead, topped up at every follow: room for the main thread's
    // longer waits (a picture loading), and no more to hear of the old place after a jump.
    sink_->setBufferSize(audio_sample_rate / 5 * (floats_ ? 8 : 4));
    output_ = sink_->start();
    return false;
}

void MusicPlayer::stop_sink() {
    if (sink_) sink_->stop();
    output_ = nullptr;
    sink_.reset();
}

void MusicPlayer::failed(const std::u16string& message) {
    stop_sink();
    have_track_ = false;
    notice(message);
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
