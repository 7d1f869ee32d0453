#include "engine/authoring/sentence_listing.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <system_error>
#include <unordered_set>

#include "engine/authoring/file_set.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/template_naming.h"
#include "engine/templates/template_store.h"

namespace zintra {

namespace fs = std::filesystem;

namespace {

constexpr size_t kDedupBuckets = 50023;

// Whether a step adds a word to the sentence.
bool isWordStep(const ExpectedElement* e) {
    return e && e != &sentinelElement() && e->wordId != kEmptyWordId && e->wordId != kNoElementWordId &&
           !e->word.empty();
}

// Calls visit for each sentence of graph; false when it stopped because the
// budget of paths was used up (budget is decreased per path).
template <class Visit>
bool forEachSentence(const PositionGraph& graph, size_t& budget, Visit&& visit) {
    const int32_t last = graph.lastPosition();
    if (last < 0) return true;
    // An explicit stack of (position, next alternative, sentence length on
    // arrival): deep graphs do not exhaust the call stack.
    struct Frame {
        int32_t position;
        int32_t next;
        size_t length;
    };
    std::vector<Frame> stack;
    std::string sentence;
    stack.push_back({0, graph.firstAlternative(0), 0});
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.position == last) {
            if (budget == 0) return false;
            --budget;
            visit(std::string_view(sentence));
            stack.pop_back();
            continue;
        }
        const int32_t endIndex = graph.firstAlternative(top.position + 1);
        if (top.next >= endIndex) {
            stack.pop_back();
            continue;
        }
        const Alternative& alt = graph.alternative(top.next++);
        sentence.resize(top.length);
        if (alt.element && alt.element->isWrong()) continue;
        if (alt.target <= top.position || alt.target > last) continue;  // only forward steps
        if (isWordStep(alt.element)) {
            std::string_view word = alt.element->word;
            if (!sentence.empty()) sentence.push_back(' ');
            sentence.append(word.data(), word.size());
        }
        stack.push_back({alt.target, graph.firstAlternative(alt.target), sentence.size()});
    }
    return true;
}

}  // namespace

std::vector<std::string> sentencesOf(const PositionGraph& graph, size_t budget) {
    std::vector<std::string> out;
    forEachSentence(graph, budget, [&](std::string_view s) { out.emplace_back(s); });
    return out;
}

std::string listingFolderName(std::string_view templatePath) {
    std::string base(baseNameOf(templatePath));
    size_t dot = base.rfind('.');
    if (dot != std::string::npos && dot > 0) base.resize(dot);
    if (base.empty() || base == "." || base == "..") return "_";
    return base;
}

namespace {

// Writes the gathered sentences of one template file, a numbered ".txt"
// file per flush.
class ListingWriter {
  public:
    ListingWriter(fs::path folder, std::string stem, int number)
        : folder_(std::move(folder)), stem_(std::move(stem)), number_(number) {}

    bool write(const std::vector<const std::string*>& order) {
        std::error_code ec;
        fs::create_directories(folder_, ec);
        std::string name = stem_;
        if (number_ > 1) name.append("-").append(std::to_string(number_));
        name.append(".txt");
        ++number_;
        std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen((folder_ / name).c_str(), "wb"), std::fclose);
        if (!out) return false;
        for (const std::string* s : order) {
            if (std::fwrite(s->data(), 1, s->size(), out.get()) != s->size() || std::fputc('\n', out.get()) == EOF) {
                return false;
            }
        }
        return std::fflush(out.get()) == 0;
    }
    int number() const { return number_; }

  private:
    fs::path folder_;
    std::string stem_;
    int number_;
};

}  // namespace

SentenceListingResult listSentences(std::string_view path, const std::string& outputFolder, int depth,
                                    TemplateStore& store, const Analyzer& analyzer,
                                    const SentenceListingLimits& limits) {
    SentenceListingResult result;
    if (outputFolder.empty()) return result;
    // Two template files with one base name (in different subfolders) share
    // a folder; their files are numbered on, never overwritten.
    std::map<std::string, int> nextNumber;
    for (const std::string& filePath : collectFiles(path, depth)) {
        TemplateStore::FilePtr base = store.baseFile(filePath, analyzer);
        TemplateStore::FilePtr file = store.get(filePath, base, analyzer);
        if (!file || file->mainTemplates.empty()) continue;
        const MatchGraphs& graphs = matchGraphsOf(*file);
        std::string stem = listingFolderName(filePath);
        int& number = nextNumber.emplace(stem, 1).first->second;
        ListingWriter writer(fs::path(outputFolder) / stem, stem, number);

        std::unordered_set<std::string> seen(kDedupBuckets);
        std::vector<const std::string*> order;  // first-seen order
        auto flush = [&] {
            if (order.empty()) return;
            if (!writer.write(order)) result.writeFailed = true;
            result.sentences += order.size();
            order.clear();
            seen.clear();
        };
        size_t budget = limits.maxPathsPerFile;
        bool cut = false;
        for (const PositionGraph& graph : graphs.graphs()) {
            bool complete = forEachSentence(graph, budget, [&](std::string_view s) {
                auto [it, added] = seen.emplace(s);
                if (!added) return;
                order.push_back(&*it);
                if (order.size() >= limits.flushAt) flush();
            });
            if (!complete) {
                cut = true;
                break;
            }
        }
        flush();
        number = writer.number();
        ++result.files;
        if (cut) ++result.cutFiles;
    }
    return result;
}

}  // namespace zintra
