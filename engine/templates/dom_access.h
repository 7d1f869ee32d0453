// Small, non-recursive helpers for walking the Xerces DOM of templates and
// requests: child and descendant elements by name, element texts and
// attribute values in the engine encoding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <xercesc/dom/DOM.hpp>

namespace zintra {

class Converter;

// True when node is an element with exactly this name (case-sensitive).
bool isElementNamed(const xercesc::DOMNode* node, std::u16string_view name);

// The first child element of parent with this name; null when there is none.
const xercesc::DOMElement* firstChildNamed(const xercesc::DOMNode* parent, std::u16string_view name);

// The next element after node in document order that lies below top
// (pre-order walk without recursion, so nesting depth costs no stack).
const xercesc::DOMNode* nextInSubtree(const xercesc::DOMNode* node, const xercesc::DOMNode* top);

// Calls visit(const DOMElement*) for every element named name strictly below
// top, in document order.
template <class Visit>
void forEachDescendantNamed(const xercesc::DOMNode* top, std::u16string_view name, Visit visit) {
    if (!top) return;
    for (const xercesc::DOMNode* n = nextInSubtree(top, top); n; n = nextInSubtree(n, top)) {
        if (isElementNamed(n, name)) visit(static_cast<const xercesc::DOMElement*>(n));
    }
}

// How deeply elements nest below top (top alone: 0), counting no further
// than limit + 1.
int subtreeDepth(const xercesc::DOMNode* top, int limit);

// The value of the element's first child when that child is a text node;
// empty otherwise (no child, an element, a comment, a CDATA section).
std::u16string_view firstTextOf(const xercesc::DOMNode* element);

// firstTextOf converted into the engine encoding and trimmed of leading and
// trailing bytes 1 to 32.
std::string elementText(const xercesc::DOMNode* element, Converter& converter);
// The text of the first child element named name; empty when there is none.
std::string childText(const xercesc::DOMNode* parent, std::u16string_view name, Converter& converter);

// An attribute's value in the engine encoding, as written (not trimmed);
// empty when absent.
std::string attributeText(const xercesc::DOMElement* element, std::u16string_view name, Converter& converter);
// True when the element carries the attribute.
bool hasAttribute(const xercesc::DOMElement* element, std::u16string_view name);

// A decimal number read from the first byte while it is a digit; 0 when the
// text does not start with a digit. Saturates instead of overflowing.
int32_t leadingNumber(std::string_view text);

// UTF-16 helpers for names compared inside the DOM.
std::u16string_view asView(const XMLCh* text);

}  // namespace zintra
