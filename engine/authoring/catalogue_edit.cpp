// The catalogue commands that change the document being edited: templates,
// samples, categories and comments. Nothing here touches the file on disk.
#include <limits>

#include <xercesc/dom/DOMException.hpp>

#include "engine/authoring/catalogue_command.h"
#include "engine/templates/dom_access.h"

namespace zintra {

using namespace xercesc;

namespace {

bool isDescendantOrSelf(const DOMNode* node, const DOMNode* ancestor) {
    for (; node; node = node->getParentNode()) {
        if (node == ancestor) return true;
    }
    return false;
}

// A copy of an element from another document (or this one) for this
// document; null when it nests too deeply to be copied safely, or when the
// document refuses it (the XML library throws on a name it does not accept,
// such as an attribute name with a character outside the basic plane).
DOMElement* importElement(CommandContext& c, const DOMElement* element) {
    if (subtreeDepth(element, kMaxCopyDepth) > kMaxCopyDepth) return nullptr;
    try {
        return static_cast<DOMElement*>(c.doc.document()->importNode(element, true));
    } catch (const DOMException&) {
        return nullptr;
    }
}

// A category name is one step of a path.
bool validCategoryName(std::u16string_view name) { return !name.empty() && name.find(u'/') == name.npos; }

DOMElement* childCategory(DOMElement* parent, std::u16string_view name) {
    for (DOMNode* n = parent->getFirstChild(); n; n = n->getNextSibling()) {
        if (isElementNamed(n, u"category") && TemplateDocument::nameOf(n) == name) return static_cast<DOMElement*>(n);
    }
    return nullptr;
}

void fillComment(CommandContext& c, DOMElement* comment) {
    std::u16string name = c.arg(u"NAME");
    if (!name.empty()) c.doc.setChildText(comment, u"name", name);
    std::vector<std::u16string> ids = c.args(u"SID");
    if (!ids.empty()) {
        std::vector<DOMNode*> old;
        forEachDescendantNamed(comment, u"sentenceID",
                               [&](const DOMElement* e) { old.push_back(const_cast<DOMElement*>(e)); });
        for (DOMNode* e : old) e->getParentNode()->removeChild(e);
        // Sentence numbers go before the texts, as the file format lists them.
        DOMNode* before = const_cast<DOMElement*>(firstChildNamed(comment, u"econtent"));
        if (!before) before = const_cast<DOMElement*>(firstChildNamed(comment, u"jcontent"));
        for (const std::u16string& id : ids) comment->insertBefore(c.doc.makeElement(u"sentenceID", id), before);
    }
    if (firstChildNamed(c.div, u"EN")) c.doc.setChildText(comment, u"econtent", c.arg(u"EN"));
    if (firstChildNamed(c.div, u"JA")) c.doc.setChildText(comment, u"jcontent", c.arg(u"JA"));
}

}  // namespace

bool addTemplate(CommandContext& c) {
    DOMElement* made = nullptr;
    if (const DOMElement* given = firstChildNamed(c.div, u"template")) {
        made = importElement(c, given);
    } else if (std::u16string name = c.arg(u"NAME"); !name.empty()) {
        // An empty main template of that name.
        made = c.doc.makeElement(u"template");
        made->setAttribute(u"sub", u"0");
        made->appendChild(c.doc.makeElement(u"name", name));
    }
    if (!made) return false;
    std::u16string name = TemplateDocument::nameOf(made);
    if (name.empty() || c.doc.findTemplate(name)) return false;
    c.doc.part(u"Template")->appendChild(made);
    c.line(c.out(name));
    return true;
}

bool modifyTemplate(CommandContext& c) {
    const DOMElement* given = firstChildNamed(c.div, u"template");
    if (!given) return false;
    std::u16string name = c.arg(u"NAME");
    if (name.empty()) name = TemplateDocument::nameOf(given);
    DOMElement* old = c.doc.findTemplate(name);
    DOMElement* made = old ? importElement(c, given) : nullptr;
    if (!made) return false;
    old->getParentNode()->replaceChild(made, old);
    c.line(c.out(name));
    return true;
}

bool modifyTemplateName(CommandContext& c) {
    DOMElement* t = c.doc.findTemplate(c.arg(u"NAME"));
    std::u16string to = c.arg(u"TO");
    if (!t || to.empty() || c.doc.findTemplate(to)) return false;
    c.doc.setChildText(t, u"name", to);
    c.line(c.out(to));
    return true;
}

bool deleteTemplate(CommandContext& c) {
    DOMElement* t = c.doc.findTemplate(c.arg(u"NAME"));
    if (!t) return false;
    // Removed nodes are left to the document, which frees them with itself.
    t->getParentNode()->removeChild(t);
    c.line(c.out(c.arg(u"NAME")));
    return true;
}

bool modifySentence(CommandContext& c) {
    int32_t id = 0;
    if (!c.idArg(u"ID", id)) return false;
    std::u16string text = c.arg(u"TEXT");
    if (DOMElement* p = c.doc.findSample(id)) {
        TemplateDocument::setText(p, text);
    } else {
        DOMElement* made = c.doc.makeElement(u"P", text);
        made->setAttribute(u"ID", numberText(id).c_str());
        c.doc.part(u"SAMP")->appendChild(made);
    }
    c.line(std::to_string(id) + " " + c.out(text));
    return true;
}

bool deleteSentence(CommandContext& c) {
    int32_t id = 0;
    DOMElement* p = c.idArg(u"ID", id) ? c.doc.findSample(id) : nullptr;
    if (!p) return false;
    p->getParentNode()->removeChild(p);
    c.line(std::to_string(id));
    return true;
}

bool addCatalog(CommandContext& c) {
    DOMElement* parent = c.doc.findCategory(c.arg(u"CAT"));
    std::u16string name = c.arg(u"NAME");
    if (!parent || !validCategoryName(name) || childCategory(parent, name)) return false;
    DOMElement* made = c.doc.makeElement(u"category");
    made->appendChild(c.doc.makeElement(u"name", name));
    parent->appendChild(made);
    c.line(c.out(c.doc.categoryPath(made)));
    return true;
}

bool modifyCatalog(CommandContext& c) {
    DOMElement* category = c.doc.findCategory(c.arg(u"CAT"));
    std::u16string to = c.arg(u"TO");
    if (!category || !validCategoryName(to)) return false;
    DOMNode* parent = category->getParentNode();
    if (category != c.doc.topCategory() && childCategory(static_cast<DOMElement*>(parent), to)) return false;
    c.doc.setChildText(category, u"name", to);
    c.line(c.out(c.doc.categoryPath(category)));
    return true;
}

bool deleteCatalog(CommandContext& c) {
    DOMElement* category = c.doc.findCategory(c.arg(u"CAT"));
    // The top category holds every comment of the file; it stays.
    if (!category || category == c.doc.topCategory()) return false;
    std::u16string path = c.doc.categoryPath(category);
    category->getParentNode()->removeChild(category);
    c.line(c.out(path));
    return true;
}

bool moveCatalog(CommandContext& c) {
    DOMElement* category = c.doc.findCategory(c.arg(u"CAT"));
    DOMElement* target = c.doc.findCategory(c.arg(u"TO"));
    if (!category || !target || category == c.doc.topCategory() || isDescendantOrSelf(target, category)) return false;
    if (childCategory(target, TemplateDocument::nameOf(category))) return false;
    target->appendChild(category->getParentNode()->removeChild(category));
    c.line(c.out(c.doc.categoryPath(category)));
    return true;
}

bool copyCatalog(CommandContext& c) {
    DOMElement* category = c.doc.findCategory(c.arg(u"CAT"));
    DOMElement* target = c.doc.findCategory(c.arg(u"TO"));
    if (!category || !target || childCategory(target, TemplateDocument::nameOf(category))) return false;
    DOMElement* copy = importElement(c, category);
    if (!copy) return false;
    // Comment numbers are unique in a file: the copies get new ones.
    int32_t next = c.doc.largestCommentId();
    if (next > std::numeric_limits<int32_t>::max() - static_cast<int32_t>(c.doc.comments(copy).size())) return false;
    for (DOMElement* comment : c.doc.comments(copy)) {
        comment->setAttribute(u"ID", numberText(++next).c_str());
    }
    target->appendChild(copy);
    c.line(c.out(c.doc.categoryPath(copy)));
    return true;
}

bool addComment(CommandContext& c) {
    DOMElement* category = c.doc.findCategory(c.arg(u"CAT"));
    if (!category) return false;
    int32_t id = 0;
    if (firstChildNamed(c.div, u"ID")) {
        if (!c.idArg(u"ID", id) || c.doc.findComment(id)) return false;
    } else {
        id = c.doc.largestCommentId();
        if (id == std::numeric_limits<int32_t>::max()) return false;
        ++id;
    }
    DOMElement* comment = c.doc.makeElement(u"comment");
    comment->setAttribute(u"ID", numberText(id).c_str());
    comment->appendChild(c.doc.makeElement(u"name", c.arg(u"NAME")));
    comment->appendChild(c.doc.makeElement(u"econtent"));
    comment->appendChild(c.doc.makeElement(u"jcontent"));
    fillComment(c, comment);
    category->appendChild(comment);
    c.line(std::to_string(id));
    return true;
}

bool modifyComment(CommandContext& c) {
    int32_t id = 0;
    DOMElement* comment = c.idArg(u"ID", id) ? c.doc.findComment(id) : nullptr;
    if (!comment) return false;
    fillComment(c, comment);
    c.line(std::to_string(id));
    return true;
}

}  // namespace zintra
