#include "engine/request/request.h"

#include "engine/config/config.h"
#include "engine/templates/dom_access.h"
#include "engine/text/converter.h"

namespace zintra {

using namespace xercesc;

namespace {

constexpr std::string_view kProlog = "<?xml version = '1.0'?>\n\n<root>";
constexpr std::string_view kClose = "</root>";

}  // namespace

void removeEscapingBackslashes(std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            char n = text[i + 1];
            if (n == '"' || n == '\'' || n == '\\') {
                out.push_back(n);
                ++i;
                continue;
            }
        }
        out.push_back(c);
    }
    text.swap(out);
}

void preprocessRequest(std::string& text, Converter& converter) {
    converter.percentDecode(text);
    removeEscapingBackslashes(text);
}

bool isXmlRequest(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && isBlankByte(static_cast<unsigned char>(text[i]))) ++i;
    return i == text.size() || text[i] == '<';
}

std::unique_ptr<ParsedRequest> parseXmlRequest(const std::string& text, Converter& converter) {
    std::string buffer;
    buffer.reserve(kProlog.size() + text.size() + kClose.size());
    buffer.append(kProlog).append(text).append(kClose);

    auto parsed = std::make_unique<ParsedRequest>();
    parsed->document = XmlDocument::fromMemory(buffer, "prodInfo");
    if (!parsed->document->ok()) return nullptr;
    const DOMDocument* doc = parsed->document->document();
    const DOMElement* root = doc ? doc->getDocumentElement() : nullptr;
    if (!isElementNamed(root, u"root")) return parsed;

    for (const DOMNode* n = root->getFirstChild(); n; n = n->getNextSibling()) {
        if (n->getNodeType() != DOMNode::ELEMENT_NODE) continue;
        const auto* element = static_cast<const DOMElement*>(n);
        if (isElementNamed(element, u"H1")) {
            parsed->fields.h1 = elementText(element, converter);
        } else if (isElementNamed(element, u"H2")) {
            parsed->fields.h2 = elementText(element, converter);
        } else if (isElementNamed(element, u"P")) {
            parsed->fields.p = elementText(element, converter);
        } else if (isElementNamed(element, u"DIV")) {
            parsed->fields.div = element;
        }
    }
    return parsed;
}

}  // namespace zintra
