#include "engine/query/template_query.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>

#include "engine/language/analyzer.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/report_item.h"
#include "engine/templates/sentence_matcher.h"
#include "engine/templates/template_file.h"
#include "engine/templates/template_store.h"

namespace zintra {

std::vector<Binding> bindingsOf(const std::vector<ReportItem>& items) {
    std::vector<Binding> out;
    const NodeRecord* open = nullptr;  // the node expansion of the last binding
    bool extending = false;
    for (const ReportItem& item : items) {
        const ExpectedElement* e = item.expected;
        // Only words the template expects as typed bind (a capital letter
        // aside): a word taken for its closest spelling binds nothing.
        bool matched = e && !e->isWrong() && !item.word.empty() && !(item.flags & (kErrorFlags & ~kFlagCapital));
        const NodeRecord* record = matched ? e->node : nullptr;
        if (!record || !record->node || record->node->variable.empty()) {
            extending = false;
            continue;
        }
        if (extending && record == open) {
            out.back().value += ' ';
            out.back().value += item.word;
            continue;
        }
        out.push_back({record->node->variable, std::string(item.word)});
        open = record;
        extending = true;
    }
    return out;
}

std::vector<Binding> bindSentence(std::string_view sentence, const TemplateFile& file, const TemplateFile* global,
                                  const Analyzer& analyzer) {
    SentenceMatcher matcher(analyzer);
    if (matcher.match(sentence, &file, global ? global : &file) != 0 || !matcher.chosenTemplate()) return {};
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
