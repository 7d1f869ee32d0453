// One request's text taken apart: the preprocessing of the raw text and the
// fields of an XML request.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/templates/xml_parser.h"

namespace zintra {

class Converter;

// The fields of an XML request. For H1, H2 and P the last occurrence counts;
// a field the request does not give is empty.
struct RequestFields {
    std::string h1;                            // template name
    std::string h2;                            // name of a text file to display
    std::string p;                             // the learner's sentence
    const xercesc::DOMElement* div = nullptr;  // catalogue command, the last DIV
};

// Prepares the request text in place: percent-decoding (with the engine's
// converter) and removal of each backslash that stands before a double
// quote, an apostrophe or a backslash.
void preprocessRequest(std::string& text, Converter& converter);
void removeEscapingBackslashes(std::string& text);

// True when the text, after leading bytes 1 to 32, is empty or starts with "<".
bool isXmlRequest(const std::string& text);

// Request parsers kept for reuse by the requests of one engine: a request
// takes an idle one (or a new one when none is idle) and gives it back with
// its document released, so concurrent requests never share a parser. Must be
// emptied while the XML library runs.
class RequestParsers {
  public:
    static constexpr size_t kMaxIdle = 16;  // more idle parsers are freed

    std::unique_ptr<ReusableXmlParser> take();
    void giveBack(std::unique_ptr<ReusableXmlParser> parser) noexcept;
    void clear();
    size_t idleCount() const;

  private:
    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<ReusableXmlParser>> idle_;
};

// A parsed XML request. The document stays alive with it, so div stays valid;
// its parser goes back to its pool with it.
struct ParsedRequest {
    ParsedRequest() = default;
    ~ParsedRequest();
    ParsedRequest(const ParsedRequest&) = delete;
    ParsedRequest& operator=(const ParsedRequest&) = delete;

    RequestParsers* pool = nullptr;
    std::unique_ptr<ReusableXmlParser> parser;
    RequestFields fields;
};

// Wraps the text in the prolog and a root element and parses it, with a
// parser of the pool when one is given. Null when the text is not
// well-formed. Field texts are converted into the engine encoding.
std::unique_ptr<ParsedRequest> parseXmlRequest(const std::string& text, Converter& converter,
                                               RequestParsers* parsers = nullptr);

}  // namespace zintra
