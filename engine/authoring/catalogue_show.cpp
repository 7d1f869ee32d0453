// The catalogue commands that list and show parts of a template document.
#include <set>

#include "engine/authoring/catalogue_command.h"
#include "engine/templates/dom_access.h"
#include "engine/templates/open_documents.h"
#include "engine/templates/template_naming.h"
#include "engine/templates/template_reader.h"
#include "engine/templates/template_store.h"
#include "engine/templates/template_writer.h"
#include "engine/templates/xml_parser.h"
#include "engine/text/converter.h"
#include "engine/text/escaping.h"

namespace zintra {

using namespace xercesc;

namespace {

std::string commentLine(CommandContext& c, std::string label, const DOMElement* comment) {
    if (!comment) return label + ": ?";
    return label + ": " + c.out(TemplateDocument::textOf(firstChildNamed(comment, u"econtent"))) + " / " +
           c.out(TemplateDocument::textOf(firstChildNamed(comment, u"jcontent")));
}

// The category a comment belongs to: its nearest category ancestor.
const DOMNode* owningCategory(const DOMNode* comment) {
    const DOMNode* n = comment->getParentNode();
    while (n && !isElementNamed(n, u"category")) n = n->getParentNode();
    return n;
}

}  // namespace

bool listTemplates(CommandContext& c) {
    for (const DOMElement* t : c.doc.templates()) {
        bool main = asView(t->getAttribute(u"sub")) == u"0";
        c.line(std::string(main ? "main " : "sub ") + c.out(TemplateDocument::nameOf(t)));
    }
    return true;
}

bool showTemplate(CommandContext& c) {
    const DOMElement* t = c.doc.findTemplate(c.arg(u"NAME"));
    if (!t) return false;
    c.line(c.out(utf8ToXml(serializeElement(t))));
    return true;
}

bool showSentences(CommandContext& c) {
    for (const DOMElement* p : c.doc.samples()) {
        c.line(std::to_string(TemplateDocument::idOf(p)) + " " + c.out(TemplateDocument::textOf(p)));
    }
    return true;
}

bool showAllComments(CommandContext& c) {
    for (const DOMElement* comment : c.doc.comments(c.doc.topCategory())) {
        c.line(commentLine(c, std::to_string(TemplateDocument::idOf(comment)), comment));
    }
    return true;
}

bool showComments(CommandContext& c) {
    const DOMElement* t = c.doc.findTemplate(c.arg(u"NAME"));
    if (!t) return false;
    // Global comments come from the folder's global file: the copy being
    // edited when it is open, otherwise the file as the store has it.
    std::string globalPath = std::string(folderOf(c.documentPath)) + TemplateStore::kGlobalFileName;
    DOMDocument* openGlobal = c.documents.find(globalPath);
    TemplateStore::FilePtr storedGlobal;
    std::set<std::u16string> shown;
    forEachDescendantNamed(t, u"commentID", [&](const DOMElement* cite) {
        std::u16string citation = TemplateDocument::textOf(cite);
        if (citation.empty() || !shown.insert(citation).second) return;
        int32_t number = 0;
        std::string label = c.out(citation);
        parseCommentCitation(c.converter.fromUtf16(citation), number);
        if (number < kGlobalCommentOffset) {
            c.line(commentLine(c, label, c.doc.findComment(number)));
        } else if (openGlobal) {
            c.line(commentLine(c, label, TemplateDocument(openGlobal).findComment(number - kGlobalCommentOffset)));
        } else {
            if (!storedGlobal) storedGlobal = c.store.globalFile(c.documentPath, c.analyzer);
            const Comment* comment = storedGlobal ? storedGlobal->comment(number - kGlobalCommentOffset) : nullptr;
            // Stored comment texts are already escaped.
            c.line(comment ? label + ": " + comment->english + " / " + comment->japanese : label + ": ?");
        }
    });
    return true;
}

bool showCatalog(CommandContext& c) {
    const DOMElement* from = c.doc.findCategory(c.arg(u"CAT"));
    if (!from) return false;
    for (const DOMElement* category : c.doc.categories(from)) {
        std::string text = c.out(c.doc.categoryPath(category)) + ":";
        for (const DOMElement* comment : c.doc.comments(category)) {
            if (owningCategory(comment) != category) continue;
            text += ' ';
            text += std::to_string(TemplateDocument::idOf(comment));
        }
        c.line(text);
    }
    return true;
}

}  // namespace zintra
