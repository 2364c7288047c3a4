#pragma once
// The show's music through Qt's audio output. It follows the show being played
// (follow_music) fifty times a second and tops up the sound device from the show's
// AudioTrack. Without a sound device the show plays silently, and says so once; a music
// file that cannot be played is named once, and the show plays on.

#include <QCoreApplication>
#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

#include "document/show_music.h"
#include "playback/show_clock.h"
#include "video/audio_track.h"

class QAudioSink;
class QIODevice;

namespace lumivane {

struct AppContext;

class MusicPlayer : public QObject {
    Q_DECLARE_TR_FUNCTIONS(MusicPlayer)

public:
    MusicPlayer(AppContext& context, QObject* parent);
    ~MusicPlayer() override;

private:
    // What the track was made for: made again when any of it changes.
    struct Made {
        ShowMusic music;
        std::u16string folder;
        std::int32_t loop = 0;
        std::int64_t length = 0;
        bool operator==(const Made&) const = default;
    };

    void follow();
    void make_track(const Made& made);
    bool open_sink();
    // Fills what the sound device has room for.
    void feed();
    void stop_sink();
    // Reading a file has failed: said once, then silence.
    void failed(const std::u16string& message);
    // A warning box, above the playback window while it is seen.
    void notice(const std::u16string& text);

    AppContext& context_;
    QTimer timer_;
    Made made_;
    bool have_track_ = false;
    AudioTrack track_;
    MusicFollower follower_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* output_ = nullptr;  // the sink's, while it runs
    bool floats_ = true;           // 32-bit float samples, else 16-bit
    std::vector<float> left_;
    std::vector<float> right_;
    std::vector<char> bytes_;
    bool told_no_device_ = false;
};

}  // namespace lumivane
