#include "engine/templates/template_store.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

#include "engine/language/analyzer.h"
#include "engine/templates/template_naming.h"
#include "engine/templates/template_reader.h"

namespace zintra {

TemplateStore::TemplateStore(std::mutex& loadMutex) : loadMutex_(loadMutex) {
    table_.store(std::make_shared<const Table>());
}

void TemplateStore::setUp(std::string_view templatesDir, int keepCache) {
    {
        std::lock_guard<std::mutex> lock(settingsMutex_);
        folder_ = normaliseTemplatesFolder(templatesDir);
    }
    keepCache_.store(keepCache, std::memory_order_relaxed);
    drop(true);
}

std::string TemplateStore::templatesFolder() const {
    std::lock_guard<std::mutex> lock(settingsMutex_);
    return folder_;
}

std::string TemplateStore::fullPath(std::string_view name) const { return fullTemplatePath(templatesFolder(), name); }

TemplateStore::FilePtr TemplateStore::globalFile(std::string_view templatePath, const Analyzer& analyzer,
                                                 bool optional) {
    return load(std::string(folderOf(templatePath)) + kGlobalFileName, nullptr, analyzer,
                "the folder's global comments", optional);
}

TemplateStore::FilePtr TemplateStore::baseFile(std::string_view templatePath, const Analyzer& analyzer) {
    return load(std::string(folderOf(templatePath)) + kBaseFileName, nullptr, analyzer, "the folder's base templates",
                true);
}

namespace {

// The key of a spelling: the path itself when absolute, else the current
// folder and the path, since that is what it is resolved against. Empty when
// the current folder cannot be had.
std::string spellingKey(const std::string& path) {
    if (path.front() == '/') return path;
    std::vector<char> folder(4096);
    if (!::getcwd(folder.data(), folder.size())) return {};
    std::string key(folder.data());
    key += '/';
    key += path;
    return key;
}

}  // namespace

TemplateStore::FilePtr TemplateStore::lookup(const std::string& path) const {
    std::shared_ptr<const Table> table = table_.load(std::memory_order_acquire);
    auto it = table->files.find(path);
    return it == table->files.end() ? nullptr : it->second;
}

TemplateStore::FilePtr TemplateStore::lookupSpelling(const std::string& spelling) const {
    std::shared_ptr<const Table> table = table_.load(std::memory_order_acquire);
    auto it = table->spellings.find(spelling);
    return it == table->spellings.end() ? nullptr : it->second;
}

void TemplateStore::addSpelling(Table& table, const std::string& spelling, const FilePtr& file) {
    if (!spelling.empty() && table.spellings.size() < kMaxSpellings) table.spellings.emplace(spelling, file);
}

void TemplateStore::rememberSpelling(const std::string& spelling, const FilePtr& file) {
    if (spelling.empty()) return;
    std::lock_guard<std::mutex> lock(loadMutex_);
    std::shared_ptr<const Table> current = table_.load(std::memory_order_acquire);
    if (current->spellings.size() >= kMaxSpellings || current->spellings.count(spelling)) return;
    // Only for a file that is still cached: a drop or an eviction since the
    // lookup must not bring it back.
    auto cached = std::find_if(current->files.begin(), current->files.end(),
                               [&](const auto& entry) { return entry.second == file; });
    if (cached == current->files.end()) return;
    auto next = std::make_shared<Table>(*current);
    addSpelling(*next, spelling, file);
    table_.store(std::move(next), std::memory_order_release);
}

TemplateStore::FilePtr TemplateStore::get(const std::string& path, const FilePtr& base, const Analyzer& analyzer) {
    return load(path, base, analyzer, "template file", false);
}

TemplateStore::FilePtr TemplateStore::load(const std::string& path, const FilePtr& base, const Analyzer& analyzer,
                                           const char* role, bool optional) {
    if (path.empty()) return nullptr;
    // One file is one entry however the request spells its path; resolving
    // a path asks the file system for each of its parts, so a spelling met
    // before is looked up as it is.
    const std::string spelling = spellingKey(path);
    if (!spelling.empty())
        if (FilePtr known = lookupSpelling(spelling)) return known;
    std::string key = resolvedPath(path);
    if (key.empty()) key = path;
    if (FilePtr cached = lookup(key)) {
        rememberSpelling(spelling, cached);
        return cached;
    }

    std::lock_guard<std::mutex> lock(loadMutex_);
    // Another thread may have loaded it while this one waited.
    if (FilePtr cached = lookup(key)) return cached;
    TemplateReadError error;
    std::shared_ptr<TemplateFile> file = readTemplateFile(key, base, analyzer, &error);
    reads_.fetch_add(1, std::memory_order_relaxed);
    if (!file) {
        const Diagnostics& diagnostics = analyzer.diagnostics();
        if (diagnostics.active() && !(optional && error.reason == TemplateReadError::Reason::NotFound))
            diagnostics.report(std::string("cannot load ") + role + " " + describeTemplateReadError(path, error));
        return nullptr;
    }
    file->path = path;
    // Readers keep using the table they hold; the new one replaces it whole.
    // The copy is at most kMaxCachedFiles entries of a path and a pointer
    // (and the spellings), small beside reading the file; a full table gives
    // up one entry, and the spellings of that file with it.
    auto next = std::make_shared<Table>(*table_.load(std::memory_order_acquire));
    if (next->files.size() >= kMaxCachedFiles) {
        FilePtr evicted = next->files.begin()->second;
        next->files.erase(next->files.begin());
        std::erase_if(next->spellings, [&](const auto& entry) { return entry.second == evicted; });
    }
    next->files[key] = file;
    addSpelling(*next, spelling, file);
    table_.store(std::move(next), std::memory_order_release);
    return file;
}

void TemplateStore::drop(bool forced) {
    if (!forced && keepsCache()) return;
    // Under the load mutex, so that a load in progress cannot put back the
    // table it copied before the drop.
    std::lock_guard<std::mutex> lock(loadMutex_);
    table_.store(std::make_shared<const Table>(), std::memory_order_release);
}

bool TemplateStore::carryOutPendingDrop() {
    if (!pendingDrop_.exchange(false, std::memory_order_acq_rel)) return false;
    drop(true);
    return true;
}

size_t TemplateStore::cachedCount() const { return table_.load(std::memory_order_acquire)->files.size(); }

}  // namespace zintra
