#include "app/files/folders.h"

#include <QDir>
#include <QStringList>

namespace korvel {

Folders Folders::fromRoot(const QString& contentRoot, const QString& installKind)
{
    Folders f;
    f.installKind = installKind;
    QString root = QDir::cleanPath(contentRoot);
    while (root.size() > 1 && root.endsWith(QLatin1Char('/'))) {
        root.chop(1);
    }
    f.contentRoot = root;
    const auto sub = [&root](const char* name) { return root + QLatin1Char('/') + QLatin1String(name); };
    f.image = sub("Image");
    f.audio = sub("Audio");
    f.audioWord = sub("AudioWord");
    f.audioSent = sub("AudioSent");
    f.audioExSent = sub("AudioExSent");
    f.audioOKNG = sub("AudioOKNG");
    f.lesson = sub("Lesson");
    f.html = sub("HTML");
    f.htmlPages = f.html;
    f.root = root;
    f.userFolder = installKind == QLatin1String("CD") ? QStringLiteral("c:/Korveluser") : sub("Korveluser");
    return f;
}

QString contentRootFromArguments(const QStringList& arguments, const QString& executableFolder)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--content") && i + 1 < arguments.size()) {
            return QDir(arguments[i + 1]).absolutePath();
        }
        if (arg.startsWith(QLatin1String("--content="))) {
            return QDir(arg.mid(10)).absolutePath();
        }
    }
    const QString fromEnvironment = qEnvironmentVariable("KORVEL_CONTENT");
    if (!fromEnvironment.isEmpty()) {
        return QDir(fromEnvironment).absolutePath();
    }
    return executableFolder;
}

}  // namespace korvel
