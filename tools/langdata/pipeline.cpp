#include "tools/langdata/pipeline.h"

#include <unistd.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <set>
#include <stdexcept>
#include <unordered_map>

#include "tools/langdata/engine_corpus.h"
#include "tools/langdata/tag_map.h"

namespace langdata {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

const char* const kSourceNote =
    "Learned from the Universal Dependencies English Web Treebank (train split),\n"
    "licensed CC BY-SA 4.0, and from Debian's English word lists and WordNet.\n"
    "This file is under the same CC BY-SA 4.0 licence.\n";

std::string commentBlock(const char* mark, const std::string& title) {
    std::string out = std::string(mark) + " " + title + "\n";
    std::string note = kSourceNote;
    std::size_t start = 0;
    while (start < note.size()) {
        std::size_t end = note.find('\n', start);
        out += std::string(mark) + " " + note.substr(start, end - start) + "\n";
        start = end + 1;
    }
    return out;
}

// Documents are kept whole inside one fold, so a name or a topic word of a
// document does not count as known through its own document.
std::vector<int> foldOfSentences(const std::vector<TreebankSentence>& sentences, int folds) {
    std::unordered_map<std::string, int> docIndex;
    std::vector<int> out;
    for (const auto& s : sentences) {
        auto [it, inserted] = docIndex.emplace(s.document, static_cast<int>(docIndex.size()));
        out.push_back(it->second % folds);
    }
    return out;
}

LexicalLearnerInput lexicalInput(const std::vector<TreebankSentence>& train, const WordListData& lists, int folds) {
    const std::vector<int> fold = foldOfSentences(train, folds);
    std::unordered_map<std::string, unsigned> foldMask;
    std::vector<std::vector<Word>> tokens;
    for (std::size_t s = 0; s < train.size(); ++s) {
        tokens.push_back(goldWords(train[s]));
        for (const Word& w : tokens.back()) foldMask[w.form] |= 1u << fold[s];
    }
    LexicalLearnerInput input;
    auto mask = std::make_shared<std::unordered_map<std::string, unsigned>>(std::move(foldMask));
    const auto* forms = &lists.forms;
    input.known = [mask, forms](const std::string& w, int k) {
        if (forms->count(w)) return true;
        auto it = mask->find(w);
        return it != mask->end() && (it->second & ~(1u << k)) != 0;
    };
    for (const auto& [w, m] : *mask) input.vocabulary.push_back(w);
    for (const auto& [w, m] : lists.forms)
        if (!mask->count(w)) input.vocabulary.push_back(w);

    std::map<std::pair<std::string, int>, std::map<std::string, int>> items;
    std::vector<std::map<std::pair<std::string, std::string>, int>> pairs(static_cast<std::size_t>(folds));
    for (std::size_t s = 0; s < train.size(); ++s) {
        const int k = fold[s];
        const auto& ws = tokens[s];
        for (std::size_t i = 0; i < ws.size(); ++i) {
            if (!input.known(ws[i].form, k)) ++items[{ws[i].form, k}][ws[i].tag];
            if (i + 1 < ws.size()) ++pairs[static_cast<std::size_t>(k)][{ws[i].form, ws[i + 1].form}];
        }
    }
    for (auto& [key, gold] : items) input.items.push_back({key.first, key.second, std::move(gold)});
    // Per fold, the bigram table the engine would hold if the other folds
    // were all the text there is.
    for (int k = 0; k < folds; ++k) {
        std::map<std::pair<std::string, std::string>, int> others;
        for (int o = 0; o < folds; ++o)
            if (o != k)
                for (const auto& [p, n] : pairs[static_cast<std::size_t>(o)]) others[p] += n;
        std::map<std::string, std::pair<std::string, int>> best;
        for (const auto& [p, n] : others) {
            auto& b = best[p.first];
            if (n > b.second) b = {p.second, n};
        }
        std::map<std::string, std::string> table;
        for (const auto& [first, b] : best) table[first] = b.first;
        input.bigrams.push_back(std::move(table));
    }
    return input;
}

std::vector<Compound> keepCompoundsWithRightMembers(std::vector<Compound> compounds,
                                                    const std::vector<TreebankSentence>& train,
                                                    const TaggerModel& model, double minShare) {
    std::set<std::vector<std::string>> builtIn;
    for (const Compound& c : builtInCompounds()) builtIn.insert(c.words);
    const CompoundMatcher matcher(compounds);
    std::map<std::vector<std::string>, std::pair<long, long>> members;  // right, all
    for (const TreebankSentence& sentence : train) {
        const std::vector<Word> tokens = goldWords(sentence);
        std::vector<std::string> forms;
        for (const Word& w : tokens) forms.push_back(w.form);
        for (std::size_t i = 0; i < forms.size();) {
            std::vector<std::string> key;
            const std::size_t span = matcher.match(forms, i, nullptr, &key);
            if (span < 2) {
                ++i;
                continue;
            }
            auto& m = members[key];
            for (std::size_t k = i; k < i + span; ++k) {
                m.first += initialTag(model, forms[k], k) == tokens[k].tag;
                ++m.second;
            }
            i += span;
        }
    }
    std::vector<Compound> kept;
    for (Compound& c : compounds) {
        auto it = members.find(c.words);
        const bool right = it == members.end() || it->second.second == 0 ||
                           static_cast<double>(it->second.first) >= minShare * static_cast<double>(it->second.second);
        if (builtIn.count(c.words) || right) kept.push_back(std::move(c));
    }
    return kept;
}

// A scratch folder for the data the engine loads while learning, removed
// with everything in it at the end.
class WorkFolder {
  public:
    WorkFolder()
        : path_((std::filesystem::temp_directory_path() / ("langdata-work." + std::to_string(getpid()))).string()) {
        std::filesystem::remove_all(path_);
    }
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace

std::vector<std::pair<std::string, std::string>> bestBigrams(const std::vector<TreebankSentence>& sentences) {
    std::map<std::pair<std::string, std::string>, int> counts;
    for (const auto& s : sentences) {
        const std::vector<Word> ws = goldWords(s);
        for (std::size_t i = 0; i + 1 < ws.size(); ++i) ++counts[{ws[i].form, ws[i + 1].form}];
    }
    std::map<std::string, std::pair<std::string, int>> best;
    for (const auto& [p, n] : counts) {
        auto& b = best[p.first];
        if (n > b.second) b = {p.second, n};
    }
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& [first, b] : best)
        if (first[0] != '#') out.emplace_back(first, b.first);
    return out;
}

LanguageData buildLanguageData(const Settings& settings, Report& report) {
    const auto start = Clock::now();
    LanguageData data;
    std::vector<TreebankSentence> train = readConlluFile(settings.train);
    std::vector<TreebankSentence> dev;
    if (!settings.dev.empty()) dev = readConlluFile(settings.dev);
    keepTreebankTags(train, settings.keptTags);
    keepTreebankTags(dev, settings.keptTags);
    report.trainSentences = train.size();
    report.devSentences = dev.size();

    std::vector<std::string> missing;
    const WordListData lists = loadWordLists(settings.wordLists, &missing);
    for (const std::string& m : missing) throw std::runtime_error("cannot read word list " + m);

    TagCounts counts;
    countTags(train, counts);
    report.trainTokens = static_cast<std::size_t>(counts.tokens);
    std::vector<std::string> untagged;
    data.lexicon = buildLexicon(counts, lists, settings.lexicon, untagged, report.lexicon);

    // Unknown-word rules, learned in the held-out setting.
    auto t0 = Clock::now();
    const LexicalLearnerInput input = lexicalInput(train, lists, std::max(2, settings.folds));
    report.lexical = learnLexicalRules(input, settings.lexical);
    data.lexicalRules = report.lexical.rules;
    report.secondsLexical = secondsSince(t0);

    data.bigramLines = bestBigrams(train);
    report.bigramLines = data.bigramLines.size();
    data.keptBigrams = keptBigrams(data.bigramLines, data.lexicalRules);

    // Word-list forms of unknown part of speech get the tag the rules give
    // them, the way the engine would tag them if they were not listed.
    {
        LexicalContext context;
        context.known = [&](const std::string& w) { return data.lexicon.known(w) || lists.forms.count(w) != 0; };
        context.bigrams = &data.keptBigrams;
        std::vector<std::pair<std::string, std::string>> guessed;
        for (const std::string& w : untagged) guessed.emplace_back(w, guessTag(data.lexicalRules, w, context));
        for (auto& [w, tag] : guessed) data.lexicon.set(w, {tag});
    }
    // Capitalised forms: NNP first for the classes of lower-case words whose
    // unseen capitalised forms train shows to be names more often than not.
    auto nameFirstFor = [&](const TagCounts& known) -> NameFirst {
        if (report.nameFirstClasses.empty()) return {};
        return [&report, &known](const std::string& lower, const std::vector<std::string>& tags) {
            return report.nameFirstClasses.count({tags.front(), known.byWord.count(lower) != 0}) != 0;
        };
    };
    if (settings.capitalised && settings.capitalNameMin > 0)
        report.nameFirstClasses = nameFirstClasses(
            countCapitalisedForms(train, foldOfSentences(train, std::max(2, settings.folds)), data.lexicon),
            settings.capitalNameMin);
    if (settings.capitalised) report.capitalisedForms = addCapitalisedForms(data.lexicon, nameFirstFor(counts));
    report.lexiconEntries = data.lexicon.size();

    TaggerModel model;
    model.lexicon = &data.lexicon;
    model.lexicalRules = &data.lexicalRules;
    model.bigrams = &data.keptBigrams;

    if (settings.useCompounds) {
        std::vector<Compound> extracted = extractCompounds(train, settings.compounds);
        const std::size_t before = extracted.size();
        data.compounds =
            keepCompoundsWithRightMembers(std::move(extracted), train, model, settings.compoundMemberAccuracy);
        report.compoundsDropped = before - data.compounds.size();
    }
    report.compounds = data.compounds.size();
    const CompoundMatcher matcher(data.compounds);

    model.compounds = settings.useCompounds ? &matcher : nullptr;

    t0 = Clock::now();
    const WorkFolder work;
    CtxCorpus corpus;
    CorpusInfo info;
    if (settings.contextualFolds >= 2) {
        const int folds = settings.contextualFolds;
        const std::vector<int> fold = foldOfSentences(train, folds);
        for (int k = 0; k < folds; ++k) {
            std::vector<TreebankSentence> inside, outside;
            for (std::size_t s = 0; s < train.size(); ++s) (fold[s] == k ? inside : outside).push_back(train[s]);
            TagCounts foldCounts;
            countTags(outside, foldCounts);
            std::vector<std::string> foldUntagged;
            LexiconReport ignored;
            Lexicon foldLexicon = buildLexicon(foldCounts, lists, settings.lexicon, foldUntagged, ignored);
            for (const std::string& w : foldUntagged)
                if (const auto* tags = data.lexicon.find(w)) foldLexicon.set(w, *tags);
            if (settings.capitalised) addCapitalisedForms(foldLexicon, nameFirstFor(foldCounts));
            if (settings.engineCorpus) {
                LanguageData foldData;
                foldData.lexicon = std::move(foldLexicon);
                foldData.lexicalRules = data.lexicalRules;
                foldData.bigramLines = data.bigramLines;
                foldData.compounds = data.compounds;
                if (!buildEngineCorpus(foldData, settings, work.path(), inside, corpus, info, &report.engineCorpus))
                    throw std::runtime_error("the engine cannot load the data written to " + work.path());
            } else {
                TaggerModel foldModel = model;
                foldModel.lexicon = &foldLexicon;
                buildTaggingCorpus(inside, foldModel, corpus, info);
            }
        }
    } else if (settings.engineCorpus) {
        if (!buildEngineCorpus(data, settings, work.path(), train, corpus, info, &report.engineCorpus))
            throw std::runtime_error("the engine cannot load the data written to " + work.path());
    } else {
        buildTaggingCorpus(train, model, corpus, info);
    }
    report.trainInitial = scoreCorpus(corpus, info);
    report.contextual = learnContextualRules(corpus, settings.contextual);
    report.trainFinal = scoreCorpus(corpus, info);
    report.secondsContextual = secondsSince(t0);
    const int groupTag = corpus.tags.find(kGroupTag);
    for (const ContextualRule& r : report.contextual.rules) {
        const bool namesGroup = r.from == groupTag || r.to == groupTag ||
                                (!templateArgIsWord(r.tmpl, 0) && r.a == groupTag) ||
                                (templateArgCount(r.tmpl) > 1 && !templateArgIsWord(r.tmpl, 1) && r.b == groupTag);
        if (groupTag < 0 || !namesGroup) data.contextualRules.push_back(formatContextualRule(corpus, r));
    }

    if (!dev.empty()) {
        report.devBaseline = baselineAccuracy(dev, data.lexicon);
        CtxCorpus devCorpus;
        CorpusInfo devInfo;
        if (!settings.engineCorpus)
            buildTaggingCorpus(dev, model, devCorpus, devInfo);
        else if (!buildEngineCorpus(data, settings, work.path(), dev, devCorpus, devInfo))
            throw std::runtime_error("the engine cannot load the data written to " + work.path());
        report.devInitial = scoreCorpus(devCorpus, devInfo);
        for (const ContextualRule& r : report.contextual.rules)
            applyContextualRule(devCorpus, translateRule(corpus, devCorpus, r), nullptr);
        report.devFinal = scoreCorpus(devCorpus, devInfo);
        report.devPredicted = taggedWords(devCorpus, devInfo);
    }
    report.secondsTotal = secondsSince(start);
    return data;
}

void writeLanguageData(const LanguageData& data, const Settings& settings) {
    const std::string dir = settings.outDir.empty() ? "." : settings.outDir;
    auto open = [&](const std::string& name) {
        std::ofstream out(dir + "/" + name);
        if (!out) throw std::runtime_error("cannot write " + dir + "/" + name);
        return out;
    };
    {
        std::ofstream out = open(settings.names.lexicon);
        writeLexicon(data.lexicon, out,
                     commentBlock("//", "Main dictionary: word, then its tags, most frequent first."));
    }
    {
        std::ofstream out = open(settings.names.lexicalRules);
        out << commentBlock("#", "Unknown-word rules, applied in order to a word the dictionary lacks.");
        for (const LexicalRule& r : data.lexicalRules) out << formatLexicalRule(r) << "\n";
    }
    {
        std::ofstream out = open(settings.names.bigrams);
        out << commentBlock("#", "Word bigrams: each word with the word that most often follows it.");
        for (const auto& [a, b] : data.bigramLines) out << a << " " << b << "\n";
    }
    {
        std::ofstream out = open(settings.names.compounds);
        writeCompounds(data.compounds, out, commentBlock("#", "Compounds: the words, a slash and the tag."));
        // The engine refuses a compound file without a data line; a single
        // word merges nothing.
        if (data.compounds.empty()) out << "# (no compounds)\n./.\n";
    }
    {
        std::ofstream out = open(settings.names.contextualRules);
        out << commentBlock("#", "Contextual rules: FROM TO RULE ARGUMENTS, applied in order.");
        for (const std::string& line : data.contextualRules) out << line << "\n";
        // The engine refuses a rule file without a rule line; this one
        // changes nothing.
        if (data.contextualRules.empty()) out << "# (no rules learned)\nNN NN CURWD STAART\n";
        for (const std::string& file : settings.extraContextual) {
            std::ifstream in(file);
            if (!in) throw std::runtime_error("cannot read " + file);
            out << "# --- hand-written rules (" << std::filesystem::path(file).filename().string() << ") ---\n";
            for (std::string line; std::getline(in, line);)
                if (!line.empty() && line[0] != '#') out << line << "\n";
        }
    }
    if (settings.writeConfig && !writeEngineConfig(dir + "/zintra.ini", settings.names))
        throw std::runtime_error("cannot write " + dir + "/zintra.ini");
}

namespace {
void printAccuracy(std::ostream& out, const char* name, const Accuracy& a) {
    auto pct = [](long c, long t) { return t ? 100.0 * static_cast<double>(c) / static_cast<double>(t) : 0.0; };
    out << "  " << std::left << std::setw(34) << name << std::right << std::fixed << std::setprecision(2)
        << std::setw(7) << pct(a.correct(), a.total()) << "%  known " << std::setw(6)
        << pct(a.knownCorrect, a.knownTotal) << "% (" << a.knownTotal << ")  unknown " << std::setw(6)
        << pct(a.unknownCorrect, a.unknownTotal) << "% (" << a.unknownTotal << ")\n";
}
}  // namespace

void printReport(const Report& r, std::ostream& out) {
    out << "train: " << r.trainSentences << " sentences, " << r.trainTokens << " tokens; dev: " << r.devSentences
        << " sentences\n"
        << "lexicon: " << r.lexiconEntries << " entries (" << r.lexicon.treebankWords << " from the treebank, "
        << r.lexicon.listWords << " from the word lists, " << r.lexicon.untaggedListWords
        << " list words tagged by the unknown-word rules, " << r.capitalisedForms << " capitalised forms; "
        << r.lexicon.droppedTags << " rare tags dropped)\n";
    if (!r.nameFirstClasses.empty()) {
        out << "capitalised forms with NNP first, by the lower-case word's first tag:";
        for (const CapitalClass& c : r.nameFirstClasses)
            out << " " << c.lowerTop << (c.lowerInTrain ? " (in train)" : " (word lists only)");
        out << "\n";
    }
    out << "unknown-word rules: " << r.lexical.rules.size() << " (from " << r.lexical.candidateTests
        << " candidate tests; held-out unknown tokens " << r.lexical.tokens << ", right before "
        << r.lexical.correctBefore << ", after " << r.lexical.correctAfter << "), " << std::fixed
        << std::setprecision(2) << r.secondsLexical << " s\n"
        << "bigrams: " << r.bigramLines << " lines; compounds: " << r.compounds << " (" << r.compoundsDropped
        << " treebank ones left out: their members' dictionary tags are too often wrong)\n"
        << "contextual rules: " << r.contextual.rules.size() << " (" << r.contextual.countedRules << " rules counted, "
        << r.contextual.rechecks << " rechecked by a pass, " << r.contextual.countMismatches << " count differences), "
        << r.secondsContextual << " s\n";
    if (r.engineCorpus.goldTokens)
        out << "engine's cutting of train: " << r.engineCorpus.pairedTokens << " of " << r.engineCorpus.goldTokens
            << " treebank tokens covered by exactly one engine token\n";
    out << "accuracy (tokens of the treebank, as the engine cuts them):\n";
    printAccuracy(out, "train before contextual rules", r.trainInitial);
    printAccuracy(out, "train after contextual rules", r.trainFinal);
    if (r.devSentences) {
        printAccuracy(out, "dev most-frequent-tag baseline", r.devBaseline);
        printAccuracy(out, "dev before contextual rules", r.devInitial);
        printAccuracy(out, "dev after contextual rules", r.devFinal);
    }
    out << "total time: " << r.secondsTotal << " s\n";
}

}  // namespace langdata
