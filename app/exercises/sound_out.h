// The seam through which the exercise screens play a recording or a sound
// effect: assigning a file plays it at once; a missing file plays nothing.
#pragma once

#include <QString>

namespace korvel {

class SoundOut {
public:
    virtual ~SoundOut() = default;
    virtual void play(const QString& path) = 0;
};

}  // namespace korvel
