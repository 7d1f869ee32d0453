// What one catalogue command works with, shared by the files that implement
// the commands (see catalogue.h for the arguments and replies).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <xercesc/dom/DOM.hpp>

#include "engine/templates/template_document.h"

namespace zintra {

class Analyzer;
class Converter;
class OpenDocuments;
class TemplateStore;

struct CommandContext {
    TemplateStore& store;
    OpenDocuments& documents;
    const Analyzer& analyzer;
    Converter& converter;
    const xercesc::DOMElement* div;
    std::string documentPath;  // full path of the document worked on
    TemplateDocument doc;      // null document for the commands that need none
    std::string reply;         // "<B>" name "</B>" and the lines added so far

    // The trimmed text of the DIV's first child element with this name.
    std::u16string arg(std::u16string_view name) const;
    // The trimmed texts of every such child, in order.
    std::vector<std::u16string> args(std::u16string_view name) const;
    // An ID argument: false when it is missing or does not start with a digit.
    bool idArg(std::u16string_view name, int32_t& id) const;

    // Text in the engine encoding, escaped for the reply.
    std::string out(std::u16string_view text);
    // Appends "<P>" line "</P>\n"; line is already in the engine encoding and escaped.
    void line(std::string_view text);
};

// A command: false when it could not be carried out (the reply is then dropped).
using CommandFunction = bool (*)(CommandContext&);

// The show and list commands.
bool listTemplates(CommandContext& c);
bool showTemplate(CommandContext& c);
bool showSentences(CommandContext& c);
bool showComments(CommandContext& c);
bool showAllComments(CommandContext& c);
bool showCatalog(CommandContext& c);

// The commands that change the open document.
bool addTemplate(CommandContext& c);
bool modifyTemplate(CommandContext& c);
bool modifyTemplateName(CommandContext& c);
bool deleteTemplate(CommandContext& c);
bool modifySentence(CommandContext& c);
bool deleteSentence(CommandContext& c);
bool addCatalog(CommandContext& c);
bool modifyCatalog(CommandContext& c);
bool deleteCatalog(CommandContext& c);
bool moveCatalog(CommandContext& c);
bool copyCatalog(CommandContext& c);
bool addComment(CommandContext& c);
bool modifyComment(CommandContext& c);

// Deepest nesting of an element that may be copied into a document (copying
// walks the element recursively inside the XML library).
inline constexpr int kMaxCopyDepth = 256;

}  // namespace zintra
