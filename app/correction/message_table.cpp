#include "app/correction/message_table.h"

namespace korvel {

MessageTable set_MessageTable()
{
    const QString quote = QStringLiteral("\"");
    MessageTable table;
    auto set = [&table](int n, const QString& text, const QString& path) { table[n] = {text, path}; };
    const QString first = QStringLiteral("語法/解説/最初");
    const QString last = QStringLiteral("語法/解説/最後");
    const QString common = QStringLiteral("語法/意味/共通");
    const QString position = QStringLiteral("語法/解説/位置");
    set(1, QStringLiteral("文章の初めの文字は大文字にします。"), first);
    set(2, QStringLiteral("この単語の最初の文字は大文字にしません。"), first);
    set(4, QStringLiteral("不適切な単語か又はつづりがまちがっているようです。"), common);
    set(5, QStringLiteral("文章の終りにピリオドがありません。"), last);
    set(6, QStringLiteral("この部分に必要な何かが抜けています。"), common);
    set(7, QStringLiteral("この部分は必要ありません。"), QStringLiteral("語法/解説/不要"));
    set(8, QStringLiteral("これらの単語の順番がまちがっています。"), QString());
    set(9, QStringLiteral("この語句のおかれている場所が適切ではありません。"), QString());
    set(10, QStringLiteral("文章の終りに疑問符がありません。"), last);
    set(11, QStringLiteral("会話文の先頭の　｢ に対しては ") + quote + QStringLiteral("（引用符）を用います。"), first);
    set(12, QStringLiteral("会話文の終わりの　」 に対しては ") + quote + QStringLiteral("（引用符）を用います。"),
        last);
    set(13, QStringLiteral("会話文の先頭は ") + quote + QStringLiteral(" で始めてください。"), first);
    set(14, QStringLiteral("会話文の終わりには ") + quote + QStringLiteral(" を使用します。"), last);
    set(15, QStringLiteral("この部分の位置が適切ではありません。"), position);
    set(16, QStringLiteral("この部分の全部又は一部は位置が適切ではありません。"), position);
    return table;
}

QString messageText(const MessageTable& table, int n)
{
    return n >= 0 && n < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(n)].text : QString();
}

QString longIndent()
{
    return QString(7, QChar(0x3000)) + QLatin1Char(' ');
}

QString shortIndent()
{
    return QString(7, QChar(0x3000));
}

}  // namespace korvel
