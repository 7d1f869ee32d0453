#include "app/correction/correction_audio.h"

#include <QFileInfo>

namespace korvel {

bool playIfPresent(AudioOut& out, const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        return false;
    }
    out.play(path);
    return true;
}

}  // namespace korvel
