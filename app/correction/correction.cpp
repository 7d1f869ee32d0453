#include "app/correction/correction.h"

#include "app/correction/engine_binding.h"
#include "app/correction/error_comments.h"
#include "app/correction/report_parser.h"
#include "app/shell/session.h"

#include <QRegularExpression>

namespace korvel {

namespace {

bool isSuperfluousCode(int code)
{
    return code == 16 || code == 18 || code == 144;
}

bool commentsOnFirstItem(int code)
{
    return isSuperfluousCode(code) || code == 400 || code == kCodeMisplacedOne || code == kCodeMisplacedSome;
}

// The corrected sentence is built word by word with a blank before each; the
// blanks that English does not write (doubled, before punctuation and short
// forms, inside the quotation marks) are taken out again.
QString tidySentence(QString text, bool quoted)
{
    static const QRegularExpression blanks(QStringLiteral(" {2,}"));
    static const QRegularExpression beforeMark(QStringLiteral(" +([.,?!;:])"));
    static const QRegularExpression beforeShortForm(QStringLiteral(" +((n't|N'T)|'[A-Za-z])"));
    text.replace(blanks, QStringLiteral(" "));
    text.replace(beforeMark, QStringLiteral("\\1"));
    text.replace(beforeShortForm, QStringLiteral("\\1"));
    text = text.trimmed();
    if (quoted && text.startsWith(QLatin1String("\" "))) {
        text.remove(1, 1);
    }
    if (text.endsWith(QLatin1String(" \""))) {
        text.remove(text.size() - 2, 1);
    }
    const qsizetype first = quoted && text.startsWith(QLatin1Char('"')) ? 1 : 0;
    if (first < text.size()) {
        text[first] = text[first].toUpper();
    }
    return text;
}

// Words that are written with a capital only at the start of a sentence. When
// the correction puts a missing word in front of the learner's first word
// ("You want ..." -> "Do you want ..."), such a word loses its capital. Other
// words keep it: the learner's first word may be a name ("Ken plays ...").
bool losesCapitalAfterInsertion(const QString& word)
{
    static const QStringList words = {
        QStringLiteral("you"),   QStringLiteral("he"),    QStringLiteral("she"),   QStringLiteral("it"),
        QStringLiteral("we"),    QStringLiteral("they"),  QStringLiteral("this"),  QStringLiteral("that"),
        QStringLiteral("these"), QStringLiteral("those"), QStringLiteral("there"), QStringLiteral("my"),
        QStringLiteral("your"),  QStringLiteral("his"),   QStringLiteral("her"),   QStringLiteral("its"),
        QStringLiteral("our"),   QStringLiteral("their"), QStringLiteral("the"),   QStringLiteral("a"),
        QStringLiteral("an"),    QStringLiteral("some"),  QStringLiteral("any"),   QStringLiteral("every"),
        QStringLiteral("all"),   QStringLiteral("many"),  QStringLiteral("much"),  QStringLiteral("not"),
        QStringLiteral("very"),  QStringLiteral("to"),    QStringLiteral("in"),    QStringLiteral("on"),
        QStringLiteral("at"),    QStringLiteral("and"),   QStringLiteral("but"),
    };
    if (word.size() < 1 || !word[0].isUpper() || word.mid(1) != word.mid(1).toLower()) {
        return false;
    }
    return words.contains(word.toLower());
}

bool hasLetter(const QString& text)
{
    for (const QChar c : text) {
        if (c.isLetter()) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool hasForbiddenCharacter(const QString& text)
{
    return text.contains(QLatin1Char('&')) || text.contains(QLatin1Char('<')) || text.contains(QLatin1Char('>'));
}

CompositionResult compositionResultOf(const CorrectionResult& result)
{
    CompositionResult out;
    if (!result.sent || result.failed()) {
        return out;
    }
    out.verdict = result.right() ? CompositionResult::Verdict::Right : CompositionResult::Verdict::Wrong;
    out.errorCount = result.errorCount;
    out.commentNumbers.assign(result.commentKinds.begin(), result.commentKinds.end());
    return out;
}

QString exerciseName(int chapter, int item)
{
    return QStringLiteral("Lesson%1-%2").arg(chapter, 2, 10, QLatin1Char('0')).arg(item, 2, 10, QLatin1Char('0'));
}

QString put_CommentText(const std::vector<CorrectionItem>& items, const std::vector<CommentBlock>& blocks,
                        const QuoteCheck& quote, const MessageTable& messages, QList<std::int16_t>* log)
{
    const CheckedItems checked{items, blocks, quote, messages};
    QString text;
    const int count = static_cast<int>(items.size());
    for (int i = 0; i < count; ++i) {
        const CorrectionItem& item = items[static_cast<std::size_t>(i)];
        if (!item.error) {
            continue;
        }
        if (commentsOnFirstItem(item.code)) {
            // One comment per error: a run of such words of one block speaks once.
            const CorrectionItem* previous = i > 0 ? &items[static_cast<std::size_t>(i - 1)] : nullptr;
            if (previous != nullptr && previous->error && previous->errorNumber == item.errorNumber &&
                previous->code == item.code) {
                continue;
            }
        } else if (i + 1 < count) {
            // The comments of an error belong to its last item.
            const CorrectionItem& next = items[static_cast<std::size_t>(i + 1)];
            if (next.error && next.errorNumber == item.errorNumber) {
                continue;
            }
        }
        const QList<ItemComment> comments = set_ErrComment(checked, i);
        if (item.errorNumber > 1) {
            text += kCrLf;
        }
        text += QStringLiteral("コメント(%1) ").arg(item.errorNumber);
        for (qsizetype k = 0; k < comments.size(); ++k) {
            text += k == 0 ? QStringLiteral(" ・") : kCrLf + longIndent() + QStringLiteral("・");
            text += comments[k].text;
            if (log != nullptr && log->size() < kMaxLoggedKinds) {
                log->push_back(static_cast<std::int16_t>(comments[k].kind));
            }
        }
    }
    return text;
}

ResultTexts make_ResultText(const std::vector<CorrectionItem>& items, const QuoteCheck& quote)
{
    ResultTexts out;
    const std::size_t count = items.size();
    const QString blank = QStringLiteral(" ");
    std::size_t i = 0;
    bool firstWordSeen = false;
    while (i < count) {
        const CorrectionItem& item = items[i];
        const bool learnersFirstWord = !firstWordSeen && !item.word.isEmpty();
        firstWordSeen = firstWordSeen || learnersFirstWord;
        const QString number = QString::number(item.errorNumber);
        if (item.group == kIdiomClosingGroup) {
            out.marked += QStringLiteral(" 】(") + number + QLatin1Char(')');
            ++i;
            continue;
        }
        if (item.group == 1 && item.inIdiom) {
            out.marked += QStringLiteral("【");
        }
        if (!item.error) {
            out.marked += blank + item.word;
            const bool displaced = learnersFirstWord && hasLetter(out.corrected);
            out.corrected +=
                blank + (displaced && losesCapitalAfterInsertion(item.word) ? item.word.toLower() : item.word);
            ++i;
        } else if (isSuperfluousCode(item.code)) {
            out.marked += QStringLiteral(" [") + item.word;
            std::size_t j = i + 1;
            for (; j < count && items[j].error && isSuperfluousCode(items[j].code); ++j) {
                out.marked += blank + items[j].word;
            }
            out.marked += QStringLiteral("](") + number + QStringLiteral(") ");
            i = j;
        } else if (!item.word.isEmpty()) {
            out.corrected += blank + item.firstCandidate();
            out.marked += QStringLiteral(" [") + item.word;
            std::size_t j = i + 1;
            for (; j < count && items[j].error && items[j].errorNumber == item.errorNumber; ++j) {
                out.marked += blank + items[j].word;
                out.corrected += blank + items[j].firstCandidate();
            }
            out.marked += QStringLiteral("](") + number + QStringLiteral(") ");
            i = j;
        } else {
            out.corrected += blank + item.firstCandidate();
            const bool sameNext = i + 1 < count && items[i + 1].error && items[i + 1].errorNumber == item.errorNumber;
            if (!sameNext) {
                out.marked += QStringLiteral(" [XXX](") + number + QLatin1Char(')');
            }
            ++i;
        }
    }
    out.corrected = tidySentence(out.corrected, quote.opens());
    return out;
}

QString make_ModelSentence(const QString& corrected)
{
    if (corrected.trimmed().isEmpty()) {
        return {};
    }
    return kCrLf + QStringLiteral("添削の結果を反映すると以下のような正解文になります。") + kCrLf + corrected + kCrLf;
}

Correction::Correction(Session& session, EngineBinding& engine)
    : session_(session), engine_(engine), messages_(set_MessageTable())
{
}

const CorrectionResult& Correction::check(const CorrectionInput& input)
{
    last_ = CorrectionResult{};
    CorrectionResult& r = last_;
    r.typed = input.sentence;
    // The learner's blanks around the sentence are not part of it.
    const QString sentence = input.sentence.trimmed();
    r.quote = input.quoteCheck ? chk_Quote(input.prompt, sentence) : QuoteCheck{0, 0, {}, {}, sentence};
    const bool screen = input.mode == kModeScreen;

    if (r.quote.sentence.trimmed().isEmpty()) {
        r.empty = true;
        r.commentText = QStringLiteral("英作文を入力してください。");
        return r;
    }
    const QString failedText = session_.errorTable().message(5).trimmed() + QStringLiteral(" (") + input.exercise +
                               QStringLiteral(")") + kCrLf;
    r.request = EngineBinding::requestText(input.exercise, r.quote.sentence);
    const std::optional<QString> report = input.studyAid
                                              ? engine_.prc_zintraMatch2(session_, input.exercise, r.quote.sentence)
                                              : engine_.prc_zintraMatch(session_, input.exercise, r.quote.sentence);
    if (!report) {
        r.displayText = failedText;
        r.commentText = screen ? QString() : r.displayText;
        return r;
    }
    r.sent = true;
    ReportAnalysis analysis = prc_添削結果解析(*report, r.quote);
    if (!analysis.ok) {
        const ReportFailure& f = analysis.failure;
        session_.dsp_ErrorMsg(f.row, f.routine,
                              f.detail.isEmpty() ? QStringLiteral(" データ名 ") + r.request : f.detail);
        r.displayText = failedText;
        r.commentText = screen ? QString() : r.displayText;
        return r;
    }
    r.errorCount = analysis.errorCount;
    r.items = std::move(analysis.items);
    r.blocks = std::move(analysis.blocks);

    QString comments;
    if (r.errorCount > 0) {
        const bool log = screen && input.logging;
        comments = put_CommentText(r.items, r.blocks, r.quote, messages_, log ? &r.commentKinds : nullptr);
        kindsThisVisit_ += static_cast<int>(r.commentKinds.size());
    }
    if (r.right()) {
        r.displayText =
            input.mode == kModeText ? sentence + kCrLf : QStringLiteral(" あなたの英作文は正しいです。") + kCrLf;
    } else {
        const ResultTexts texts = make_ResultText(r.items, r.quote);
        r.displayText = texts.marked + kCrLf;
        r.corrected = texts.corrected;
    }
    r.commentText = screen ? comments : r.displayText + comments;
    return r;
}

QString Correction::modelBlock() const
{
    return last_.failed() ? QString() : make_ModelSentence(last_.corrected);
}

}  // namespace korvel
