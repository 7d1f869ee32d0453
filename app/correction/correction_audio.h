// The way the correction screen plays its sounds (the right/wrong effects and
// the recorded model sentence, whose file names app/lessons/lesson_names.h
// gives): AudioOut, which tests replace by a recorder.
#pragma once

#include <QString>

namespace korvel {

class AudioOut {
public:
    virtual ~AudioOut() = default;
    // Plays the file at once, replacing what was playing.
    virtual void play(const QString& path) = 0;
};

// Plays `path` when the file exists; a missing file plays nothing. True when played.
bool playIfPresent(AudioOut& out, const QString& path);

}  // namespace korvel
