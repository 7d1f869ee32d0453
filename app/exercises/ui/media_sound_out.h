// The sound output of the desktop: one media player with its audio output;
// assigning a file plays it at once, a missing file plays nothing.
#pragma once

#include "app/exercises/sound_out.h"

class QAudioOutput;
class QMediaPlayer;
class QObject;

namespace korvel {

class MediaSoundOut final : public SoundOut {
public:
    // The player is made at the first play, as a child of `owner`.
    explicit MediaSoundOut(QObject* owner) : owner_(owner) {}
    void play(const QString& path) override;

private:
    QObject* owner_;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
};

}  // namespace korvel
