#include "tools/langdata/contextual_learner.h"

#include <algorithm>
#include <iostream>
#include <queue>
#include <stdexcept>
#include <unordered_map>

#include "tools/langdata/count_table.h"

namespace langdata {
namespace {

constexpr int kAnyTag = 127;

std::uint64_t pack(int from, int to, int tmpl, int a, int b) {
    return (static_cast<std::uint64_t>(from) << 56) | (static_cast<std::uint64_t>(to) << 49) |
           (static_cast<std::uint64_t>(tmpl) << 44) | (static_cast<std::uint64_t>(a) << 22) |
           static_cast<std::uint64_t>(b);
}

ContextualRule unpack(std::uint64_t key) {
    ContextualRule r;
    r.from = static_cast<int>(key >> 56);
    r.to = static_cast<int>((key >> 49) & 0x7f);
    r.tmpl = static_cast<int>((key >> 44) & 0x1f);
    r.a = static_cast<int>((key >> 22) & 0x3fffff);
    r.b = static_cast<int>(key & 0x3fffff);
    return r;
}

std::uint64_t withTo(std::uint64_t key, int to) {
    return (key & ~(std::uint64_t{0x7f} << 49)) | (static_cast<std::uint64_t>(to) << 49);
}

struct Entry {
    int score;
    std::uint64_t key;
    bool verified;
    bool operator<(const Entry& o) const {
        if (score != o.score) return score < o.score;
        return key > o.key;  // smaller key first among equals
    }
};

class Learner {
  public:
    Learner(CtxCorpus& corpus, const ContextualLearnerOptions& options)
        : c_(corpus), options_(options), counts_(static_cast<std::size_t>(corpus.size()) * 16) {
        if (c_.words.size() >= (1 << 22)) throw std::runtime_error("too many distinct words");
        if (c_.tags.size() >= 64) throw std::runtime_error("too many tags");
    }

    ContextualLearnerResult run() {
        ContextualLearnerResult result;
        result.scored = c_.scored();
        result.correctBefore = c_.correct();
        recording_ = false;
        for (int p = 0; p < c_.size(); ++p) contribute(p, +1);
        recording_ = true;
        counts_.forEach([&](std::uint64_t key, const CountTable::Counts& v) {
            if (v.good > 0) heap_.push({score(key), key, false});
        });
        touched_.clear();
        int epoch = 0;
        std::unordered_map<std::uint64_t, std::pair<int, int>> verified;  // key -> exact score, epoch
        std::vector<std::uint64_t> verifiedNow;
        while (static_cast<int>(result.rules.size()) < options_.maxRules && !heap_.empty()) {
            const Entry top = heap_.top();
            heap_.pop();
            int exact = 0;
            if (top.verified) {
                auto it = verified.find(top.key);
                if (it == verified.end() || it->second.second != epoch || it->second.first != top.score) continue;
                if (top.score < options_.minScore) break;
                exact = top.score;
            } else {
                auto it = verified.find(top.key);
                if (top.score != score(top.key) || (it != verified.end() && it->second.second == epoch)) continue;
                if (top.score < options_.minScore) break;
                exact = exactGain(top.key);
                if (exact < top.score) {
                    ++result.rechecks;
                    verified[top.key] = {exact, epoch};
                    verifiedNow.push_back(top.key);
                    heap_.push({exact, top.key, true});
                    continue;
                }
            }
            const ContextualRule rule = unpack(top.key);
            result.rules.push_back(rule);
            result.gains.push_back(exact);
            apply(rule);
            ++epoch;
            for (std::uint64_t k : verifiedNow) heap_.push({score(k), k, false});
            verifiedNow.clear();
            if (options_.checkCounts) result.countMismatches += compareWithFreshCounts();
            if (options_.verbose && result.rules.size() % 100 == 0)
                std::cerr << "contextual: " << result.rules.size() << " rules, last gain " << exact << "\n";
        }
        result.correctAfter = c_.correct();
        result.countedRules = counts_.size();
        return result;
    }

  private:
    int score(std::uint64_t key) const {
        const CountTable::Counts* v = counts_.find(key);
        if (!v) return 0;
        int s = v->good - v->bad;
        if (const CountTable::Counts* any = anyBad_.find(withTo(key, kAnyTag))) s -= any->bad;
        return s;
    }

    // Adds (sign +1) or removes (-1) the counts of every rule that would
    // change position p as it is tagged now.
    void contribute(int p, int sign) {
        const std::size_t i = static_cast<std::size_t>(p);
        if (!c_.candidate[i] || c_.gold[i] < 0) return;
        const int t = c_.tag[i], g = c_.gold[i];
        const int allowed = c_.allowed[i];
        forEachInstantiation(c_, p, [&](int tmpl, int a, int b) {
            if (t != g) {
                if (!c_.allowedTo(p, g)) return;
                const std::uint64_t key = pack(t, g, tmpl, a, b);
                counts_.at(key).good += sign;
                if (recording_) touched_.push_back(key);
            } else if (allowed < 0) {
                const std::uint64_t key = pack(t, kAnyTag, tmpl, a, b);
                anyBad_.at(key).bad += sign;
                if (recording_) touchedAny_.push_back(key);
            } else {
                std::uint64_t mask = c_.masks[static_cast<std::size_t>(allowed)] & ~(std::uint64_t{1} << t);
                while (mask) {
                    const int to = __builtin_ctzll(mask);
                    mask &= mask - 1;
                    const std::uint64_t key = pack(t, to, tmpl, a, b);
                    counts_.at(key).bad += sign;
                    if (recording_) touched_.push_back(key);
                }
            }
        });
    }

    int compareWithFreshCounts() {
        CountTable kept = counts_, keptAny = anyBad_;
        counts_ = CountTable(1u << 16);
        anyBad_ = CountTable(1u << 16);
        const bool was = recording_;
        recording_ = false;
        for (int p = 0; p < c_.size(); ++p) contribute(p, +1);
        recording_ = was;
        int mismatches = 0;
        auto compare = [&](const CountTable& fresh, const CountTable& old) {
            old.forEach([&](std::uint64_t key, const CountTable::Counts& v) {
                const CountTable::Counts* f = fresh.find(key);
                const CountTable::Counts zero;
                if (!f) f = &zero;
                if (f->good != v.good || f->bad != v.bad) ++mismatches;
            });
            fresh.forEach([&](std::uint64_t key, const CountTable::Counts& v) {
                if (!old.find(key) && (v.good != 0 || v.bad != 0)) ++mismatches;
            });
        };
        compare(counts_, kept);
        compare(anyBad_, keptAny);
        counts_ = std::move(kept);
        anyBad_ = std::move(keptAny);
        return mismatches;
    }

    int exactGain(std::uint64_t key) {
        const ContextualRule rule = unpack(key);
        changes_.clear();
        applyContextualRule(c_, rule, &changes_);
        int gain = 0;
        for (const TagChange& ch : changes_) {
            const int g = c_.gold[static_cast<std::size_t>(ch.position)];
            gain += (g == rule.to) - (g == ch.oldTag);
        }
        for (auto it = changes_.rbegin(); it != changes_.rend(); ++it)
            c_.tag[static_cast<std::size_t>(it->position)] = it->oldTag;
        return gain;
    }

    void apply(const ContextualRule& rule) {
        changes_.clear();
        applyContextualRule(c_, rule, &changes_);
        for (auto it = changes_.rbegin(); it != changes_.rend(); ++it)
            c_.tag[static_cast<std::size_t>(it->position)] = it->oldTag;
        affected_.clear();
        for (const TagChange& ch : changes_) {
            const int first = c_.sentFirst[static_cast<std::size_t>(ch.position)];
            const int last = c_.sentLast[static_cast<std::size_t>(ch.position)];
            for (int q = std::max(first, ch.position - 3); q <= std::min(last, ch.position + 3); ++q)
                affected_.push_back(q);
        }
        std::sort(affected_.begin(), affected_.end());
        affected_.erase(std::unique(affected_.begin(), affected_.end()), affected_.end());
        touched_.clear();
        touchedAny_.clear();
        for (int q : affected_) contribute(q, -1);
        for (const TagChange& ch : changes_) c_.tag[static_cast<std::size_t>(ch.position)] = rule.to;
        for (int q : affected_) contribute(q, +1);
        // A changed "any tag" count moves every rule with that context.
        for (std::uint64_t anyKey : touchedAny_)
            for (int to = 0; to < c_.tags.size(); ++to) touched_.push_back(withTo(anyKey, to));
        std::sort(touched_.begin(), touched_.end());
        touched_.erase(std::unique(touched_.begin(), touched_.end()), touched_.end());
        for (std::uint64_t k : touched_) {
            const CountTable::Counts* v = counts_.find(k);
            if (v && v->good > 0) heap_.push({score(k), k, false});
        }
    }

    CtxCorpus& c_;
    const ContextualLearnerOptions& options_;
    CountTable counts_;
    CountTable anyBad_{1u << 16};
    std::priority_queue<Entry> heap_;
    std::vector<std::uint64_t> touched_;
    std::vector<std::uint64_t> touchedAny_;
    std::vector<TagChange> changes_;
    std::vector<int> affected_;
    bool recording_ = true;
};

}  // namespace

ContextualLearnerResult learnContextualRules(CtxCorpus& corpus, const ContextualLearnerOptions& options) {
    Learner learner(corpus, options);
    return learner.run();
}

}  // namespace langdata
