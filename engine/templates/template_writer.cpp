#include "engine/templates/template_writer.h"

#include <cstdio>
#include <filesystem>
#include <vector>

#include "engine/config/config.h"
#include "engine/templates/dom_access.h"
#include "engine/templates/xml_parser.h"
#include "engine/text/escaping.h"

namespace zintra {

using namespace xercesc;

namespace {

void appendTabs(std::string& out, int depth) { out.append(static_cast<size_t>(depth), '\t'); }

void appendName(std::string& out, const DOMNode* node) { out += xmlToUtf8(node->getNodeName()); }

// Writes the start tag. Returns true when the element has element content to
// write on the following lines (then the end tag is written later); otherwise
// the whole element, end tag included, has been written.
bool openElement(std::string& out, const DOMElement* element, int depth) {
    appendTabs(out, depth);
    out += '<';
    appendName(out, element);
    if (const DOMNamedNodeMap* attributes = element->getAttributes()) {
        for (XMLSize_t i = 0; i < attributes->getLength(); ++i) {
            const DOMNode* attribute = attributes->item(i);
            out += ' ';
            appendName(out, attribute);
            out += "='";
            out += trimBlanks(xmlToUtf8(attribute->getNodeValue()));
            out += '\'';
        }
    }
    out += '>';
    const DOMNode* first = element->getFirstChild();
    bool onlyText = first && !first->getNextSibling() && first->getNodeType() == DOMNode::TEXT_NODE;
    if (!first || onlyText) {
        if (onlyText) appendEscaped(out, trimBlanks(xmlToUtf8(first->getNodeValue())));
        out += "</";
        appendName(out, element);
        out += ">\n";
        return false;
    }
    out += '\n';
    return true;
}

void closeElement(std::string& out, const DOMElement* element, int depth) {
    appendTabs(out, depth);
    out += "</";
    appendName(out, element);
    out += ">\n";
}

const DOMNode* nextElementFrom(const DOMNode* node) {
    while (node && node->getNodeType() != DOMNode::ELEMENT_NODE) node = node->getNextSibling();
    return node;
}

}  // namespace

std::string serializeElement(const DOMElement* element, int depth) {
    std::string out;
    if (!element) return out;
    // An explicit stack instead of recursion: nesting depth is the file's
    // choice and must not be able to exhaust the call stack.
    struct Frame {
        const DOMElement* element;
        int depth;
        const DOMNode* next;  // the next child to look at
    };
    std::vector<Frame> stack;
    if (openElement(out, element, depth)) stack.push_back({element, depth, element->getFirstChild()});
    while (!stack.empty()) {
        Frame& top = stack.back();
        const DOMNode* child = nextElementFrom(top.next);
        if (!child) {
            closeElement(out, top.element, top.depth);
            stack.pop_back();
            continue;
        }
        top.next = child->getNextSibling();
        const auto* childElement = static_cast<const DOMElement*>(child);
        int childDepth = top.depth + 1;
        if (openElement(out, childElement, childDepth)) {
            stack.push_back({childElement, childDepth, childElement->getFirstChild()});
        }
    }
    return out;
}

std::string serializeTemplateDocument(const DOMNode* node) {
    const DOMElement* element = nullptr;
    if (node && node->getNodeType() == DOMNode::DOCUMENT_NODE) {
        element = static_cast<const DOMDocument*>(node)->getDocumentElement();
    } else if (node && node->getNodeType() == DOMNode::ELEMENT_NODE) {
        element = static_cast<const DOMElement*>(node);
    }
    return "<?xml version='1.0'?>\n\n" + serializeElement(element, 0);
}

bool writeTemplateDocument(const DOMNode* node, const std::string& path) {
    if (path.empty()) return false;
    std::string text = serializeTemplateDocument(node);
    std::string temporary = path + ".writing";
    FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) return false;
    bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    written = std::fclose(out) == 0 && written;
    if (!written) {
        std::remove(temporary.c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

}  // namespace zintra
