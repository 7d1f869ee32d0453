#include "engine/templates/open_documents.h"

#include <filesystem>

#include "engine/templates/dom_access.h"
#include "engine/templates/template_writer.h"
#include "engine/templates/xml_parser.h"

namespace zintra {

OpenDocuments::OpenDocuments() = default;
OpenDocuments::~OpenDocuments() = default;

xercesc::DOMDocument* OpenDocuments::find(const std::string& path) const {
    auto it = documents_.find(path);
    return it == documents_.end() ? nullptr : it->second->document();
}

xercesc::DOMDocument* OpenDocuments::open(const std::string& path) {
    if (path.empty()) return nullptr;
    if (xercesc::DOMDocument* open = find(path)) return open;
    std::error_code ec;
    std::unique_ptr<XmlDocument> doc = std::filesystem::exists(path, ec)
                                           ? XmlDocument::fromFile(path)
                                           : XmlDocument::fromMemory(kNewTemplateFile, "new");
    if (!doc->ok() || !doc->document() || !isElementNamed(doc->document()->getDocumentElement(), u"root")) {
        return nullptr;
    }
    xercesc::DOMDocument* document = doc->document();
    documents_[path] = std::move(doc);
    return document;
}

bool OpenDocuments::close(const std::string& path) { return documents_.erase(path) > 0; }

size_t OpenDocuments::closeAll() {
    size_t count = documents_.size();
    documents_.clear();
    return count;
}

bool OpenDocuments::rename(const std::string& from, const std::string& to) {
    auto it = documents_.find(from);
    if (it == documents_.end() || to.empty() || documents_.count(to)) return false;
    std::unique_ptr<XmlDocument> doc = std::move(it->second);
    documents_.erase(it);
    documents_[to] = std::move(doc);
    return true;
}

}  // namespace zintra
