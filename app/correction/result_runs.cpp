#include "app/correction/result_runs.h"

namespace korvel {

ResultRuns splitResultRuns(const QString& display)
{
    ResultRuns out;
    QString text = display;
    // Line ends are painted as the picture's own wrapping, not as characters.
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    QString current;
    bool marked = false;
    auto flush = [&] {
        if (!current.isEmpty()) {
            out.runs.push_back({current, marked});
            current.clear();
        }
    };
    for (const QChar c : text) {
        if (c == QLatin1Char('[') && !marked) {
            current += QLatin1Char(' ');
            if (out.markedSpans >= kMaxMarkedSpans) {
                continue;
            }
            flush();
            ++out.markedSpans;
            if (out.markedSpans == kMaxMarkedSpans) {
                out.tooManySpans = true;
            }
            marked = true;
            continue;
        }
        if (c == QLatin1Char(']')) {
            if (marked) {
                flush();
                marked = false;
            }
            current += QLatin1Char(' ');
            continue;
        }
        current += c;
    }
    flush();
    for (const TextRun& run : out.runs) {
        out.text += run.text;
    }
    return out;
}

QString tooManySpansTitle()
{
    return QStringLiteral("添削結果表示");
}

QString tooManySpansText()
{
    return QStringLiteral("添削コメント数が３０個以上ですので、再入力してください。");
}

}  // namespace korvel
