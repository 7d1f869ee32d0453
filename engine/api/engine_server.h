// The template service of the engine: the socket server answering with the
// process's engine.
#pragma once

#include "engine/service/socket_server.h"

namespace zintra {

class Engine;

// Requests go to the engine; a pending drop of the template cache is carried
// out when a connection arrives while no request is being answered.
SocketServer::Handlers engineServerHandlers(Engine& engine);

// Starts the process's one server on the default port; it runs until the
// process ends. False when its socket cannot be set up.
bool startEngineServer(Engine& engine);

}  // namespace zintra
