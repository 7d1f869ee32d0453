#include "app/correction/correction_request.h"

namespace korvel {

CorrectionOutcome outcomeOf(const CorrectionResult& result)
{
    CorrectionOutcome outcome;
    outcome.made = result.sent;
    outcome.errorCount = result.errorCount;
    outcome.quoteFlags = result.quote.flags;
    outcome.right = result.sent && result.right();
    outcome.sentence = result.typed;
    outcome.commentKinds = result.commentKinds;
    return outcome;
}

}  // namespace korvel
