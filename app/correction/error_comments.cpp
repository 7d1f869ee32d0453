#include "app/correction/error_comments.h"

namespace korvel {

namespace {

class ItemComments {
public:
    ItemComments(const CheckedItems& checked, int index)
        : c_(checked), index_(index), item_(checked.items[static_cast<std::size_t>(index)]), numbers_(item_.comments)
    {
    }

    QList<ItemComment> run();

private:
    void add(int kind, const QString& text)
    {
        if (out_.size() < kMaxItemComments) {
            out_.push_back({kind, text});
        }
    }
    void give(int n) { add(n, messageText(c_.messages, n)); }

    void wrongWord(int kind = 4);
    void wrongPhrase();
    void missingPart();
    void numberComments();
    void capital();
    void orderComment();

    const CheckedItems& c_;
    int index_;
    const CorrectionItem& item_;
    QList<std::int16_t> numbers_;  // dropped by some codes for this item's comments
    QList<ItemComment> out_;
};

void ItemComments::wrongWord(int kind)
{
    const QStringList& cands = item_.candidates;
    const QString head = messageText(c_.messages, 4);
    if (cands.isEmpty()) {
        add(kind, head);
    } else if (cands.size() == 1 && !cands.front().isEmpty()) {
        add(kind, head + kCrLf + longIndent() + QStringLiteral("　この部分は ") + cands.front() +
                      QStringLiteral(" にします。"));
    } else if (cands.size() == 1) {
        add(kind, QStringLiteral("この部分は必要ありません。"));
    } else {
        QStringList shown;
        for (qsizetype i = 0; i < cands.size(); ++i) {
            if (!cands[i].isEmpty()) {
                shown.push_back(cands[i]);
            } else {
                shown.push_back(i == 0 ? QStringLiteral("何もつけない") : QStringLiteral("何も付けない"));
            }
        }
        add(kind, head + kCrLf + longIndent() + QStringLiteral("　この部分は ") + shown.join(QLatin1Char(',')) +
                      QStringLiteral(" のいずれかにします。"));
    }
}

void ItemComments::wrongPhrase()
{
    const QStringList& cands = item_.candidates;
    if (cands.size() == 1) {
        add(4, QStringLiteral("不適切な語句です。この部分は(") + cands.front() + QStringLiteral(") にします。"));
    } else {
        add(4, QStringLiteral("不適切な語句です。この部分は (") + cands.join(QStringLiteral(" または ")) +
                   QStringLiteral(") にします。"));
    }
}

void ItemComments::missingPart()
{
    const QStringList& cands = item_.candidates;
    if (index_ + 1 == static_cast<int>(c_.items.size())) {
        give(item_.firstCandidate() == QLatin1String("?") ? 10 : 5);
    } else if (cands.isEmpty()) {
        give(6);
    } else if (cands.size() == 1) {
        add(6, QStringLiteral("この部分に必要な何か (") + cands.front() + QStringLiteral(") が抜けています。"));
    } else {
        add(6, QStringLiteral("この部分に必要な何か (") + cands.join(QStringLiteral(" または ")) +
                   QStringLiteral(") が抜けています。"));
    }
}

void ItemComments::numberComments()
{
    if (item_.group >= 1 && item_.group <= 98) {
        return;
    }
    for (const std::int16_t number : numbers_) {
        for (const CommentBlock& block : c_.blocks) {
            if (block.number == number) {
                add(number, block.text);
            }
        }
    }
}

void ItemComments::capital()
{
    const bool first = index_ == 0 || (index_ == 1 && c_.quote.opens());
    give(first ? 1 : 2);
}

void ItemComments::orderComment()
{
    QStringList trimmed;
    for (const QString& candidate : item_.candidates) {
        trimmed.push_back(candidate.trimmed());
    }
    const bool one = trimmed.size() == 1;
    add(8, messageText(c_.messages, 8) + kCrLf + (one ? longIndent() : shortIndent()) +
               QStringLiteral("　この部分は ") + trimmed.join(QLatin1Char(',')) +
               (one ? QStringLiteral(" にします。") : QStringLiteral("のいずれかにします。")));
}

QList<ItemComment> ItemComments::run()
{
    int c = item_.code;
    if (c == kCodeCorrectBlock) {
        return out_;
    }
    if (c == 32776 || c == 34888 || c == 32840) {
        c = 8;
    }
    if (c >= 32768) {
        give(9);
        if (c >= 33168) {
            c -= 33168;
        }
        if (c >= 32912) {
            c -= 32912;
        }
        if (c >= 32768) {
            c -= 32768;
        }
    }
    if (c >= 8192) {
        orderComment();
        if (c >= 8768) {
            c -= 8768;
        }
        if (c >= 8192) {
            c -= 8192;
        }
    }
    if (c >= 6720) {
        c = 32;
    }
    if (c >= 4096) {
        c -= 4096;
    }
    if (c == 3648) {
        numberComments();
        if (item_.word.isEmpty()) {
            missingPart();
        } else if (item_.comments.isEmpty()) {
            wrongPhrase();
        }
        c = -3648;
    }
    if (c == 2624) {
        c = 0;
    }
    if (c == 2144) {
        c = 32;
        numbers_.clear();
    }
    if (c >= 2113) {
        capital();
        c = 2112;
    }
    for (const int bit : {2048, 1024, 512, 256, 128}) {
        if (c >= bit) {
            c -= bit;
        }
    }
    if (c == 96) {
        wrongWord();
        c = 0;
    }
    if (c == 65) {
        capital();
        numbers_.clear();
        c = 0;
    }
    if (c == 64) {
        c = 0;
    }
    if (c > 64) {
        c -= 64;
    }
    if (c >= 34) {
        wrongWord();
        c -= 34;
    }
    if (c >= 32) {
        wrongWord();
        c -= 32;
    }
    if (c >= 17) {
        give(7);
        c = 0;
    }
    if (c >= 16) {
        give(7);
        c -= 16;
    }
    if (c == kCodeMisplacedOne) {
        give(15);
    }
    if (c == kCodeMisplacedSome) {
        give(16);
    }
    if (c >= 8) {
        missingPart();
        c -= 8;
    }
    if (c >= 6) {
        wrongWord(6);
        c -= 6;
    }
    if (c >= 4) {
        wrongWord(4);
        c -= 4;
    }
    if (c >= 2) {
        wrongWord(4);
        c -= 2;
    }
    if (c >= 1) {
        capital();
    }
    if (c != -3648) {
        numberComments();
    }
    const bool first = index_ == 0;
    if (c == kCodeOpeningMissing && first) {
        give(11);
    } else if (c == kCodeClosingMissing && !first) {
        give(12);
    } else if (c == kCodeOpeningWrong && first) {
        give(13);
    } else if (c == kCodeClosingWrong && !first) {
        give(14);
    }
    return out_;
}

}  // namespace

QList<ItemComment> set_ErrComment(const CheckedItems& checked, int index)
{
    if (index < 0 || index >= static_cast<int>(checked.items.size())) {
        return {};
    }
    return ItemComments(checked, index).run();
}

}  // namespace korvel
