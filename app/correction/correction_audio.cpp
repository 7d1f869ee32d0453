#include "app/correction/correction_audio.h"

#include "app/desktop/services.h"
#include "app/files/folders.h"

#include <QFileInfo>

namespace korvel {

QString feedbackSound(const Folders& folders, Random& random, const Clock& clock, bool right)
{
    const int choices = right ? 5 : 3;
    random.reseed(clock);
    int n = static_cast<int>(random.next() * choices) + 1;
    n = std::min(std::max(n, 1), choices);
    return folders.audioOKNG + (right ? QStringLiteral("/ok_") : QStringLiteral("/ng_")) + QString::number(n) +
           QStringLiteral(".mp3");
}

QString modelSentenceAudio(const Folders& folders, std::int16_t chapter, const QString& identifier, int picture,
                           int subItems)
{
    const bool sentenceFolder = chapter >= 23 && chapter <= 27;
    const QString base = sentenceFolder ? folders.audioSent + QStringLiteral("/s") : folders.audioExSent + QStringLiteral("/e");
    if (picture == 0) {
        if (identifier == QLatin1String("23-12")) {
            return base + identifier + QStringLiteral("-h1.mp3");
        }
        return base + identifier + QStringLiteral(".mp3");
    }
    if (subItems < 2) {
        return base + identifier + QStringLiteral(".mp3");
    }
    return base + identifier.left(identifier.size() - 1) + QStringLiteral(".mp3");
}

bool playIfPresent(AudioOut& out, const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        return false;
    }
    out.play(path);
    return true;
}

}  // namespace korvel
