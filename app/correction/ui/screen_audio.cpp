#include "app/correction/ui/screen_audio.h"

#include "app/desktop/ui/media_backend.h"

#include <QAudioOutput>
#include <QCoreApplication>
#include <QMediaPlayer>
#include <QUrl>

namespace korvel {

namespace {

class MediaPlayerAudio final : public AudioOut {
public:
    MediaPlayerAudio() { chooseMediaBackend(); }

    void play(const QString& path) override
    {
        if (!audioOutputAvailable()) {
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
