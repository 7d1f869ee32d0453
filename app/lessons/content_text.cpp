#include "app/lessons/content_text.h"

#include "app/files/sjis_text.h"

namespace korvel {

QString unquote_cell(const QString& text, CellMode mode)
{
    const QChar quote = QLatin1Char('"');
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        out.append(text[i]);
        if (text[i] == quote && i + 1 < text.size() && text[i + 1] == quote) {
            ++i;  // the second quote of the pair goes; the scan goes on after it
        }
    }
    if (!out.isEmpty() && out.front() == quote) {
        out = out.size() >= 2 ? out.mid(1, out.size() - 2) : QString();
    }
    out.replace(QLatin1Char('\n'), mode == CellMode::Line ? QStringLiteral(" ") : QStringLiteral("\r\n"));
    return out;
}

QString stripCellQuotes(const QString& text)
{
    const QChar quote = QLatin1Char('"');
    QString out = sjis::trimBlanks(text);
    if (out.startsWith(quote)) {
        out.remove(0, 1);
        out = sjis::trimBlanks(out);
        if (out.endsWith(quote)) {
            out.chop(1);
        }
    }
    return out;
}

}  // namespace korvel
