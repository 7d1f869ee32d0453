// Writes an edited template document back to its file: UTF-8, one element per
// line indented by tabs, attributes in single quotes, texts escaped.
#pragma once

#include <string>

#include <xercesc/dom/DOM.hpp>

namespace zintra {

// The text of a new, empty template file.
inline constexpr const char* kNewTemplateFile =
    "<?xml version = '1.0'?>\n\n<root><Version></Version><Author></Author><S></S><SAMP></SAMP>"
    "<category><name>new</name></category><Template></Template></root>";

// The serialised form of node (a document: its document element; an element:
// that element) with the prolog "<?xml version='1.0'?>\n\n" in front.
std::string serializeTemplateDocument(const xercesc::DOMNode* node);

// The element and its element children as the file holds them, the element
// itself at the given depth, without the prolog.
std::string serializeElement(const xercesc::DOMElement* element, int depth = 0);

// Writes serializeTemplateDocument(node) to path. The file is replaced only
// once the whole text is written (a temporary file beside it is renamed), so
// a failed write never leaves a truncated template. False when it failed.
bool writeTemplateDocument(const xercesc::DOMNode* node, const std::string& path);

}  // namespace zintra
