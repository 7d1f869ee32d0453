// The template store: template files read once and kept in memory, keyed by
// resolved full path; the naming rule; the folder's companion files "Global.xvt" (the
// global comments) and "Gtemplate.xvt" (the base templates).
//
// Ownership: the store hands out shared pointers. A request that holds a file
// keeps it alive while another thread drops the cache; the memory goes with
// the last holder, never while in use. Lookups read an immutable snapshot of
// the table without a lock; only loading takes the template-load mutex.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/templates/template_file.h"

namespace zintra {

class Analyzer;

class TemplateStore {
  public:
    using FilePtr = std::shared_ptr<const TemplateFile>;

    static constexpr const char* kGlobalFileName = "Global.xvt";
    static constexpr const char* kBaseFileName = "Gtemplate.xvt";
    // Most files kept at once; loading one more forgets another.
    static constexpr size_t kMaxCachedFiles = 512;
    // Most spellings remembered for cached files; more are resolved each time.
    static constexpr size_t kMaxSpellings = 2048;

    // loadMutex is the process's template-load mutex.
    explicit TemplateStore(std::mutex& loadMutex);
    TemplateStore(const TemplateStore&) = delete;
    TemplateStore& operator=(const TemplateStore&) = delete;

    // Points the store at a templates folder (a "/" is appended unless it is
    // empty or ends with "/" or "\") with the CACHE setting; empties the cache.
    void setUp(std::string_view templatesDir, int keepCache);

    std::string templatesFolder() const;
    bool keepsCache() const { return keepCache_.load(std::memory_order_relaxed) != 0; }

    // The naming rule: a name from a request as a full path.
    std::string fullPath(std::string_view name) const;

    // The folder's global file and base file for a template path (the folder
    // is the path up to its last "/" or "\"); null when they cannot be read.
    // A caller that can do without the global file says so (optional), and a
    // missing one is then not explained as a failure.
    FilePtr globalFile(std::string_view templatePath, const Analyzer& analyzer, bool optional = false);
    FilePtr baseFile(std::string_view templatePath, const Analyzer& analyzer);

    // The cached file, or the file read now (with base for "//" Phrase
    // fillers) and entered in the cache. Null when it cannot be read; such a
    // file is not remembered, so the next request tries again. The cache key
    // is the resolved path (resolvedPath), so every spelling of one file
    // shares one entry. A spelling met before (with the same current folder
    // when it is relative) finds its file without resolving the path again;
    // spellings are forgotten with the files.
    FilePtr get(const std::string& path, const FilePtr& base, const Analyzer& analyzer);

    // Forgets every cached file. Not forced, it does nothing while the store
    // keeps its cache (CACHE non-zero).
    void drop(bool forced);

    // Set when a template file has been rewritten on disk.
    void setPendingDrop() { pendingDrop_.store(true, std::memory_order_release); }
    bool dropPending() const { return pendingDrop_.load(std::memory_order_acquire); }
    // A forced drop when one is pending; true when it dropped.
    bool carryOutPendingDrop();

    // Number of cached files, and of files read from disk since construction.
    size_t cachedCount() const;
    uint64_t readCount() const { return reads_.load(std::memory_order_relaxed); }

  private:
    // The cached files by resolved path, and the spellings that led to them.
    struct Table {
        std::unordered_map<std::string, FilePtr> files;
        std::unordered_map<std::string, FilePtr> spellings;
    };

    FilePtr lookup(const std::string& path) const;
    FilePtr lookupSpelling(const std::string& spelling) const;
    // Enters spelling for a file in the table (under the load mutex).
    static void addSpelling(Table& table, const std::string& spelling, const FilePtr& file);
    void rememberSpelling(const std::string& spelling, const FilePtr& file);
    // get(), with what the file is for in the explanation of a failed read;
    // optional files that do not exist are not explained.
    FilePtr load(const std::string& path, const FilePtr& base, const Analyzer& analyzer, const char* role,
                 bool optional);

    std::mutex& loadMutex_;
    mutable std::mutex settingsMutex_;
    std::string folder_;
    std::atomic<int> keepCache_{1};
    std::atomic<bool> pendingDrop_{false};
    std::atomic<std::shared_ptr<const Table>> table_;
    std::atomic<uint64_t> reads_{0};
};

}  // namespace zintra
