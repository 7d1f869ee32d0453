#include "app/exercises/ui/media_sound_out.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace korvel {

void MediaSoundOut::play(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        return;
    }
    if (player_ == nullptr) {
        player_ = new QMediaPlayer(owner_);
        output_ = new QAudioOutput(owner_);
        player_->setAudioOutput(output_);
    }
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(path));
    player_->play();
}

}  // namespace korvel
