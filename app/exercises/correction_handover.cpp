#include "app/exercises/correction_handover.h"

#include <utility>

namespace korvel {

namespace {

struct Slot {
    std::optional<CompositionRequest> request;
    CorrectionHandover::Done done;
};

Slot& slot()
{
    static Slot theSlot;
    return theSlot;
}

}  // namespace

void CorrectionHandover::post(CompositionRequest request, Done done)
{
    if (slot().done) {
        finish(CompositionResult::failed());
    }
    slot().request = std::move(request);
    slot().done = std::move(done);
}

std::optional<CompositionRequest> CorrectionHandover::takeRequest()
{
    return std::exchange(slot().request, std::nullopt);
}

void CorrectionHandover::finish(const CompositionResult& result)
{
    Done done = std::exchange(slot().done, nullptr);
    slot().request.reset();
    if (done) {
        done(result);
    }
}

bool CorrectionHandover::waiting()
{
    return static_cast<bool>(slot().done);
}

}  // namespace korvel
