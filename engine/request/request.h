// One request's text taken apart: the preprocessing of the raw text and the
// fields of an XML request.
#pragma once

#include <memory>
#include <string>

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

// A parsed XML request. The document stays alive with it, so div stays valid.
struct ParsedRequest {
    std::unique_ptr<XmlDocument> document;
    RequestFields fields;
};

// Wraps the text in the prolog and a root element and parses it. Null when the
// text is not well-formed. Field texts are converted into the engine encoding.
std::unique_ptr<ParsedRequest> parseXmlRequest(const std::string& text, Converter& converter);

}  // namespace zintra
