#include "engine/templates/template_document.h"

#include <algorithm>
#include <limits>

#include "engine/templates/dom_access.h"

namespace zintra {

using namespace xercesc;

std::u16string_view trimUnits(std::u16string_view text) {
    auto blank = [](char16_t c) { return c >= 1 && c <= 32; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

int32_t leadingNumber16(std::u16string_view text) {
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        value = std::min<int64_t>(value * 10 + (c - u'0'), kMax);
    }
    return static_cast<int32_t>(value);
}

std::u16string numberText(int32_t number) {
    std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

DOMElement* TemplateDocument::root() const { return document_ ? document_->getDocumentElement() : nullptr; }

DOMElement* TemplateDocument::part(std::u16string_view name) {
    DOMElement* top = root();
    if (!top) return nullptr;
    if (const DOMElement* found = firstChildNamed(top, name)) return const_cast<DOMElement*>(found);
    DOMElement* made = makeElement(name);
    top->appendChild(made);
    return made;
}

namespace {

template <class Visit>
void forEachBelow(const DOMNode* top, std::u16string_view name, Visit visit) {
    forEachDescendantNamed(top, name, [&](const DOMElement* e) { visit(const_cast<DOMElement*>(e)); });
}

}  // namespace

std::vector<DOMElement*> TemplateDocument::templates() const {
    std::vector<DOMElement*> out;
    forEachBelow(firstChildNamed(root(), u"Template"), u"template", [&](DOMElement* e) { out.push_back(e); });
    return out;
}

DOMElement* TemplateDocument::findTemplate(std::u16string_view name) const {
    for (DOMElement* t : templates()) {
        if (nameOf(t) == trimUnits(name)) return t;
    }
    return nullptr;
}

std::vector<DOMElement*> TemplateDocument::samples() const {
    std::vector<DOMElement*> out;
    forEachBelow(firstChildNamed(root(), u"SAMP"), u"P", [&](DOMElement* e) { out.push_back(e); });
    return out;
}

DOMElement* TemplateDocument::findSample(int32_t id) const {
    DOMElement* found = nullptr;
    for (DOMElement* p : samples()) {
        if (idOf(p) == id) found = p;
    }
    return found;
}

DOMElement* TemplateDocument::topCategory() const {
    return const_cast<DOMElement*>(firstChildNamed(root(), u"category"));
}

DOMElement* TemplateDocument::findCategory(std::u16string_view path) const {
    DOMElement* category = topCategory();
    path = trimUnits(path);
    if (!category || path.empty()) return category;
    bool first = true;
    while (category) {
        size_t slash = path.find(u'/');
        std::u16string_view step = trimUnits(path.substr(0, slash));
        if (first) {
            if (step != nameOf(category)) return nullptr;
            first = false;
        } else {
            DOMElement* next = nullptr;
            for (DOMNode* n = category->getFirstChild(); n && !next; n = n->getNextSibling()) {
                if (isElementNamed(n, u"category") && nameOf(n) == step) next = static_cast<DOMElement*>(n);
            }
            category = next;
        }
        if (slash == std::u16string_view::npos) return category;
        path.remove_prefix(slash + 1);
    }
    return nullptr;
}

std::u16string TemplateDocument::categoryPath(const DOMElement* category) const {
    std::vector<std::u16string> names;
    const DOMElement* top = topCategory();
    for (const DOMNode* n = category; n; n = n->getParentNode()) {
        if (!isElementNamed(n, u"category")) break;
        names.push_back(nameOf(n));
        if (n == top) break;
    }
    std::u16string path;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (!path.empty()) path += u'/';
        path += *it;
    }
    return path;
}

std::vector<DOMElement*> TemplateDocument::categories(const DOMElement* from) const {
    std::vector<DOMElement*> out;
    if (!from) return out;
    out.push_back(const_cast<DOMElement*>(from));
    forEachBelow(from, u"category", [&](DOMElement* e) { out.push_back(e); });
    return out;
}

std::vector<DOMElement*> TemplateDocument::comments(const DOMElement* category) const {
    std::vector<DOMElement*> out;
    forEachBelow(category, u"comment", [&](DOMElement* e) { out.push_back(e); });
    return out;
}

DOMElement* TemplateDocument::findComment(int32_t id) const {
    DOMElement* found = nullptr;
    for (DOMElement* c : comments(topCategory())) {
        if (idOf(c) == id) found = c;
    }
    return found;
}

int32_t TemplateDocument::largestCommentId() const {
    int32_t largest = 0;
    for (DOMElement* c : comments(topCategory())) largest = std::max(largest, idOf(c));
    return largest;
}

DOMElement* TemplateDocument::makeElement(std::u16string_view name, std::u16string_view text) {
    std::u16string tag(name);
    DOMElement* element = document_->createElement(tag.c_str());
    setText(element, text);
    return element;
}

void TemplateDocument::setText(DOMElement* element, std::u16string_view text) {
    while (DOMNode* child = element->getFirstChild()) element->removeChild(child)->release();
    if (text.empty()) return;
    std::u16string value(text);
    element->appendChild(element->getOwnerDocument()->createTextNode(value.c_str()));
}

void TemplateDocument::setChildText(DOMElement* parent, std::u16string_view name, std::u16string_view text) {
    if (const DOMElement* child = firstChildNamed(parent, name)) {
        setText(const_cast<DOMElement*>(child), text);
    } else {
        parent->appendChild(makeElement(name, text));
    }
}

std::u16string TemplateDocument::textOf(const DOMNode* element) {
    return std::u16string(trimUnits(firstTextOf(element)));
}

std::u16string TemplateDocument::nameOf(const DOMNode* element) {
    const DOMElement* name = firstChildNamed(element, u"name");
    return name ? textOf(name) : std::u16string();
}

int32_t TemplateDocument::idOf(const DOMElement* element) {
    return leadingNumber16(asView(element->getAttribute(u"ID")));
}

}  // namespace zintra
