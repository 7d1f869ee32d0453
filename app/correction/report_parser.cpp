#include "app/correction/report_parser.h"

#include <QStringView>

#include <algorithm>
#include <limits>
#include <optional>

namespace korvel {

namespace {

const QString kSpan = QStringLiteral("<span>");
const QString kSpanEnd = QStringLiteral("</span>");
const QString kDiv = QStringLiteral("<div>");
const QString kDivEnd = QStringLiteral("</div>");
const QString kBold = QStringLiteral("<B>");
const QString kBoldEnd = QStringLiteral("</B>");
const QString kFont = QStringLiteral("<font>");
const QString kFontEnd = QStringLiteral("</font>");
const QString kPara = QStringLiteral("<p>");
const QString kParaEnd = QStringLiteral("</p>");
const QString kEngineRoutine = QStringLiteral("prc_添削結果解析");

// The engine escapes "&" and "<" in words and candidates.
QString unescaped(QString text)
{
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

bool isPlainErrorCode(int code)
{
    return code == 16 || code == 18 || code == 144 || code == 400;
}

// The trimmed texts between every `open` and the `close` after it in
// [from, before) of `text`.
QStringList collectIn(const QString& text, const QString& open, const QString& close, qsizetype from, qsizetype before)
{
    QStringList texts;
    while (true) {
        const qsizetype at = text.indexOf(open, from);
        if (at < 0 || at >= before) {
            break;
        }
        const qsizetype start = at + open.size();
        const qsizetype end = text.indexOf(close, start);
        if (end < 0 || end >= before) {
            break;
        }
        texts.push_back(text.mid(start, end - start).trimmed());
        from = end + close.size();
    }
    return texts;
}

struct Block {
    qsizetype open = -1;   // index of its "<div>"
    qsizetype close = -1;  // index of its "</div>"
    int depth = 0;         // 1: no block inside, 2: blocks one level inside
    qsizetype inner() const { return open + kDiv.size(); }
};

class Parser {
public:
    Parser(const QString& report, const QuoteCheck& quote) : r_(report), quote_(quote) {}

    ReportAnalysis run();

private:
    bool fail(std::int16_t row, const QString& routine, const QString& detail = {})
    {
        if (out_.failure.row == 0) {
            out_.failure = {row, routine, detail};
        }
        return false;
    }
    bool malformed() { return fail(2, kEngineRoutine); }

    bool add(CorrectionItem item, const QString& routine)
    {
        if (static_cast<int>(out_.items.size()) >= kMaxItems) {
            return fail(4, routine, tooManyWordsText());
        }
        out_.items.push_back(std::move(item));
        return true;
    }

    bool startsAt(const QString& mark, qsizetype pos) const { return QStringView(r_).mid(pos).startsWith(mark); }
    qsizetype find(const QString& mark, qsizetype from, qsizetype before) const
    {
        const qsizetype at = r_.indexOf(mark, from);
        return at >= 0 && at < before ? at : -1;
    }
    // The texts between every `open` and its `close` in [from, before).
    QStringList collect(const QString& open, const QString& close, qsizetype from, qsizetype before) const
    {
        return collectIn(r_, open, close, from, before);
    }
    static std::optional<int> number(const QString& text, int low, int high)
    {
        bool ok = false;
        const qlonglong value = text.trimmed().toLongLong(&ok);
        if (!ok || value < low || value > high) {
            return std::nullopt;
        }
        return static_cast<int>(value);
    }

    Block blockAt(qsizetype open) const;
    std::optional<int> blockCode(qsizetype from, qsizetype before);
    bool errorSpans(qsizetype from, qsizetype before, int code, bool withCandidates, std::int16_t group,
                    const QString& spanRoutine, const QString& lastRoutine);
    bool readCandidates(CorrectionItem& item, qsizetype from, qsizetype before, const QString& routine);
    bool idiom(const Block& block, qsizetype afterCode);
    bool openingItem();
    bool closingItem();
    bool commentBlocks(qsizetype from);

    const QString& r_;
    const QuoteCheck& quote_;
    ReportAnalysis out_;
};

Block Parser::blockAt(qsizetype open) const
{
    Block block;
    block.open = open;
    int depth = 0;
    qsizetype pos = open;
    while (true) {
        const qsizetype nextOpen = r_.indexOf(kDiv, pos);
        const qsizetype nextClose = r_.indexOf(kDivEnd, pos);
        if (nextClose < 0) {
            return block;  // close stays -1: the block never ends
        }
        if (nextOpen >= 0 && nextOpen < nextClose) {
            block.depth = std::max(block.depth, ++depth);
            pos = nextOpen + kDiv.size();
        } else {
            pos = nextClose + kDivEnd.size();
            if (--depth == 0) {
                block.close = nextClose;
                return block;
            }
        }
    }
}

std::optional<int> Parser::blockCode(qsizetype from, qsizetype before)
{
    const qsizetype bold = find(kBold, from, before);
    const qsizetype boldEnd = bold < 0 ? -1 : find(kBoldEnd, bold, before);
    if (boldEnd < 0) {
        malformed();
        return std::nullopt;
    }
    const qsizetype start = bold + kBold.size();
    const auto code =
        number(r_.mid(start, boldEnd - start), std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    if (!code) {
        malformed();
    }
    return code;
}

bool Parser::readCandidates(CorrectionItem& item, qsizetype from, qsizetype before, const QString& routine)
{
    const QStringList candidates = collect(kFont, kFontEnd, from, before);
    if (candidates.size() > kMaxCandidates) {
        return fail(4, routine, QStringLiteral("候補が１１を超えました。"));
    }
    for (const QString& candidate : candidates) {
        item.candidates.push_back(unescaped(candidate));
    }
    return true;
}

// Items for the spans of one error in [from, before): all carry the error; the
// last one also gets the candidates and comment numbers found there.
bool Parser::errorSpans(qsizetype from, qsizetype before, int code, bool withCandidates, std::int16_t group,
                        const QString& spanRoutine, const QString& lastRoutine)
{
    const QStringList spans = collect(kSpan, kSpanEnd, from, before);
    if (spans.isEmpty()) {
        return malformed();
    }
    ++out_.errorCount;
    const bool includesFirst = out_.items.empty();
    for (qsizetype i = 0; i < spans.size(); ++i) {
        CorrectionItem item;
        item.word = unescaped(spans[i]);
        item.group = group;
        item.error = true;
        item.errorNumber = out_.errorCount;
        item.code = code;
        const bool last = i + 1 == spans.size();
        if (withCandidates && last) {
            if (!readCandidates(item, from, before, lastRoutine)) {
                return false;
            }
            const QStringList numbers = collect(kPara, kParaEnd, from, before);
            if (numbers.size() > kMaxCommentNumbers) {
                return fail(4, lastRoutine, QStringLiteral("コメント番号が１１を超えました。"));
            }
            for (const QString& text : numbers) {
                const auto n =
                    number(text, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
                if (!n) {
                    return malformed();
                }
                item.comments.push_back(static_cast<std::int16_t>(*n));
            }
            if (includesFirst) {
                for (QString& candidate : item.candidates) {
                    if (!candidate.isEmpty()) {
                        candidate[0] = candidate[0].toUpper();
                    }
                }
            }
        }
        if (!add(std::move(item), withCandidates && last ? lastRoutine : spanRoutine)) {
            return false;
        }
    }
    return true;
}

bool Parser::idiom(const Block& block, qsizetype afterCode)
{
    const qsizetype end = block.close;
    const std::size_t first = out_.items.size();
    std::int16_t group = 0;
    bool innerError = false;
    QString outside;  // the block's text without its inner blocks: its own comment numbers
    qsizetype pos = afterCode;
    while (true) {
        const qsizetype span = find(kSpan, pos, end);
        const qsizetype inner = find(kDiv, pos, end);
        if (span < 0 && inner < 0) {
            break;
        }
        ++group;
        if (inner < 0 || (span >= 0 && span < inner)) {
            const qsizetype spanEnd = find(kSpanEnd, span, end);
            if (spanEnd < 0) {
                return malformed();
            }
            outside += r_.mid(pos, spanEnd - pos);
            CorrectionItem item;
            const qsizetype start = span + kSpan.size();
            item.word = unescaped(r_.mid(start, spanEnd - start).trimmed());
            item.group = group;
            if (!add(std::move(item), QStringLiteral("set_IdiomText1"))) {
                return false;
            }
            pos = spanEnd + kSpanEnd.size();
            continue;
        }
        outside += r_.mid(pos, inner - pos);
        const qsizetype innerEnd = find(kDivEnd, inner, end + 1);
        if (innerEnd < 0) {
            return malformed();
        }
        const auto code = blockCode(inner, innerEnd);
        if (!code) {
            return false;
        }
        if (*code == kCodeCorrectBlock) {
            const QStringList spans = collect(kSpan, kSpanEnd, inner, innerEnd);
            if (spans.isEmpty()) {
                return malformed();
            }
            CorrectionItem item;
            item.word = unescaped(spans.front());
            item.group = group;
            if (!add(std::move(item), QStringLiteral("set_IdiomText2"))) {
                return false;
            }
        } else {
            innerError = true;
            const bool withCandidates = *code != 16 && *code != 18;
            if (!errorSpans(inner, innerEnd, *code, withCandidates, group,
                            withCandidates ? QStringLiteral("set_IdiomText4") : QStringLiteral("set_IdiomText3"),
                            QStringLiteral("set_IdiomText4"))) {
                return false;
            }
        }
        pos = innerEnd + kDivEnd.size();
    }
    outside += r_.mid(pos, end - pos);
    if (!innerError) {
        return true;
    }
    for (std::size_t i = first; i < out_.items.size(); ++i) {
        out_.items[i].inIdiom = true;
    }
    CorrectionItem closing;
    closing.group = kIdiomClosingGroup;
    closing.inIdiom = true;
    closing.error = true;
    closing.code = kCodeIdiom;
    closing.errorNumber = ++out_.errorCount;
    const QStringList numbers = collectIn(outside, kPara, kParaEnd, 0, outside.size());
    if (numbers.size() > kMaxCommentNumbers) {
        return fail(4, QStringLiteral("set_IdiomText5"), QStringLiteral("コメント番号が１１を超えました。"));
    }
    for (const QString& text : numbers) {
        const auto n = number(text, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
        if (!n) {
            return malformed();
        }
        closing.comments.push_back(static_cast<std::int16_t>(*n));
    }
    return add(std::move(closing), QStringLiteral("set_IdiomText5"));
}

bool Parser::openingItem()
{
    if (!quote_.opens()) {
        return true;
    }
    const int flags = quote_.flags;
    CorrectionItem item;
    item.word = quote_.removedOpening;
    if (flags == -21 || flags == -3 || flags == -1) {
        item.code = kCodeOpeningMissing;
    } else if (flags == -30 || flags == -12 || flags == -10) {
        item.code = kCodeOpeningWrong;
    }
    if (item.code != 0) {
        out_.errorCount = 1;
        item.error = true;
        item.errorNumber = 1;
        item.candidates = QStringList{QStringLiteral("\"")};
    }
    return add(std::move(item), QStringLiteral("prc_添削結果解析1"));
}

bool Parser::closingItem()
{
    if (!quote_.closes() || out_.items.empty()) {
        return true;
    }
    const int flags = quote_.flags;
    CorrectionItem item;
    item.word = quote_.removedClosing;
    if (flags == -12 || flags == -3 || flags == -2) {
        item.code = kCodeClosingMissing;
    } else if (flags == -30 || flags == -21 || flags == -20) {
        item.code = kCodeClosingWrong;
    }
    if (item.code != 0) {
        item.error = true;
        item.errorNumber = ++out_.errorCount;
        item.candidates = QStringList{QStringLiteral("\"")};
    }
    return add(std::move(item), QStringLiteral("prc_添削結果解析6"));
}

bool Parser::commentBlocks(qsizetype from)
{
    const qsizetype list = r_.indexOf(kDiv, from);
    if (list < 0) {
        return true;
    }
    qsizetype pos = list + kDiv.size();
    while (!startsAt(kDivEnd, pos)) {
        const qsizetype open = r_.indexOf(kDiv, pos);
        if (open < 0) {
            break;
        }
        const qsizetype close = r_.indexOf(kDivEnd, open);
        const qsizetype end = close < 0 ? r_.size() : close;
        const auto code = blockCode(open, end);
        if (!code) {
            return false;
        }
        if (*code < std::numeric_limits<std::int16_t>::min() || *code > std::numeric_limits<std::int16_t>::max()) {
            return malformed();
        }
        if (static_cast<int>(out_.blocks.size()) >= kMaxCommentBlocks) {
            return fail(4, QStringLiteral("get_CommentBlock"), QStringLiteral("コメントが５１を超えました。"));
        }
        CommentBlock block;
        block.number = static_cast<std::int16_t>(*code);
        const QStringList spans = collect(kSpan, kSpanEnd, r_.indexOf(kBoldEnd, open), end);
        if (spans.size() >= 2) {
            block.text = spans[1];
        }
        out_.blocks.push_back(block);
        if (close < 0) {
            break;
        }
        pos = close + kDivEnd.size();
    }
    return true;
}

ReportAnalysis Parser::run()
{
    if (!r_.contains(kSpan)) {
        malformed();
        return out_;
    }
    if (!openingItem()) {
        return out_;
    }
    const qsizetype list = r_.indexOf(kDiv);
    if (list < 0) {
        malformed();
        return out_;
    }
    qsizetype pos = list + kDiv.size();
    while (!startsAt(kDivEnd, pos)) {
        const qsizetype span = r_.indexOf(kSpan, pos);
        if (span < 0) {
            malformed();
            return out_;
        }
        if (span == pos) {
            const qsizetype spanEnd = r_.indexOf(kSpanEnd, span);
            if (spanEnd < 0) {
                malformed();
                return out_;
            }
            CorrectionItem item;
            item.word = unescaped(r_.mid(span + kSpan.size(), spanEnd - span - kSpan.size()).trimmed());
            if (!add(std::move(item), QStringLiteral("prc_添削結果解析1"))) {
                return out_;
            }
            pos = spanEnd + kSpanEnd.size();
            continue;
        }
        const qsizetype open = r_.indexOf(kDiv, pos);
        if (open < 0) {
            malformed();
            return out_;
        }
        const Block block = blockAt(open);
        if (block.close < 0 || block.depth > 2) {
            malformed();
            return out_;
        }
        const auto code = blockCode(block.inner(), block.close);
        if (!code) {
            return out_;
        }
        bool ok = true;
        if (*code == kCodeIdiom) {
            ok = idiom(block, r_.indexOf(kBoldEnd, block.inner()) + kBoldEnd.size());
        } else if (*code == kCodeCorrectBlock) {
            const QStringList spans = collect(kSpan, kSpanEnd, block.inner(), block.close);
            if (spans.isEmpty()) {
                malformed();
                return out_;
            }
            CorrectionItem item;
            item.word = unescaped(spans.front());
            ok = add(std::move(item), QStringLiteral("prc_添削結果解析2"));
        } else {
            const bool withCandidates = !isPlainErrorCode(*code);
            ok = errorSpans(block.inner(), block.close, *code, withCandidates, 0,
                            withCandidates ? QStringLiteral("prc_添削結果解析4") : QStringLiteral("prc_添削結果解析3"),
                            QStringLiteral("prc_添削結果解析5"));
        }
        if (!ok) {
            return out_;
        }
        pos = block.close + kDivEnd.size();
    }
    if (!closingItem()) {
        return out_;
    }
    fix_WordOrder(out_.items);
    if (!commentBlocks(pos + kDivEnd.size())) {
        return out_;
    }
    out_.ok = true;
    return out_;
}

}  // namespace

QString tooManyWordsText()
{
    return QStringLiteral("単語数が３０を超えました。");
}

void fix_WordOrder(std::vector<CorrectionItem>& items)
{
    const auto misplaced =
        std::find_if(items.begin(), items.end(), [](const CorrectionItem& item) { return item.code >= 32768; });
    if (misplaced == items.end()) {
        return;
    }
    const QStringList candidates = misplaced->candidates.mid(0, 6);
    auto superfluous = [](const CorrectionItem& item) {
        return item.code == 16 || item.code == 18 || item.code == 144;
    };
    int counted = 0;
    for (CorrectionItem& item : items) {
        if (!superfluous(item)) {
            continue;
        }
        ++counted;
        if (!candidates.contains(item.word)) {
            continue;
        }
        if (counted == 1) {
            item.code = kCodeMisplacedOne;
            return;
        }
        item.code = kCodeMisplacedSome;
        for (CorrectionItem& other : items) {
            if (superfluous(other)) {
                other.code = kCodeMisplacedSome;
            }
        }
        return;
    }
}

ReportAnalysis prc_添削結果解析(const QString& report, const QuoteCheck& quote)
{
    QString text = report;
    text.remove(QLatin1Char('\n'));
    return Parser(text, quote).run();
}

}  // namespace korvel
