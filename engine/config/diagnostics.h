// Explanations for the person who runs the engine: which file could not be
// loaded and why, a configuration line that does nothing, a sentence that was
// cut. They never change a reply. Each engine instance owns one Diagnostics;
// the host decides where its lines go by giving it a sink, and without a sink
// nothing is written anywhere.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace zintra {

class Diagnostics {
  public:
    // Receives one explanation at a time, without a line end.
    using Sink = std::function<void(std::string_view message)>;

    Diagnostics() = default;
    explicit Diagnostics(Sink sink) { setSink(std::move(sink)); }
    Diagnostics(const Diagnostics&) = delete;
    Diagnostics& operator=(const Diagnostics&) = delete;

    // Replaces the sink; an empty sink silences the explanations.
    void setSink(Sink sink) {
        std::lock_guard<std::mutex> lock(mutex_);
        sink_ = std::move(sink);
        active_.store(static_cast<bool>(sink_), std::memory_order_release);
    }

    // Whether anyone listens: callers skip building a message when not.
    bool active() const { return active_.load(std::memory_order_acquire); }

    // Hands one message to the sink. Requests run on several threads at once;
    // the sink is called by one of them at a time, so lines never interleave.
    void report(std::string_view message) const {
        if (!active()) return;
        std::lock_guard<std::mutex> lock(mutex_);
        if (sink_) sink_(message);
    }

  private:
    mutable std::mutex mutex_;
    Sink sink_;
    std::atomic<bool> active_{false};
};

// A sink that keeps the messages, for hosts that show them later and for tests.
class DiagnosticsCollector {
  public:
    Diagnostics::Sink sink() {
        return [this](std::string_view message) {
            std::lock_guard<std::mutex> lock(mutex_);
            messages_.emplace_back(message);
        };
    }
    std::vector<std::string> messages() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return messages_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> messages_;
};

}  // namespace zintra
