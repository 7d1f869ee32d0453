// Handles one request text and assembles its reply.
#pragma once

#include <string>

namespace zintra {

class Analyzer;
class Converter;
class Engine;
struct RequestFields;

class RequestHandler {
public:
    RequestHandler(Engine& engine, const Analyzer& analyzer) : engine_(engine), analyzer_(analyzer) {}

    // The reply to one request (the engine is initialised). encoding names the
    // reply's encoding; null or empty keeps the engine's own.
    std::string handle(const char* encoding, const char* request);

private:
    std::string handleXml(const RequestFields& fields);
    std::string answerWithoutCommand(const RequestFields& fields);
    std::string showTextFile(const std::string& path) const;
    std::string answerQuery(const std::string& text) const;

    Engine& engine_;
    const Analyzer& analyzer_;
};

}  // namespace zintra
