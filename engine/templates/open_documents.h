// Template files opened for editing by the catalogue commands: parsed
// documents keyed by full path. A file that does not exist yet is opened as a
// new document made from the new-file skeleton; only an explicit write puts
// a document on disk.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include <xercesc/dom/DOM.hpp>

namespace zintra {

class XmlDocument;

class OpenDocuments {
  public:
    OpenDocuments();
    ~OpenDocuments();
    OpenDocuments(const OpenDocuments&) = delete;
    OpenDocuments& operator=(const OpenDocuments&) = delete;

    // Every use of a document happens under this lock (the DOM is not safe
    // for concurrent changes); the functions below expect it to be held.
    std::unique_lock<std::mutex> lock() { return std::unique_lock<std::mutex>(mutex_); }

    // The open document for path, opening it first when needed. Null when
    // the file exists but is not a well-formed template file (its document
    // element is not root), or path is empty.
    xercesc::DOMDocument* open(const std::string& path);
    // The document when it is open; null otherwise.
    xercesc::DOMDocument* find(const std::string& path) const;

    bool close(const std::string& path);
    // Closes every document; returns how many were open.
    size_t closeAll();
    // Moves the document open under from to the key to. False when from is
    // not open or to already is.
    bool rename(const std::string& from, const std::string& to);

    size_t size() const { return documents_.size(); }

  private:
    std::mutex mutex_;
    std::map<std::string, std::unique_ptr<XmlDocument>> documents_;
};

}  // namespace zintra
