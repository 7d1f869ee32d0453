#include "engine/request/request_handler.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "engine/authoring/catalogue.h"
#include "engine/language/analyzer.h"
#include "engine/query/template_query.h"
#include "engine/request/replies.h"
#include "engine/request/reply_tree.h"
#include "engine/request/request.h"
#include "engine/templates/dom_access.h"
#include "engine/templates/open_documents.h"
#include "engine/templates/sentence_matcher.h"
#include "engine/templates/template_document.h"
#include "engine/templates/template_naming.h"
#include "engine/templates/template_reader.h"
#include "engine/templates/template_store.h"
#include "engine/text/converter.h"
#include "engine/text/escaping.h"

namespace zintra {

namespace {

// Reads one line of at most capacity - 1 bytes, as fgets does.
bool readLine(FILE* file, std::string& line, int capacity) {
    std::vector<char> buffer(static_cast<size_t>(capacity));
    if (!std::fgets(buffer.data(), capacity, file)) return false;
    line.assign(buffer.data());
    return true;
}

bool isParseName(std::string_view path) {
    std::string_view base = baseNameOf(path);
    return base == "0-0-0.xvt" || base == "0-0-1.xvt";
}

}  // namespace

std::string RequestHandler::handle(const char* encoding, const char* request) {
    const Config& config = analyzer_.config();
    Converter converter(config.encode);
    std::string text = request ? request : "";
    bool query = false;
    try {
        preprocessRequest(text, converter);
        query = !isXmlRequest(text);
        return handleUnguarded(encoding, text, converter);
    } catch (...) {
        // Nothing a request does may end the program that serves it.
        return std::string(query ? kReplyCantUnderstand : kReplyCantOpen);
    }
}

std::string RequestHandler::handleUnguarded(const char* encoding, const std::string& text, Converter& converter) {
    if (!isXmlRequest(text)) return answerQuery(text);

    std::string reply;
    std::unique_ptr<ParsedRequest> parsed = parseXmlRequest(text, converter, parsers_);
    reply = parsed ? handleXml(parsed->fields, converter) : std::string(kReplyCantOpen);

    if (encoding && *encoding) {
        reply = converter.reencode(reply, encoding);
        store_.drop(false);
    }
    return reply;
}

bool RequestHandler::allowed(const std::string& path) const {
    return !confined_ || !resolvedInside(store_.templatesFolder(), path).empty();
}

bool RequestHandler::commandAllowed(const RequestFields& fields, const std::string& templatePath) const {
    if (!confined_) return true;
    if (!fields.h1.empty()) return allowed(templatePath);
    // Commands on the folder edit its global file; the two that name open
    // documents name them by the DIV's leading text (and TO).
    if (!allowed(store_.templatesFolder() + TemplateStore::kGlobalFileName)) return false;
    std::u16string command = TemplateDocument::textOf(firstChildNamed(fields.div, u"B"));
    if (command != u"DeleteVTAT" && command != u"RenameVTAT") return true;
    Converter converter(analyzer_.config().encode);
    if (!allowed(store_.fullPath(elementText(fields.div, converter)))) return false;
    if (command == u"RenameVTAT") {
        return allowed(
            store_.fullPath(converter.fromUtf16(TemplateDocument::textOf(firstChildNamed(fields.div, u"TO")))));
    }
    return true;
}

std::string RequestHandler::handleXml(const RequestFields& fields, Converter& converter) {
    if (fields.div) {
        std::string reply;
        // A "*" name is a filler text, never a file a command could edit.
        bool fileName = fields.h1.empty() || fields.h1.front() != '*';
        std::string path = fields.h1.empty() || !fileName ? std::string() : store_.fullPath(fields.h1);
        if (fileName && commandAllowed(fields, path)) {
            if (fields.h1.empty()) {
                reply = CatalogueCommands(store_, documents_, analyzer_, converter).onFolder(fields.div);
            } else if (fields.h2.empty()) {
                reply = CatalogueCommands(store_, documents_, analyzer_, converter).onFile(fields.div, path);
            }
        }
        return reply.empty() ? std::string(kReplyCantOpen) : reply;
    }
    std::string reply = answerWithoutCommand(fields);
    if (reply.empty()) {
        store_.drop(true);
        reply = kReplyCacheCleared;
    }
    return reply;
}

std::string RequestHandler::answerWithoutCommand(const RequestFields& fields) {
    TemplateStore& store = store_;
    if (!fields.h2.empty()) {
        std::string path = store.fullPath(fields.h2);
        if (!allowed(path)) return std::string(kReplyCantOpen);
        return showTextFile(path);
    }

    bool adHoc = !fields.h1.empty() && fields.h1.front() == '*';
    std::string templatePath = adHoc ? fields.h1 : store.fullPath(fields.h1);
    if (isParseName(templatePath)) {
        if (fields.p.empty()) return {};
        std::string reply = "<div></div><div></div><div></div>\n";
        appendRequestTree(reply, analyzer_, phrase_, fields.p, baseNameOf(templatePath) == "0-0-0.xvt");
        return reply;
    }
    if (adHoc) return answerAdHocFiller(std::string_view(templatePath).substr(1), fields.p);
    if (confined_ && !fields.h1.empty()) {
        std::string folder(folderOf(templatePath));
        if (!allowed(templatePath) || !allowed(folder + TemplateStore::kGlobalFileName) ||
            !allowed(folder + TemplateStore::kBaseFileName)) {
            return std::string(kReplyCantOpen);
        }
    }
    if (!fields.p.empty()) return answerMatch(templatePath, fields.p);
    return listSamples(templatePath);
}

std::string RequestHandler::answerAdHocFiller(std::string_view fillerText, const std::string& sentence) {
    if (sentence.empty()) return {};
    // One filler as a template of its own, serving as template and global file.
    std::shared_ptr<const TemplateFile> file = buildSingleFillerFile(fillerText, analyzer_);
    SentenceMatcher matcher(analyzer_);
    if (matcher.match(sentence, file.get(), file.get()) != 0) return {};
    std::string reply = matcher.report();
    reply += "<div><P></P><P>";
    appendEscaped(reply, fillerText);
    reply += "</P></div>\n<div></div>\n";
    return reply;
}

std::string RequestHandler::answerMatch(const std::string& templatePath, const std::string& sentence) {
    TemplateStore& store = store_;
    TemplateStore::FilePtr global = store.globalFile(templatePath, analyzer_);
    TemplateStore::FilePtr base = store.baseFile(templatePath, analyzer_);
    TemplateStore::FilePtr file = store.get(templatePath, base, analyzer_);
    if (!global || !file) return {};
    SentenceMatcher matcher(analyzer_);
    if (matcher.match(sentence, file.get(), global.get()) != 0) return {};
    std::string reply = matcher.report();
    reply += "<div><P>";
    appendEscaped(reply, templatePath);
    reply += "</P><P>";
    if (const Template* chosen = matcher.chosenTemplate()) appendEscaped(reply, chosen->name);
    reply += "</P></div>\n";
    appendMatchTree(reply, analyzer_, phrase_, matcher, sentence);
    return reply;
}

std::string RequestHandler::listSamples(const std::string& templatePath) {
    TemplateStore& store = store_;
    TemplateStore::FilePtr base = store.baseFile(templatePath, analyzer_);
    TemplateStore::FilePtr file = store.get(templatePath, base, analyzer_);
    if (!file) return {};
    std::string reply = "<DIV>";
    for (const auto& t : file->mainTemplates) {
        reply += "<P>";
        // The stored sample is escaped for markup already; the listing shows
        // it as text, so it is escaped once more.
        if (t->hasSample) appendEscaped(reply, t->sample);
        reply += "</P>\n";
    }
    reply += "</DIV>\n";
    return reply;
}

std::string RequestHandler::showTextFile(const std::string& path) const {
    // Regular files only: a device, a pipe or a folder would block or never
    // end. Opened without blocking so that a pipe with no writer cannot hold
    // the request at the open itself.
    std::unique_ptr<FILE, int (*)(FILE*)> file(nullptr, std::fclose);
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        file.reset(fdopen(fd, "r"));
    }
    if (!file) {
        if (fd >= 0) ::close(fd);
        return "<div><P>Can't open \"" + escaped(path) + "\" file!</P></div>\n";
    }

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
    // Reading stops once the reply fills what a caller can be given.
    while (reply.size() < kReplyLimit && readLine(file.get(), line, 1000)) {
        reply += "<P>";
        appendEscaped(reply, line);
        reply += "</P>";
    }
    reply += "</div>";
    return reply;
}

std::string RequestHandler::answerQuery(const std::string& text) const {
    std::string answer = answerTemplateQuery(text, store_, analyzer_);
    return answer.empty() ? std::string(kReplyCantUnderstand) : answer;
}

}  // namespace zintra
