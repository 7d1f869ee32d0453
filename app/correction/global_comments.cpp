#include "app/correction/global_comments.h"

#include "app/files/sjis_text.h"
#include "app/shell/session.h"

namespace korvel {

void CommentTable::prepare(const MessageTable& messages)
{
    for (int n = 1; n <= kBuiltInMessages; ++n) {
        rows_[static_cast<std::size_t>(n)] = {0, messages[static_cast<std::size_t>(n)].text,
                                              messages[static_cast<std::size_t>(n)].path};
    }
    for (int n = kBuiltInMessages + 1; n <= 516; ++n) {
        rows_[static_cast<std::size_t>(n)].content.clear();
        rows_[static_cast<std::size_t>(n)].number = 0;
    }
}

QString joinGlobalLines(const QStringList& lines)
{
    if (lines.isEmpty()) {
        return {};
    }
    if (lines.front().size() == 1) {
        QString joined;
        for (const QString& line : lines) {
            joined += line + QLatin1Char(' ');
        }
        return joined;
    }
    return lines.join(QString());
}

QString notGlobalTitle()
{
    return QStringLiteral("データ確認");
}

QString notGlobalText()
{
    return QStringLiteral("Globalファイルではありません。");
}

GlobalCommStatus readGlobalComments(const QString& text, CommentTable& table)
{
    const QString marker = QStringLiteral("<name>Global</name>");
    const qsizetype start = text.indexOf(marker);
    if (start < 0) {
        return GlobalCommStatus::NotGlobal;
    }
    const QString open = QStringLiteral("<category>");
    const QString close = QStringLiteral("</category>");
    const QString nameOpen = QStringLiteral("<name>");
    const QString nameClose = QStringLiteral("</name>");
    std::array<QString, kCategoryDepth> stack;
    int depth = 0;
    qsizetype pos = start + marker.size();

    // The text between `open` after `from` and the `close` after that.
    auto between = [&text](const QString& openMark, const QString& closeMark, qsizetype from, qsizetype* after) {
        const qsizetype a = text.indexOf(openMark, from);
        if (a < 0) {
            return QString();
        }
        const qsizetype b = text.indexOf(closeMark, a + openMark.size());
        if (b < 0) {
            return QString();
        }
        if (after != nullptr) {
            *after = b + closeMark.size();
        }
        return text.mid(a + openMark.size(), b - a - openMark.size());
    };

    while (true) {
        const qsizetype category = text.indexOf(open, pos);
        if (category < 0) {
            break;
        }
        qsizetype end = text.indexOf(close, category);
        if (end < 0) {
            end = text.size();
        }
        // Push the names of the categories that open before this one ends.
        for (qsizetype at = category; at >= 0 && at < end; at = text.indexOf(open, at + open.size())) {
            const QString name = between(nameOpen, nameClose, at, nullptr);
            if (depth < kCategoryDepth) {
                stack[static_cast<std::size_t>(depth)] = name;
            }
            ++depth;
            pos = at + open.size();
        }
        // The comments of the innermost category.
        const QString commentMark = QStringLiteral("comment ID=");
        for (qsizetype at = text.indexOf(commentMark, pos); at >= 0 && at < end;
             at = text.indexOf(commentMark, pos)) {
            const qsizetype gt = text.indexOf(QLatin1Char('>'), at);
            if (gt < 0) {
                break;
            }
            QString idText = text.mid(at + commentMark.size(), gt - at - commentMark.size()).trimmed();
            idText.remove(QLatin1Char('"'));
            idText.remove(QLatin1Char('\''));
            bool ok = false;
            const int id = idText.toInt(&ok);
            qsizetype after = gt + 1;
            const QString name = between(nameOpen, nameClose, gt, &after).trimmed();
            const qsizetype content = text.indexOf(QStringLiteral("<jcontent>"), after);
            const qsizetype contentEnd = text.indexOf(QStringLiteral("/jcontent>"), after);
            QString jcontent;
            if (content >= 0 && contentEnd > content) {
                const qsizetype from = content + 10;
                jcontent = text.mid(from, contentEnd - from);
                if (jcontent.endsWith(QLatin1Char('<'))) {
                    jcontent.chop(1);
                }
                jcontent = jcontent.trimmed();
                after = contentEnd + 10;
            }
            pos = std::max(after, gt + 1);
            if (!ok) {
                continue;
            }
            const int row = id + kBuiltInMessages;
            if (row > kCommentRows - 1) {
                return GlobalCommStatus::Loaded;
            }
            if (row <= kBuiltInMessages) {
                continue;  // an ID below 1 would overwrite a built-in message
            }
            QStringList path;
            for (int level = 0; level < kPathLevels && level < depth && level < kCategoryDepth; ++level) {
                if (!stack[static_cast<std::size_t>(level)].isEmpty()) {
                    path.push_back(stack[static_cast<std::size_t>(level)]);
                }
            }
            CommentRow& target = table.row(row);
            target.number = static_cast<std::int16_t>(id);
            target.path = (path.join(QLatin1Char('/')) + QLatin1Char('/') + name).left(kCommentPathWidth);
            target.content = jcontent.left(kCommentContentWidth);
        }
        // Pop one level for every category that closes before the next opens.
        const qsizetype nextOpen = text.indexOf(open, pos);
        const qsizetype limit = nextOpen < 0 ? text.size() : nextOpen;
        for (qsizetype at = text.indexOf(QStringLiteral("/category"), pos); at >= 0 && at < limit;
             at = text.indexOf(QStringLiteral("/category"), at + 9)) {
            if (depth > 0) {
                --depth;
                if (depth < kCategoryDepth) {
                    stack[static_cast<std::size_t>(depth)].clear();
                }
            }
            pos = at + 9;
        }
        if (nextOpen < 0) {
            break;
        }
        pos = std::max(pos, nextOpen);
    }
    return GlobalCommStatus::Loaded;
}

GlobalCommStatus set_GlobalComm(Session& session, CommentTable& table)
{
    const QString path = session.folders().root + QStringLiteral("/JisGlobal.xvt");
    const sjis::TextFile file = sjis::readLines(path);
    if (file.status != sjis::ReadStatus::Ok) {
        session.dsp_ErrorMsg(4, QStringLiteral("set_GlobalComm"),
                             QStringLiteral(" フォルダー名 ") + session.folders().contentRoot +
                                 QStringLiteral("/JisGlobal.xvt"));
        return GlobalCommStatus::Unreadable;
    }
    return readGlobalComments(joinGlobalLines(file.lines), table);
}

}  // namespace korvel
