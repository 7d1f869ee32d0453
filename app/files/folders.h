// Where the content and the learners' files lie. Every path is the content
// root plus a fixed sub-folder.
#pragma once

#include <QString>

namespace korvel {

struct Folders {
    QString installKind;  // "HDD" (the only kind ever set) or "CD"
    QString contentRoot;  // the executable's folder, or the --content folder
    QString image;
    QString audio;
    QString audioWord;
    QString audioSent;
    QString audioExSent;
    QString audioOKNG;
    QString lesson;
    QString html;
    QString htmlPages;  // a second name for the HTML folder
    QString root;       // the root itself, where "JisGlobal.xvt" lies
    QString userFolder;

    // Sets every folder from the root. For "HDD" the user folder is
    // root + "/Korveluser"; for "CD" it is the fixed "c:/Korveluser".
    static Folders fromRoot(const QString& contentRoot, const QString& installKind = QStringLiteral("HDD"));

    QString userFile(const QString& name) const { return userFolder + QLatin1Char('/') + name; }
    QString lessonFile(const QString& name) const { return lesson + QLatin1Char('/') + name; }
};

// The content root of a run: `--content DIR` on the command line, else the
// KORVEL_CONTENT environment variable, else the executable's folder.
QString contentRootFromArguments(const QStringList& arguments, const QString& executableFolder);

}  // namespace korvel
