// The one way the engine parses XML (templates and requests): a Xerces-C DOM
// parser with automatic validation, no namespaces, no schema, errors noted by
// a handler, and no loading of external entities or DTDs.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/XMLEntityDecl.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/util/SecurityManager.hpp>

namespace zintra {

// Notes the first error or fatal error with its position and stops the parse
// there (the parser would otherwise go on, e.g. past its entity expansion
// limit); ignores warnings.
class XmlErrorNote : public xercesc::ErrorHandler {
  public:
    void warning(const xercesc::SAXParseException&) override {}
    void error(const xercesc::SAXParseException& e) override { stop(e); }
    void fatalError(const xercesc::SAXParseException& e) override { stop(e); }
    void resetErrors() override {}

    bool failed() const { return failed_; }
    // Forgets the noted error, for the next parse with the same handler.
    void clear() {
        failed_ = false;
        message_.clear();
        line_ = column_ = 0;
    }
    const std::string& message() const { return message_; }
    long line() const { return line_; }
    long column() const { return column_; }

  private:
    void stop(const xercesc::SAXParseException& e);
    bool failed_ = false;
    std::string message_;
    long line_ = 0;
    long column_ = 0;
};

// The DOM parser with a budget on entity expansion: the replacement texts of
// all entity references expanded in one document may not exceed
// kEntityTextBudget units, so a few large entities referenced many times
// cannot exhaust memory even below the parser's count of expansions.
class GuardedDomParser : public xercesc::XercesDOMParser {
  public:
    static constexpr XMLSize_t kEntityTextBudget = 1000000;
    struct BudgetExceeded {};

    using xercesc::XercesDOMParser::XercesDOMParser;
    void startEntityReference(const xercesc::XMLEntityDecl& entity) override;
    // The budget is per document: a parser that parses again starts afresh.
    void resetBudget() { expanded_ = 0; }

  private:
    XMLSize_t expanded_ = 0;
};

// A parsed document and everything that must live as long as it.
class XmlDocument {
  public:
    // Parses bytes held in memory; systemId names the buffer in messages.
    static std::unique_ptr<XmlDocument> fromMemory(std::string_view bytes, const char* systemId);
    static std::unique_ptr<XmlDocument> fromFile(const std::string& path);

    // True when the parse neither threw nor noted an error.
    bool ok() const { return ok_; }
    // Why the parse failed, with the line and column when the parser gave them.
    const std::string& error() const { return error_; }
    long errorLine() const { return errorLine_; }
    long errorColumn() const { return errorColumn_; }

    xercesc::DOMDocument* document() const { return parser_ ? parser_->getDocument() : nullptr; }
    // Takes the document away from the parser; the caller releases it.
    xercesc::DOMDocument* adoptDocument() { return parser_ ? parser_->adoptDocument() : nullptr; }

  private:
    XmlDocument();
    template <class MakeSource>
    void parse(MakeSource makeSource);

    std::unique_ptr<xercesc::SecurityManager> security_;
    std::unique_ptr<GuardedDomParser> parser_;
    XmlErrorNote errors_;
    bool ok_ = false;
    std::string error_;
    long errorLine_ = 0;
    long errorColumn_ = 0;
};

// A parser for one document after another, configured as XmlDocument's:
// making and destroying a Xerces parser costs more than parsing a short
// request, so a request parser is kept and used again. The document of a
// parse lives until the next parse or release(); nothing of one parse
// (noted error, entity budget, document) reaches the next.
class ReusableXmlParser {
  public:
    ReusableXmlParser();
    ~ReusableXmlParser();
    ReusableXmlParser(const ReusableXmlParser&) = delete;
    ReusableXmlParser& operator=(const ReusableXmlParser&) = delete;

    // Parses bytes held in memory; true when the parse neither threw nor
    // noted an error. The previous document is released first.
    bool parse(std::string_view bytes, const char* systemId);
    // The document of the last parse (null when released or the parse threw).
    xercesc::DOMDocument* document() const;
    // Frees the last document and everything the parser kept of it.
    void release();

  private:
    std::unique_ptr<xercesc::SecurityManager> security_;
    std::unique_ptr<GuardedDomParser> parser_;
    XmlErrorNote errors_;
};

// UTF-16 text of Xerces as a UTF-8 string (for messages and names).
std::string xmlToUtf8(const XMLCh* text);
// A name or text as Xerces wants it.
std::u16string utf8ToXml(std::string_view text);

}  // namespace zintra
