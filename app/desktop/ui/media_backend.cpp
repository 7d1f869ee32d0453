#include "app/desktop/ui/media_backend.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QtGlobal>

namespace korvel {

void chooseMediaBackend()
{
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) {
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    }
}

bool audioOutputAvailable()
{
    return !QMediaDevices::defaultAudioOutput().isNull();
}

}  // namespace korvel
