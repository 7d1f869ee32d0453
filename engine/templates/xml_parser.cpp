#include "engine/templates/xml_parser.h"

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/framework/LocalFileInputSource.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLString.hpp>

#include <unicode/unistr.h>

namespace zintra {

using namespace xercesc;

namespace {
// Bounds entity expansion so that a hostile document cannot blow up.
constexpr XMLSize_t kEntityExpansionLimit = 10000;
}  // namespace

std::string xmlToUtf8(const XMLCh* text) {
    if (!text) return {};
    std::string out;
    icu::UnicodeString(text).toUTF8String(out);
    return out;
}

std::u16string utf8ToXml(std::string_view text) {
    icu::UnicodeString s =
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    return std::u16string(s.getBuffer(), static_cast<size_t>(s.length()));
}

void XmlErrorNote::stop(const SAXParseException& e) {
    if (!failed_) {
        failed_ = true;
        message_ = xmlToUtf8(e.getMessage());
        line_ = static_cast<long>(e.getLineNumber());
        column_ = static_cast<long>(e.getColumnNumber());
    }
    throw e;
}

void GuardedDomParser::startEntityReference(const XMLEntityDecl& entity) {
    expanded_ += entity.getValueLen();
    if (expanded_ > kEntityTextBudget) throw BudgetExceeded{};
    XercesDOMParser::startEntityReference(entity);
}

namespace {

// The settings of every parse.
void configure(GuardedDomParser& parser, SecurityManager& security, ErrorHandler& errors) {
    security.setEntityExpansionLimit(kEntityExpansionLimit);
    parser.setValidationScheme(XercesDOMParser::Val_Auto);
    parser.setDoNamespaces(false);
    parser.setDoSchema(false);
    parser.setValidationSchemaFullChecking(false);
    parser.setLoadExternalDTD(false);
    parser.setSkipDTDValidation(true);
    parser.setDisableDefaultEntityResolution(true);
    // An expanded entity becomes part of the surrounding text, so an element's
    // text is whole even when it uses entities.
    parser.setCreateEntityReferenceNodes(false);
    parser.setSecurityManager(&security);
    parser.setErrorHandler(&errors);
}

}  // namespace

XmlDocument::XmlDocument()
    : security_(std::make_unique<SecurityManager>()), parser_(std::make_unique<GuardedDomParser>()) {
    configure(*parser_, *security_, errors_);
}

template <class MakeSource>
void XmlDocument::parse(MakeSource makeSource) {
    try {
        auto source = makeSource();
        parser_->parse(*source);
        ok_ = !errors_.failed();
        if (!ok_) {
            error_ = errors_.message();
            errorLine_ = errors_.line();
            errorColumn_ = errors_.column();
        }
    } catch (const XMLException& e) {
        error_ = xmlToUtf8(e.getMessage());
    } catch (const DOMException& e) {
        error_ = xmlToUtf8(e.getMessage());
    } catch (const SAXParseException& e) {
        error_ = xmlToUtf8(e.getMessage());
        errorLine_ = static_cast<long>(e.getLineNumber());
        errorColumn_ = static_cast<long>(e.getColumnNumber());
    } catch (const GuardedDomParser::BudgetExceeded&) {
        error_ = "entity references expand to too much text";
    } catch (...) {
        error_ = "the XML parser failed";
    }
}

std::unique_ptr<XmlDocument> XmlDocument::fromMemory(std::string_view bytes, const char* systemId) {
    std::unique_ptr<XmlDocument> doc(new XmlDocument());
    doc->parse([&] {
        return std::make_unique<MemBufInputSource>(reinterpret_cast<const XMLByte*>(bytes.data()), bytes.size(),
                                                   systemId, false);
    });
    return doc;
}

std::unique_ptr<XmlDocument> XmlDocument::fromFile(const std::string& path) {
    std::unique_ptr<XmlDocument> doc(new XmlDocument());
    std::u16string name = utf8ToXml(path);
    doc->parse([&] { return std::make_unique<LocalFileInputSource>(name.c_str()); });
    return doc;
}

ReusableXmlParser::ReusableXmlParser()
    : security_(std::make_unique<SecurityManager>()), parser_(std::make_unique<GuardedDomParser>()) {
    configure(*parser_, *security_, errors_);
}

ReusableXmlParser::~ReusableXmlParser() = default;

bool ReusableXmlParser::parse(std::string_view bytes, const char* systemId) {
    release();
    errors_.clear();
    parser_->resetBudget();
    try {
        MemBufInputSource source(reinterpret_cast<const XMLByte*>(bytes.data()), bytes.size(), systemId, false);
        parser_->parse(source);
        return !errors_.failed();
    } catch (...) {
        // The same failures as XmlDocument's; a request needs no message.
        return false;
    }
}

xercesc::DOMDocument* ReusableXmlParser::document() const { return parser_->getDocument(); }

void ReusableXmlParser::release() { parser_->resetDocumentPool(); }

}  // namespace zintra
