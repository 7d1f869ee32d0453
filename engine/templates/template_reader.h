// Reads template files (".xvt") into TemplateFile: samples, comments, main and
// sub templates with their nodes, successors and fillers.
#pragma once

#include <memory>
#include <string>

#include <xercesc/dom/DOM.hpp>

#include "engine/templates/template_file.h"

namespace zintra {

class Analyzer;

// How deeply template, node and Group elements may nest inside one another
// (other elements between them do not count); a file with deeper nesting is
// refused as not well-formed.
inline constexpr int kMaxTemplateNesting = 64;

// The deepest such nesting below top, counting no further than limit + 1.
int nestedParts(const xercesc::DOMNode* top, int limit);

// Why a read failed, for the template author's tools (the engine itself only
// needs to know that it failed).
struct TemplateReadError {
    enum class Reason { None, NotFound, NotWellFormed, NoRoot };
    Reason reason = Reason::None;
    std::string message;  // the parser's message when not well-formed
    long line = 0;        // position of a well-formedness error, 0 when unknown
    long column = 0;
};

// "PATH: not found at /abs/PATH", "PATH: not well-formed XML at line L,
// column C: MESSAGE", ... for a read that failed with error.
std::string describeTemplateReadError(const std::string& path, const TemplateReadError& error);

// Reads the file at path. base is the folder's base template file, searched by
// Phrase fillers that begin with "//" (null: the file's own templates are
// searched). Null when the file cannot be opened, is not well-formed XML or
// has no element named root as its document element; error says which.
std::shared_ptr<TemplateFile> readTemplateFile(const std::string& path, std::shared_ptr<const TemplateFile> base,
                                               const Analyzer& analyzer, TemplateReadError* error = nullptr);

// Fills a TemplateFile from the root element of an already parsed document.
// Texts are converted into the analyser's encoding.
std::unique_ptr<TemplateFile> buildTemplateFile(const xercesc::DOMElement* root,
                                                std::shared_ptr<const TemplateFile> base, const Analyzer& analyzer);

// A file of one main template with one node whose one filler (kind correct)
// has the given text: the ad-hoc template of a request that names its filler
// directly. Used as both the template file and the global file.
std::shared_ptr<TemplateFile> buildSingleFillerFile(std::string_view fillerText, const Analyzer& analyzer);

// A template of file by name (byte comparison): sub templates first, then main
// templates; never skip itself. Null when there is none.
const Template* findTemplateByName(const TemplateFile& file, std::string_view name, const Template* skip);

// A comment citation as written in a commentID ("G12", "C3"): a kind letter and
// a number; "G" cites the global file and adds 10,000. False for an empty text.
bool parseCommentCitation(std::string_view text, int32_t& number);

// The kind named by a Group's type attribute; anything unknown is Correct.
FillerKind fillerKindFromType(std::string_view type);

}  // namespace zintra
