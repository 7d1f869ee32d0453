// One composition check from the learner's sentence to the texts the screens
// show: the quotation pre-check, the match call, the report analysis, the
// numbered comments (put_CommentText), the marked and corrected sentences
// (make_ResultText), the verdict and the model-sentence block
// (make_ModelSentence). The correction screen, the composition test and
// `korvel --check` all run this class.
#pragma once

#include "app/correction/correction_items.h"
#include "app/correction/message_table.h"
#include "app/correction/quote_check.h"
#include "app/lessons/composition_item.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

namespace korvel {

class EngineBinding;
class Session;

// 1: the learner types on the correction screen; 3: a caller wants the result
// as text; any other value: result display only.
inline constexpr std::int16_t kModeScreen = 1;
inline constexpr std::int16_t kModeText = 3;

inline constexpr int kMaxLoggedKinds = 51;

// "&", "<" and ">" cannot travel in the engine's request: the composition
// test and the correction screen refuse an answer holding one, with this message.
bool hasForbiddenCharacter(const QString& text);
inline const QString kForbiddenInputMessage = QStringLiteral(" & , < , >　は入力文字として使用できません。 ");
inline const QString kForbiddenInputTitle = QStringLiteral("英作文入力");

struct CorrectionInput {
    std::int16_t mode = kModeScreen;
    QString exercise;  // "Lesson" + two-digit chapter + "-" + two-digit item
    QString prompt;    // the Japanese prompt, for the quotation pre-check
    QString sentence;  // as typed
    bool quoteCheck = true;
    // The basic-sentence study aid's match call (prc_zintraMatch2).
    bool studyAid = false;
    bool logging = false;  // keep the comment log of this check
};

struct CorrectionResult {
    bool sent = false;             // the sentence went to the engine
    bool empty = false;            // nothing left to send: only the request to type something
    std::int16_t errorCount = -1;  // -1 failed (or not sent), 0 none, else the number of errors
    QuoteCheck quote;
    QString typed;
    QString request;
    QString commentText;  // as the comment box shows it
    QString displayText;  // the marked sentence (or the verdict, or the failure)
    QString corrected;
    std::vector<CorrectionItem> items;
    std::vector<CommentBlock> blocks;
    QList<std::int16_t> commentKinds;  // the comment log of this check

    bool failed() const { return errorCount < 0; }
    bool right() const { return errorCount == 0 && quote.flags == 0; }
};

// What the screen that asked for a correction takes back from a check: failed
// when nothing was sent or the check failed, else the verdict, the error
// count and the comment kinds.
CompositionResult compositionResultOf(const CorrectionResult& result);

// Exercise name of a chapter's item: "Lesson03-05".
QString exerciseName(int chapter, int item);

// The comment text of an analysed sentence; the kinds of the comments given
// are appended to `log` (at most kMaxLoggedKinds) when it is not null.
QString put_CommentText(const std::vector<CorrectionItem>& items, const std::vector<CommentBlock>& blocks,
                        const QuoteCheck& quote, const MessageTable& messages, QList<std::int16_t>* log);

struct ResultTexts {
    QString marked;
    QString corrected;
};
// The marked sentence (errors in brackets with their numbers, idioms in 【】)
// and the corrected sentence.
ResultTexts make_ResultText(const std::vector<CorrectionItem>& items, const QuoteCheck& quote);

// The block that shows the corrected sentence; empty when there is none.
QString make_ModelSentence(const QString& corrected);

class Correction {
public:
    Correction(Session& session, EngineBinding& engine);

    // Action 0: checks one sentence. The result stays until the next check.
    const CorrectionResult& check(const CorrectionInput& input);
    const CorrectionResult& last() const { return last_; }
    // Action 2: the model-sentence block of the last check; empty when it failed.
    QString modelBlock() const;

    // Comment kinds logged over this visit (every check with logging).
    int kindsThisVisit() const { return kindsThisVisit_; }
    const MessageTable& messages() const { return messages_; }

private:
    Session& session_;
    EngineBinding& engine_;
    MessageTable messages_;
    CorrectionResult last_;
    int kindsThisVisit_ = 0;
};

}  // namespace korvel
