#include "engine/query/template_query.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <system_error>

#include "engine/language/analyzer.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/report_item.h"
#include "engine/templates/sentence_matcher.h"
#include "engine/templates/template_file.h"
#include "engine/templates/template_store.h"

namespace zintra {

std::vector<Binding> bindingsOf(const std::vector<ReportItem>& items) {
    struct Bound {
        const NodeRecord* record;
        Binding binding;
    };
    std::vector<Bound> bound;
    std::set<const NodeRecord*> spoiled;
    const NodeRecord* open = nullptr;  // the node expansion the last item extended
    for (const ReportItem& item : items) {
        const ExpectedElement* e = item.expected;
        const NodeRecord* record = e ? e->node : nullptr;
        if (!record || !record->node || record->node->variable.empty()) {
            open = nullptr;
            continue;
        }
        // Only words the template expects as typed bind (a capital letter
        // aside). A node binds only when all of it was typed so, in one run:
        // a missing, misspelt or wrong word, or a word between its words,
        // leaves it unbound ("the past tense" is not the "the" of "the time").
        bool matched = !e->isWrong() && !item.word.empty() && !(item.flags & (kErrorFlags & ~kFlagCapital));
        if (!matched) {
            spoiled.insert(record);
            open = nullptr;
            continue;
        }
        if (record == open) {
            bound.back().binding.value += ' ';
            bound.back().binding.value += item.word;
            continue;
        }
        bool again = false;
        for (const Bound& b : bound) again = again || b.record == record;
        if (again) spoiled.insert(record);
        bound.push_back({record, {record->node->variable, std::string(item.word)}});
        open = record;
    }
    std::vector<Binding> out;
    for (Bound& b : bound)
        if (!spoiled.count(b.record)) out.push_back(std::move(b.binding));
    return out;
}

bool leavesOutANode(const std::vector<ReportItem>& items) {
    // Per node expansion: whether anything of it is there (a typed word, or
    // the empty filler of a node that may be left out), or only missing words.
    std::map<const NodeRecord*, bool> present;
    for (const ReportItem& item : items) {
        const NodeRecord* record = item.expected ? item.expected->node : nullptr;
        if (!record) continue;
        bool& any = present[record];
        any = any || !item.word.empty() || !item.has(kFlagMissing);
    }
    for (const auto& [record, any] : present)
        if (!any) return true;
    return false;
}

std::vector<Binding> bindSentence(std::string_view sentence, const TemplateFile& file, const TemplateFile* global,
                                  const Analyzer& analyzer) {
    SentenceMatcher matcher(analyzer);
    if (matcher.match(sentence, &file, global ? global : &file) != 0 || !matcher.chosenTemplate()) return {};
    // A sentence that leaves out a whole part of the question is not that
    // question: "I like tennis." binds no word of "What does WORD mean?".
    if (leavesOutANode(matcher.items())) return {};
    return bindingsOf(matcher.items());
}

std::string answerQuery(std::string_view sentence, const TemplateFile* file, const TemplateFile* global,
                        const QueryTable& table, const Analyzer& analyzer) {
    if (!file || table.empty() || sentence.empty()) return {};
    return table.fill(bindSentence(sentence, *file, global, analyzer));
}

std::shared_ptr<const QueryTable> queryTableOf(const std::string& path) {
    struct Cached {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time;
        std::shared_ptr<const QueryTable> table;
    };
    static std::mutex mutex;
    static std::map<std::string, Cached> cache;

    std::error_code ec;
    std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return std::make_shared<QueryTable>();
    auto time = std::filesystem::last_write_time(path, ec);
    if (ec) return std::make_shared<QueryTable>();

    std::lock_guard<std::mutex> lock(mutex);
    Cached& entry = cache[path];
    if (!entry.table || entry.size != size || entry.time != time) {
        auto table = std::make_shared<QueryTable>();
        table->loadFile(path);
        entry = {size, time, std::move(table)};
    }
    return entry.table;
}

std::string answerTemplateQuery(std::string_view sentence, TemplateStore& store, const Analyzer& analyzer) {
    const Config& config = analyzer.config();
    if (config.rdqlTemplate.empty() || config.rdqlFile.empty()) {
        analyzer.diagnostics().report(
            "plain-text questions need RDQL_TEMPLATE and RDQL_FILE in the configuration; neither or only one is set");
        return {};
    }
    TemplateStore::FilePtr global = store.globalFile(config.rdqlTemplate, analyzer, true);
    TemplateStore::FilePtr base = store.baseFile(config.rdqlTemplate, analyzer);
    TemplateStore::FilePtr file = store.get(config.rdqlTemplate, base, analyzer);
    if (!file) return {};
    std::shared_ptr<const QueryTable> table = queryTableOf(config.rdqlFile);
    // A query folder without a global file still answers: the template file
    // then serves as its own.
    std::string answer = answerQuery(sentence, file.get(), global ? global.get() : file.get(), *table, analyzer);
    const Diagnostics& diagnostics = analyzer.diagnostics();
    if (answer.empty() && diagnostics.active()) {
        // "Can't understand!" alone leaves the asker guessing what would be
        // understood: the query templates' samples are.
        std::string message = "no query of " + config.rdqlFile + " fits this question; " + config.rdqlTemplate +
                              " understands questions like its samples";
        int shown = 0;
        for (const auto& [number, sample] : file->samples) {
            if (shown++ == 3) break;
            message += (shown == 1 ? ": \"" : ", \"") + sample + "\"";
        }
        diagnostics.report(message);
    }
    return answer;
}

}  // namespace zintra
