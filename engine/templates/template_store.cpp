#include "engine/templates/template_store.h"

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

TemplateStore::FilePtr TemplateStore::lookup(const std::string& path) const {
    std::shared_ptr<const Table> table = table_.load(std::memory_order_acquire);
    auto it = table->find(path);
    return it == table->end() ? nullptr : it->second;
}

TemplateStore::FilePtr TemplateStore::get(const std::string& path, const FilePtr& base, const Analyzer& analyzer) {
    return load(path, base, analyzer, "template file", false);
}

TemplateStore::FilePtr TemplateStore::load(const std::string& path, const FilePtr& base, const Analyzer& analyzer,
                                           const char* role, bool optional) {
    if (path.empty()) return nullptr;
    // One file is one entry however the request spells its path.
    std::string key = resolvedPath(path);
    if (key.empty()) key = path;
    if (FilePtr cached = lookup(key)) return cached;

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
    // The copy is at most kMaxCachedFiles entries of a path and a pointer,
    // small beside reading the file; a full table gives up one entry.
    auto next = std::make_shared<Table>(*table_.load(std::memory_order_acquire));
    if (next->size() >= kMaxCachedFiles) next->erase(next->begin());
    (*next)[key] = file;
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

size_t TemplateStore::cachedCount() const { return table_.load(std::memory_order_acquire)->size(); }

}  // namespace zintra
