// The display text as the result picture paints it: every "[" and "]" becomes
// a blank, the text between them is marked (red) and the rest is plain.
#pragma once

#include <QList>
#include <QString>

namespace korvel {

inline constexpr int kMaxMarkedSpans = 31;

struct TextRun {
    QString text;
    bool marked = false;
};

struct ResultRuns {
    QList<TextRun> runs;
    // A 31st span was met: the message is shown and later brackets stay plain.
    bool tooManySpans = false;
    int markedSpans = 0;
    QString text;  // the whole text with the brackets blanked
};

ResultRuns splitResultRuns(const QString& display);

QString tooManySpansTitle();
QString tooManySpansText();

}  // namespace korvel
