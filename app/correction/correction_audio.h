// The sounds of the correction screen: the right/wrong effects drawn at
// random, and the recorded model sentence of an item. The files are chosen
// here; playing them goes through AudioOut, which tests replace by a recorder.
#pragma once

#include <QString>

#include <cstdint>

namespace korvel {

class Clock;
class Random;
struct Folders;

class AudioOut {
public:
    virtual ~AudioOut() = default;
    // Plays the file at once, replacing what was playing.
    virtual void play(const QString& path) = 0;
};

// "ok_1.mp3" to "ok_5.mp3" after a right answer, "ng_1.mp3" to "ng_3.mp3"
// after a wrong one, in the AudioOKNG folder; the generator is reseeded from
// the clock before the draw.
QString feedbackSound(const Folders& folders, Random& random, const Clock& clock, bool right);

// The model-sentence recording of speaker picture 0 or 1. Chapters 23 to 27
// keep theirs as "s…" in AudioSent, the others as "e…" in AudioExSent.
QString modelSentenceAudio(const Folders& folders, std::int16_t chapter, const QString& identifier, int picture,
                           int subItems);

// Plays `path` when the file exists; a missing file plays nothing. True when played.
bool playIfPresent(AudioOut& out, const QString& path);

}  // namespace korvel
