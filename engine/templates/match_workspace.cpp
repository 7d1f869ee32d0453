#include "engine/templates/match_workspace.h"

namespace zintra {

namespace {

// Workspaces returned on this thread, ready for the next lease. A lease
// normally lives for one request, so the pool holds one or two.
thread_local std::vector<std::unique_ptr<MatchWorkspace>> idle;

}  // namespace

WorkspaceLease::WorkspaceLease() {
    if (idle.empty()) {
        workspace_ = std::make_unique<MatchWorkspace>();
    } else {
        workspace_ = std::move(idle.back());
        idle.pop_back();
    }
}

WorkspaceLease::~WorkspaceLease() {
    try {
        idle.push_back(std::move(workspace_));
    } catch (...) {
        // No room to keep it: it is freed with the lease.
    }
}

}  // namespace zintra
