#include "app/correction/ui/screen_audio.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace korvel {

namespace {

class MediaPlayerAudio final : public AudioOut {
public:
    MediaPlayerAudio()
    {
        // Qt 6.4's GStreamer back end crashes while building its player when
        // the GStreamer base plugins are missing; the FFmpeg one ships with
        // Qt Multimedia itself. The choice is made before the first player.
        if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) {
            qputenv("QT_MEDIA_BACKEND", "ffmpeg");
        }
    }

    void play(const QString& path) override
    {
        // Without an output device the FFmpeg back end writes through a null
        // device and crashes: a machine without sound plays nothing.
        if (QMediaDevices::defaultAudioOutput().isNull()) {
            return;
        }
        if (player_ == nullptr) {
            // Owned by the application object, so they go before it does.
            player_ = new QMediaPlayer(QCoreApplication::instance());
            output_ = new QAudioOutput(player_);
            player_->setAudioOutput(output_);
        }
        player_->stop();
        player_->setSource(QUrl::fromLocalFile(path));
        player_->play();
    }

private:
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
};

AudioOut* replacement = nullptr;

}  // namespace

AudioOut& screenAudio()
{
    if (replacement != nullptr) {
        return *replacement;
    }
    static MediaPlayerAudio* real = new MediaPlayerAudio;
    return *real;
}

void setScreenAudio(AudioOut* audio)
{
    replacement = audio;
}

}  // namespace korvel
