#include "engine/templates/dom_access.h"

#include <algorithm>
#include <limits>

#include "engine/config/config.h"
#include "engine/text/converter.h"

namespace zintra {

using namespace xercesc;

std::u16string_view asView(const XMLCh* text) { return text ? std::u16string_view(text) : std::u16string_view(); }

bool isElementNamed(const DOMNode* node, std::u16string_view name) {
    return node && node->getNodeType() == DOMNode::ELEMENT_NODE && asView(node->getNodeName()) == name;
}

const DOMElement* firstChildNamed(const DOMNode* parent, std::u16string_view name) {
    if (!parent) return nullptr;
    for (const DOMNode* n = parent->getFirstChild(); n; n = n->getNextSibling()) {
        if (isElementNamed(n, name)) return static_cast<const DOMElement*>(n);
    }
    return nullptr;
}

const DOMNode* nextInSubtree(const DOMNode* node, const DOMNode* top) {
    if (const DOMNode* child = node->getFirstChild()) return child;
    while (node && node != top) {
        if (const DOMNode* sibling = node->getNextSibling()) return sibling;
        node = node->getParentNode();
    }
    return nullptr;
}

int subtreeDepth(const DOMNode* top, int limit) {
    if (!top) return 0;
    int deepest = 0;
    int depth = 0;
    const DOMNode* node = top;
    while (true) {
        if (const DOMNode* child = node->getFirstChild(); child && depth <= limit) {
            node = child;
            deepest = std::max(deepest, ++depth);
            continue;
        }
        while (node != top && !node->getNextSibling()) {
            node = node->getParentNode();
            --depth;
        }
        if (node == top) return deepest;
        node = node->getNextSibling();
    }
}

std::u16string_view firstTextOf(const DOMNode* element) {
    const DOMNode* child = element ? element->getFirstChild() : nullptr;
    if (!child || child->getNodeType() != DOMNode::TEXT_NODE) return {};
    return asView(child->getNodeValue());
}

std::string elementText(const DOMNode* element, Converter& converter) {
    std::u16string_view text = firstTextOf(element);
    if (text.empty()) return {};
    std::string converted = converter.fromUtf16(text);
    return std::string(trimBlanks(converted));
}

std::string childText(const DOMNode* parent, std::u16string_view name, Converter& converter) {
    const DOMElement* child = firstChildNamed(parent, name);
    return child ? elementText(child, converter) : std::string();
}

bool hasAttribute(const DOMElement* element, std::u16string_view name) {
    std::u16string key(name);
    return element && element->getAttributeNode(key.c_str()) != nullptr;
}

std::string attributeText(const DOMElement* element, std::u16string_view name, Converter& converter) {
    if (!element) return {};
    std::u16string key(name);
    std::u16string_view value = asView(element->getAttribute(key.c_str()));
    return value.empty() ? std::string() : converter.fromUtf16(value);
}

int32_t leadingNumber(std::string_view text) {
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > kMax) value = kMax;
    }
    return static_cast<int32_t>(value);
}

}  // namespace zintra
