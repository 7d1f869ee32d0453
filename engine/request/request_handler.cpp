#include "engine/request/request_handler.h"

#include <cstdio>
#include <memory>

#include "engine/api/analyzer.h"
#include "engine/api/engine.h"
#include "engine/request/replies.h"
#include "engine/request/request.h"
#include "engine/templates/template_naming.h"
#include "engine/text/converter.h"

namespace zintra {

namespace {

// Reads one line of at most capacity - 1 bytes, as fgets does.
bool readLine(FILE* file, std::string& line, int capacity) {
    std::vector<char> buffer(static_cast<size_t>(capacity));
    if (!std::fgets(buffer.data(), capacity, file)) return false;
    line.assign(buffer.data());
    return true;
}

}  // namespace

std::string RequestHandler::handle(const char* encoding, const char* request) {
    const Config& config = analyzer_.config();
    Converter converter(config.encode);
    std::string text = request ? request : "";
    preprocessRequest(text, converter);

    if (!isXmlRequest(text)) return answerQuery(text);

    std::string reply;
    std::unique_ptr<ParsedRequest> parsed = parseXmlRequest(text, converter);
    if (!parsed) {
        reply = kReplyCantOpen;
    } else {
        reply = handleXml(parsed->fields);
    }

    if (encoding && *encoding) reply = converter.reencode(reply, encoding);
    return reply;
}

std::string RequestHandler::handleXml(const RequestFields& fields) {
    if (fields.div) {
        // Catalogue commands edit template documents; an engine without
        // template editing answers every one as a command that produced nothing.
        return std::string(kReplyCantOpen);
    }
    std::string reply = answerWithoutCommand(fields);
    if (reply.empty()) reply = kReplyCacheCleared;
    return reply;
}

std::string RequestHandler::answerWithoutCommand(const RequestFields& fields) {
    const Config& config = analyzer_.config();
    std::string folder = normaliseTemplatesFolder(config.templatesDir);

    if (!fields.h2.empty()) return showTextFile(fullTemplatePath(folder, fields.h2));

    std::string templatePath =
        !fields.h1.empty() && fields.h1.front() == '*' ? fields.h1 : fullTemplatePath(folder, fields.h1);
    std::string_view base = baseNameOf(templatePath);
    if (base == "0-0-0.xvt" || base == "0-0-1.xvt") {
        if (fields.p.empty()) return {};
        // Without a phrase grammar the sentence has no tree to print.
        return "<div></div><div></div><div></div>\n";
    }
    // Matching and listing need template files, which this engine cannot load:
    // the match does not run and the listing is empty.
    return {};
}

std::string RequestHandler::showTextFile(const std::string& path) const {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "r"), std::fclose);
    if (!file) return "<div><P>Can't open \"" + escaped(path) + "\" file!</P></div>\n";

    std::string reply = "<div><B>";
    std::string line;
    if (readLine(file.get(), line, 1000)) {
        std::string_view first = line;
        while (!first.empty() && isBlankByte(static_cast<unsigned char>(first.front()))) first.remove_prefix(1);
        std::string_view title;
        if (!first.empty() && first.front() == '"') {
            first.remove_prefix(1);
            title = first.substr(0, first.find('"'));
        } else {
            title = first.substr(0, first.find_first_of(" \r\n"));
        }
        appendEscaped(reply, title);
    }
    reply += "</B>";
    while (readLine(file.get(), line, 1000)) {
        reply += "<P>";
        appendEscaped(reply, line);
        reply += "</P>";
    }
    reply += "</div>";
    return reply;
}

std::string RequestHandler::answerQuery(const std::string& /*text*/) const {
    // Without template queries every query is one the engine cannot answer.
    return std::string(kReplyCantUnderstand);
}

}  // namespace zintra
