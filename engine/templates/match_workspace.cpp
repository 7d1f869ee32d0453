#include "engine/templates/match_workspace.h"

namespace zintra {

namespace {

// Workspaces returned on this thread, ready for the next lease. A lease
// normally lives for one request, so the pool holds one or two. A lease that
// ends after the thread's pool is gone (a matcher destroyed during program
// exit) frees its workspace instead.
struct IdlePool {
    std::vector<std::unique_ptr<MatchWorkspace>> workspaces;
    bool alive = true;
    ~IdlePool() { alive = false; }
};

thread_local IdlePool idle;

}  // namespace

WorkspaceLease::WorkspaceLease() {
    if (!idle.alive || idle.workspaces.empty()) {
        workspace_ = std::make_unique<MatchWorkspace>();
    } else {
        workspace_ = std::move(idle.workspaces.back());
        idle.workspaces.pop_back();
    }
}

WorkspaceLease::~WorkspaceLease() {
    if (!idle.alive) return;
    try {
        idle.workspaces.push_back(std::move(workspace_));
    } catch (...) {
        // No room to keep it: it is freed with the lease.
    }
}

}  // namespace zintra
