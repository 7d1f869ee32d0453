#include "app/correction/global_comments.h"

#include "app/files/sjis_text.h"
#include "app/shell/session.h"

namespace korvel {

const CommentRow* CommentTable::received(int number) const
{
    int n = 0;
    if (number >= 1 && number <= kBuiltInMessages) {
        n = number;
    } else if (number > kGlobalCommentBase && number - kGlobalCommentBase + kBuiltInMessages < kCommentRows) {
        n = number - kGlobalCommentBase + kBuiltInMessages;
    }
    return n == 0 ? nullptr : &rows_[static_cast<std::size_t>(n)];
}

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
    const QString close = QStringLiteral("/category");
    const QString comment = QStringLiteral("comment ID=");
    const QString nameOpen = QStringLiteral("<name>");
    const QString nameClose = QStringLiteral("/name>");
    const QString contentOpen = QStringLiteral("<jcontent>");
    const QString contentClose = QStringLiteral("/jcontent>");

    // The text from behind `openMark` (found from `from`) to `closeMark`,
    // without the "<" that starts the end mark; `after` moves behind it.
    auto between = [&text](const QString& openMark, const QString& closeMark, qsizetype from, qsizetype* after) {
        const qsizetype a = text.indexOf(openMark, from);
        if (a < 0) {
            return QString();
        }
        const qsizetype b = text.indexOf(closeMark, a + openMark.size());
        if (b < 0) {
            return QString();
        }
        *after = b + closeMark.size();
        QString found = text.mid(a + openMark.size(), b - a - openMark.size());
        if (found.endsWith(QLatin1Char('<'))) {
            found.chop(1);
        }
        return found;
    };

    // The categories are walked in document order: an opening pushes its name,
    // a closing pops it, and a comment takes the names open around it. (The
    // Global category itself is behind the start and not on the stack.)
    std::array<QString, kCategoryDepth> stack;
    int depth = 0;
    qsizetype pos = start + marker.size();
    while (true) {
        const qsizetype nextOpen = text.indexOf(open, pos);
        const qsizetype nextClose = text.indexOf(close, pos);
        const qsizetype nextComment = text.indexOf(comment, pos);
        qsizetype first = -1;
        for (const qsizetype at : {nextOpen, nextClose, nextComment}) {
            if (at >= 0 && (first < 0 || at < first)) {
                first = at;
            }
        }
        if (first < 0) {
            break;
        }
        if (first == nextOpen) {
            qsizetype after = nextOpen + open.size();
            const QString name = between(nameOpen, nameClose, after, &after);
            if (depth < kCategoryDepth) {
                stack[static_cast<std::size_t>(depth)] = name;
            }
            ++depth;
            pos = nextOpen + open.size();
            continue;
        }
        if (first == nextClose) {
            if (depth > 0) {
                --depth;
                if (depth < kCategoryDepth) {
                    stack[static_cast<std::size_t>(depth)].clear();
                }
            }
            pos = nextClose + close.size();
            continue;
        }
        const qsizetype gt = text.indexOf(QLatin1Char('>'), nextComment);
        if (gt < 0) {
            break;
        }
        QString idText = text.mid(nextComment + comment.size(), gt - nextComment - comment.size()).trimmed();
        idText.remove(QLatin1Char('"'));
        idText.remove(QLatin1Char('\''));
        bool ok = false;
        const int id = idText.toInt(&ok);
        qsizetype after = gt + 1;
        const QString name = between(nameOpen, nameClose, gt, &after).trimmed();
        // The content belongs to this comment only when it comes before the next one.
        const qsizetype followingComment = text.indexOf(comment, gt);
        const qsizetype contentAt = text.indexOf(contentOpen, after);
        QString jcontent;
        if (contentAt >= 0 && (followingComment < 0 || contentAt < followingComment)) {
            jcontent = between(contentOpen, contentClose, after, &after).trimmed();
        }
        pos = after;
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
        for (int level = 0; level < kPathLevels && level < depth; ++level) {
            if (!stack[static_cast<std::size_t>(level)].isEmpty()) {
                path.push_back(stack[static_cast<std::size_t>(level)]);
            }
        }
        CommentRow& target = table.row(row);
        target.number = static_cast<std::int16_t>(id);
        target.path = (path.join(QLatin1Char('/')) + QLatin1Char('/') + name).left(kCommentPathWidth);
        target.content = jcontent.left(kCommentContentWidth);
    }
    return GlobalCommStatus::Loaded;
}

GlobalCommStatus set_GlobalComm(Session& session, CommentTable& table)
{
    const QString path = session.folders().root + QStringLiteral("/JisGlobal.xvt");
    const sjis::TextFile file = sjis::readLines(path);
    if (file.status != sjis::ReadStatus::Ok) {
        session.dsp_ErrorMsg(
            4, QStringLiteral("set_GlobalComm"),
            QStringLiteral(" フォルダー名 ") + session.folders().contentRoot + QStringLiteral("/JisGlobal.xvt"));
        return GlobalCommStatus::Unreadable;
    }
    return readGlobalComments(joinGlobalLines(file.lines), table);
}

}  // namespace korvel
