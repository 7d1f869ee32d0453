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

std::unique_ptr<ReusableXmlParser> RequestParsers::take() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!idle_.empty()) {
            std::unique_ptr<ReusableXmlParser> parser = std::move(idle_.back());
            idle_.pop_back();
            return parser;
        }
    }
    return std::make_unique<ReusableXmlParser>();
}

void RequestParsers::giveBack(std::unique_ptr<ReusableXmlParser> parser) noexcept {
    if (!parser) return;
    try {
        parser->release();
        std::lock_guard<std::mutex> lock(mutex_);
        if (idle_.size() < kMaxIdle) idle_.push_back(std::move(parser));
    } catch (...) {
        // No room to keep it: it is freed here.
    }
}

void RequestParsers::clear() {
    std::vector<std::unique_ptr<ReusableXmlParser>> parsers;
    std::lock_guard<std::mutex> lock(mutex_);
    parsers.swap(idle_);
}

size_t RequestParsers::idleCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return idle_.size();
}

ParsedRequest::~ParsedRequest() {
    if (pool) pool->giveBack(std::move(parser));
}

std::unique_ptr<ParsedRequest> parseXmlRequest(const std::string& text, Converter& converter, RequestParsers* parsers) {
    std::string buffer;
    buffer.reserve(kProlog.size() + text.size() + kClose.size());
    buffer.append(kProlog).append(text).append(kClose);

    auto parsed = std::make_unique<ParsedRequest>();
    parsed->parser = parsers ? parsers->take() : std::make_unique<ReusableXmlParser>();
    parsed->pool = parsers;
    if (!parsed->parser->parse(buffer, "prodInfo")) return nullptr;
    const DOMDocument* doc = parsed->parser->document();
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
