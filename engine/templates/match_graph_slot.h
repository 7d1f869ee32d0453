// The member of TemplateFile that holds the file's match graphs: built on
// the first match against the file (one thread builds, the others wait) and
// immutable afterwards, so concurrent requests share them.
#pragma once

#include <memory>
#include <mutex>

namespace zintra {

class MatchGraphs;
class TemplateFile;

class MatchGraphSlot {
  public:
    MatchGraphSlot();
    ~MatchGraphSlot();
    MatchGraphSlot(const MatchGraphSlot&) = delete;
    MatchGraphSlot& operator=(const MatchGraphSlot&) = delete;

    // Throws std::bad_alloc when the graphs cannot be built (a later call tries again).
    const MatchGraphs& get(const TemplateFile& file) const;

  private:
    mutable std::once_flag once_;
    mutable std::unique_ptr<const MatchGraphs> graphs_;
};

}  // namespace zintra
