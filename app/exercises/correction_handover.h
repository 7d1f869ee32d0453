// The hand-over between the composition test and a correction screen opened
// by its screen identifier: the test posts the request and where its result
// goes; the correction screen takes the request when it opens and finishes it
// once with its result. One request waits at a time.
#pragma once

#include "app/lessons/composition_item.h"

#include <functional>
#include <optional>

namespace korvel {

class CorrectionHandover {
public:
    using Done = std::function<void(const CompositionResult&)>;

    // A request posted while another waits finishes the older one as failed.
    static void post(CompositionRequest request, Done done);
    // The waiting request, once; nothing when none waits.
    static std::optional<CompositionRequest> takeRequest();
    // Hands the result to the poster; later calls do nothing.
    static void finish(const CompositionResult& result);
    static bool waiting();
};

}  // namespace korvel
