// Handles one request text and assembles its reply.
#pragma once

#include <string>

namespace zintra {

class Analyzer;
class Converter;
class OpenDocuments;
class PhraseGrammar;
class RequestParsers;
class TemplateStore;
struct RequestFields;

class RequestHandler {
  public:
    // store is the template cache read with analyzer; documents are the files
    // open for editing; phrase is the phrase grammar the replies' trees are
    // drawn with (null: their tree divisions stay empty).
    RequestHandler(TemplateStore& store, OpenDocuments& documents, const Analyzer& analyzer,
                   const PhraseGrammar* phrase = nullptr)
        : store_(store), documents_(documents), analyzer_(analyzer), phrase_(phrase) {}

    // The reply to one request (the engine is initialised). encoding names the
    // reply's encoding; null or empty keeps the engine's own, and only a named
    // encoding lets the template cache be dropped afterwards (CACHE 0).
    // Whatever fails inside is answered with the fixed reply for a failure
    // (the can't-open reply; "Can't understand!" for a query).
    std::string handle(const char* encoding, const char* request);

    // Confined, every template, companion and text file the request names
    // must resolve (links included) to a path inside the templates folder;
    // a request naming any other is answered with the can't-open reply.
    void confineToTemplatesFolder(bool confined) { confined_ = confined; }
    // Parses XML requests with parsers of this pool (none: a new parser each).
    void useParsers(RequestParsers* parsers) { parsers_ = parsers; }

  private:
    std::string handleUnguarded(const char* encoding, const std::string& text, Converter& converter);
    // True when the request may use path (always, unless confined).
    bool allowed(const std::string& path) const;
    // True when every file a catalogue command would open or write is allowed.
    bool commandAllowed(const RequestFields& fields, const std::string& templatePath) const;
    std::string handleXml(const RequestFields& fields, Converter& converter);
    // The reply of a request without a catalogue command; empty when its work
    // produced nothing.
    std::string answerWithoutCommand(const RequestFields& fields);
    std::string answerAdHocFiller(std::string_view fillerText, const std::string& sentence);
    std::string answerMatch(const std::string& templatePath, const std::string& sentence);
    std::string listSamples(const std::string& templatePath);
    std::string showTextFile(const std::string& path) const;
    std::string answerQuery(const std::string& text) const;

    TemplateStore& store_;
    OpenDocuments& documents_;
    const Analyzer& analyzer_;
    const PhraseGrammar* phrase_;
    bool confined_ = false;
    RequestParsers* parsers_ = nullptr;
};

}  // namespace zintra
