#include "tools/langdata/lexical_learner.h"

#include <algorithm>
#include <unordered_map>

#include "tools/langdata/tag_set.h"

namespace langdata {
namespace {

struct Test {
    LexKind kind;
    std::string arg;
    int length;
};

struct Candidate {
    int score = 0;
    bool from = false;
    int fromTag = -1;
    int newTag = -1;
};

bool asciiOnly(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

bool usableArg(const std::string& s) { return !s.empty() && s[0] != '#' && asciiOnly(s); }

class Learner {
  public:
    Learner(const LexicalLearnerInput& input, const LexicalLearnerOptions& options)
        : input_(input), options_(options) {}

    LexicalLearnerResult run() {
        index();
        LexicalLearnerResult result;
        result.candidateTests = tests_.size();
        for (const Item& item : items_) {
            for (const auto& [tag, n] : item.gold) result.tokens += n;
        }
        result.correctBefore = correct();
        best_.assign(tests_.size(), Candidate{});
        for (std::size_t t = 0; t < tests_.size(); ++t) best_[t] = scoreTest(t);
        while (static_cast<int>(result.rules.size()) < options_.maxRules) {
            std::size_t pick = tests_.size();
            for (std::size_t t = 0; t < tests_.size(); ++t) {
                if (best_[t].newTag < 0) continue;
                if (pick == tests_.size() || better(best_[t], t, best_[pick], pick)) pick = t;
            }
            if (pick == tests_.size() || best_[pick].score < options_.minScore) break;
            const Candidate c = best_[pick];
            LexicalRule rule;
            rule.kind = tests_[pick].kind;
            rule.arg = tests_[pick].arg;
            rule.length = tests_[pick].length;
            rule.from = c.from;
            rule.fromTag = c.from ? tags_.name(c.fromTag) : "";
            rule.newTag = tags_.name(c.newTag);
            result.rules.push_back(rule);
            result.gains.push_back(c.score);
            apply(pick, c);
        }
        result.correctAfter = correct();
        return result;
    }

  private:
    struct Item {
        int cur = 0;
        std::vector<std::pair<int, int>> gold;  // tag id, tokens
        std::vector<int> tests;
    };

    // Orders candidates: higher score, then plain before from-rules, then
    // the earlier test (tests are numbered in a fixed order).
    static bool better(const Candidate& a, std::size_t ta, const Candidate& b, std::size_t tb) {
        if (a.score != b.score) return a.score > b.score;
        if (a.from != b.from) return !a.from;
        return ta < tb;
    }

    int testId(LexKind kind, const std::string& arg, int length) {
        std::string key = std::to_string(static_cast<int>(kind)) + '\x01' + arg + '\x01' + std::to_string(length);
        auto [it, inserted] = testIds_.emplace(std::move(key), static_cast<int>(tests_.size()));
        if (inserted) {
            tests_.push_back({kind, arg, length});
            testItems_.emplace_back();
        }
        return it->second;
    }

    void addTest(int item, LexKind kind, const std::string& arg, int length) {
        if (!usableArg(arg)) return;
        const int t = testId(kind, arg, length);
        auto& list = testItems_[static_cast<std::size_t>(t)];
        if (!list.empty() && list.back() == item) return;
        list.push_back(item);
        items_[static_cast<std::size_t>(item)].tests.push_back(t);
    }

    void index() {
        std::vector<std::string> sorted = input_.vocabulary;
        std::sort(sorted.begin(), sorted.end());
        std::vector<std::string> reversed;
        reversed.reserve(sorted.size());
        for (const std::string& w : sorted) reversed.emplace_back(w.rbegin(), w.rend());
        std::sort(reversed.begin(), reversed.end());
        // second word -> first words, per fold
        std::vector<std::map<std::string, std::vector<std::string>>> before(input_.bigrams.size());
        for (std::size_t f = 0; f < input_.bigrams.size(); ++f)
            for (const auto& [first, second] : input_.bigrams[f]) before[f][second].push_back(first);

        const int maxAffix = options_.maxAffix;
        for (const LexicalItem& src : input_.items) {
            const int i = static_cast<int>(items_.size());
            Item item;
            const std::string& w = src.word;
            item.cur = tags_.id(initialGuess(w));
            for (const auto& [tag, n] : src.gold) item.gold.emplace_back(tags_.id(tag), n);
            items_.push_back(std::move(item));
            auto known = [&](const std::string& s) { return !s.empty() && input_.known(s, src.fold); };
            const int len = static_cast<int>(w.size());
            bool digit = false;
            for (unsigned char c : w) {
                addTest(i, LexKind::Char, std::string(1, static_cast<char>(c)), 0);
                digit = digit || (c >= '0' && c <= '9');
            }
            if (digit) addTest(i, LexKind::Char, "0123456789", 0);
            for (int n = 1; n <= std::min(maxAffix, len); ++n) {
                const std::string pre = w.substr(0, static_cast<std::size_t>(n));
                const std::string suf = w.substr(static_cast<std::size_t>(len - n));
                addTest(i, LexKind::HasPref, pre, n);
                addTest(i, LexKind::HasSuf, suf, n);
                if (n < len && known(w.substr(static_cast<std::size_t>(n)))) addTest(i, LexKind::DeletePref, pre, n);
                if (n < len && known(w.substr(0, static_cast<std::size_t>(len - n))))
                    addTest(i, LexKind::DeleteSuf, suf, n);
            }
            // w + X known: the words that start with w and are at most
            // maxAffix bytes longer.
            for (auto it = std::upper_bound(sorted.begin(), sorted.end(), w);
                 it != sorted.end() && it->compare(0, w.size(), w) == 0; ++it) {
                const int extra = static_cast<int>(it->size()) - len;
                if (extra >= 1 && extra <= maxAffix && known(*it))
                    addTest(i, LexKind::AddSuf, it->substr(w.size()), extra);
            }
            const std::string rw(w.rbegin(), w.rend());
            for (auto it = std::upper_bound(reversed.begin(), reversed.end(), rw);
                 it != reversed.end() && it->compare(0, rw.size(), rw) == 0; ++it) {
                const int extra = static_cast<int>(it->size()) - len;
                const std::string full(it->rbegin(), it->rend());
                if (extra >= 1 && extra <= maxAffix && known(full))
                    addTest(i, LexKind::AddPref, full.substr(0, static_cast<std::size_t>(extra)), extra);
            }
            if (static_cast<std::size_t>(src.fold) < before.size()) {
                auto it = before[static_cast<std::size_t>(src.fold)].find(w);
                if (it != before[static_cast<std::size_t>(src.fold)].end())
                    for (const std::string& first : it->second) addTest(i, LexKind::GoodRight, first, 0);
            }
        }
    }

    long correct() const {
        long n = 0;
        for (const Item& item : items_)
            for (const auto& [tag, count] : item.gold)
                if (tag == item.cur) n += count;
        return n;
    }

    Candidate scoreTest(std::size_t t) {
        const int nt = tags_.size();
        if (static_cast<int>(byCur_.size()) < nt * nt) byCur_.assign(static_cast<std::size_t>(nt * nt), 0);
        total_.assign(static_cast<std::size_t>(nt), 0);
        touched_.clear();
        long diag = 0;
        for (int i : testItems_[t]) {
            const Item& item = items_[static_cast<std::size_t>(i)];
            for (const auto& [g, n] : item.gold) {
                const std::size_t cell = static_cast<std::size_t>(item.cur * nt + g);
                if (byCur_[cell] == 0) touched_.push_back(cell);
                byCur_[cell] += n;
                total_[static_cast<std::size_t>(g)] += n;
                if (g == item.cur) diag += n;
            }
        }
        Candidate best;
        for (int g = 0; g < nt; ++g) {
            const long s = total_[static_cast<std::size_t>(g)] - diag;
            if (total_[static_cast<std::size_t>(g)] > 0 && (best.newTag < 0 || s > best.score))
                best = {static_cast<int>(s), false, -1, g};
        }
        if (options_.fromRules) {
            for (std::size_t cell : touched_) {
                const int from = static_cast<int>(cell) / nt, to = static_cast<int>(cell) % nt;
                if (from == to) continue;
                const long s = byCur_[cell] - byCur_[static_cast<std::size_t>(from * nt + from)];
                if (s > best.score) best = {static_cast<int>(s), true, from, to};
            }
        }
        for (std::size_t cell : touched_) byCur_[cell] = 0;
        return best;
    }

    void apply(std::size_t t, const Candidate& c) {
        std::vector<int> dirty;
        for (int i : testItems_[t]) {
            Item& item = items_[static_cast<std::size_t>(i)];
            const bool fires = c.from ? item.cur == c.fromTag : item.cur != c.newTag;
            if (!fires) continue;
            item.cur = c.newTag;
            dirty.insert(dirty.end(), item.tests.begin(), item.tests.end());
        }
        std::sort(dirty.begin(), dirty.end());
        dirty.erase(std::unique(dirty.begin(), dirty.end()), dirty.end());
        for (int d : dirty) best_[static_cast<std::size_t>(d)] = scoreTest(static_cast<std::size_t>(d));
    }

    const LexicalLearnerInput& input_;
    const LexicalLearnerOptions& options_;
    Vocabulary tags_;
    std::vector<Item> items_;
    std::vector<Test> tests_;
    std::vector<std::vector<int>> testItems_;
    std::unordered_map<std::string, int> testIds_;
    std::vector<Candidate> best_;
    std::vector<long> byCur_;
    std::vector<long> total_;
    std::vector<std::size_t> touched_;
};

}  // namespace

LexicalLearnerResult learnLexicalRules(const LexicalLearnerInput& input, const LexicalLearnerOptions& options) {
    Learner learner(input, options);
    return learner.run();
}

}  // namespace langdata
