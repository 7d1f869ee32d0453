// Finding and changing the parts of a template document opened for editing:
// samples, the comment categories and their comments, the templates. Texts
// are the DOM's UTF-16; names and numbers are compared after trimming bytes
// 1 to 32, as the reader does.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <xercesc/dom/DOM.hpp>

namespace zintra {

class TemplateDocument {
  public:
    explicit TemplateDocument(xercesc::DOMDocument* document) : document_(document) {}

    xercesc::DOMDocument* document() const { return document_; }
    xercesc::DOMElement* root() const;
    // The first child of root with this name (SAMP, category, Template),
    // appended when missing.
    xercesc::DOMElement* part(std::u16string_view name);

    // The template elements below the first Template, in document order.
    std::vector<xercesc::DOMElement*> templates() const;
    xercesc::DOMElement* findTemplate(std::u16string_view name) const;

    // The P elements below the first SAMP, in document order.
    std::vector<xercesc::DOMElement*> samples() const;
    // The last P with this ID (the one a reader keeps).
    xercesc::DOMElement* findSample(int32_t id) const;

    // The first category of root; null when there is none.
    xercesc::DOMElement* topCategory() const;
    // A category by its path: the names from the top category down, joined
    // by "/" (the top category's path is its own name; an empty path is the
    // top). Null when a step is missing.
    xercesc::DOMElement* findCategory(std::u16string_view path) const;
    // The path of a category as findCategory takes it.
    std::u16string categoryPath(const xercesc::DOMElement* category) const;
    // The category elements below and including from, in document order.
    std::vector<xercesc::DOMElement*> categories(const xercesc::DOMElement* from) const;

    // The comment elements below a category (all depths), in document order.
    std::vector<xercesc::DOMElement*> comments(const xercesc::DOMElement* category) const;
    // The last comment with this ID below the top category.
    xercesc::DOMElement* findComment(int32_t id) const;
    int32_t largestCommentId() const;

    // <name>text</name>, not yet placed.
    xercesc::DOMElement* makeElement(std::u16string_view name, std::u16string_view text = {});
    // Replaces the element's children with one text node (none for an empty text).
    static void setText(xercesc::DOMElement* element, std::u16string_view text);
    // Sets the text of the first child element named name, appending it when missing.
    void setChildText(xercesc::DOMElement* parent, std::u16string_view name, std::u16string_view text);

    // The trimmed text of an element's first child when that is a text node.
    static std::u16string textOf(const xercesc::DOMNode* element);
    // The trimmed text of the first child named "name".
    static std::u16string nameOf(const xercesc::DOMNode* element);
    // The element's ID attribute as the reader reads it.
    static int32_t idOf(const xercesc::DOMElement* element);

  private:
    xercesc::DOMDocument* document_;
};

// Trims UTF-16 units 1 to 32 from both ends.
std::u16string_view trimUnits(std::u16string_view text);
// A decimal number from the first unit while it is a digit (0 when none).
int32_t leadingNumber16(std::u16string_view text);
// A number as UTF-16 digits.
std::u16string numberText(int32_t number);

}  // namespace zintra
