#include "app/exercises/ui/media_sound_out.h"

#include "app/desktop/ui/media_backend.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace korvel {

void MediaSoundOut::play(const QString& path)
{
    if (!QFileInfo::exists(path) || !audioOutputAvailable()) {
        return;
    }
    if (player_ == nullptr) {
        chooseMediaBackend();
        player_ = new QMediaPlayer(owner_);
        output_ = new QAudioOutput(owner_);
        player_->setAudioOutput(output_);
    }
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(path));
    player_->play();
}

}  // namespace korvel
