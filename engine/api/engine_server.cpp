#include "engine/api/engine_server.h"

#include <memory>
#include <mutex>

#include "engine/api/engine.h"

namespace zintra {

SocketServer::Handlers engineServerHandlers(Engine& engine) {
    SocketServer::Handlers handlers;
    handlers.answer = [&engine](const std::string& request) {
        return engine.handleRequest(nullptr, request.c_str(), Engine::PathScope::TemplatesFolder);
    };
    handlers.whenIdle = [&engine] { engine.templateStore().carryOutPendingDrop(); };
    return handlers;
}

bool startEngineServer(Engine& engine) {
    static std::mutex startMutex;
    static std::unique_ptr<SocketServer> running;
    std::lock_guard<std::mutex> lock(startMutex);
    if (running) return true;
    auto server = std::make_unique<SocketServer>(engineServerHandlers(engine));
    if (!server->listen(SocketServer::kDefaultPort)) return false;
    running = std::move(server);
    return true;
}

}  // namespace zintra
