#include "engine/templates/match_graph.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <queue>
#include <unordered_map>

namespace zintra {

namespace {

// A graph larger than this is not built (its template never matches); it
// keeps the alignment's counters within their packed widths.
constexpr size_t kMaxPositions = 500000;
// Positions, elements and Phrase expansions made for all main templates of
// one file together. Phrase fillers can double the work at every level, so
// the count is checked as the expansion goes, not on the finished graph; the
// template that passes it, and every later one of the file, is unmatchable.
constexpr size_t kMaxExpansion = 250000;
// Phrase fillers nest at most this deep (a template that names itself, directly
// or through others, is not expanded again inside itself).
constexpr int kMaxPhraseDepth = 32;

const ExpectedElement kSentinel{FillerKind::Correct, kSentinelWordId, "\xFF", {}, nullptr, nullptr, nullptr};
const ExpectedElement kFullStop{FillerKind::Correct, kEmptyWordId, ".", {}, nullptr, nullptr, nullptr};
const ExpectedElement kNothing{FillerKind::Correct, kNoElementWordId, {}, {}, nullptr, nullptr, nullptr};

// Thrown when a graph cannot be built; its template is left unmatchable.
struct TooLarge {};

}  // namespace

const ExpectedElement& sentinelElement() { return kSentinel; }
const ExpectedElement& fullStopElement() { return kFullStop; }
const ExpectedElement& nothingElement() { return kNothing; }

std::string_view ExpectedElement::modelText() const {
    if (!node || kind == FillerKind::Normal || !node->hasModel) return word;
    return node->modelText;
}

// ---------------------------------------------------------------- vocabulary

Vocabulary::Vocabulary() : table_(arena_, StringTable::kDefaultBuckets) {}

int32_t Vocabulary::find(std::string_view head, std::string_view tail) const {
    const StringTable::Entry* entry = table_.find(head, tail);
    return entry ? entry->number : kUnknownWordId;
}

int32_t Vocabulary::add(std::string_view word, FillerKind kind) {
    bool added = false;
    StringTable::Entry* entry = table_.insert(word, &added);
    if (added) {
        entry->number = static_cast<int>(words_.size());
        words_.push_back(entry->keyView());
        kinds_.push_back(kind);
    }
    return entry->number;
}

void Vocabulary::finish() {
    candidates_.clear();
    table_.forEach([&](const StringTable::Entry& entry) {
        std::string_view word = entry.keyView();
        if (kinds_[entry.number] == FillerKind::Wrong || word.find('\'') != std::string_view::npos) return;
        candidates_.push_back({word.substr(0, word.find('/')), entry.number});
    });
}

namespace {

// Length of the longest common subsequence of a and b, byte by byte.
size_t commonSubsequence(std::string_view a, std::string_view b, std::vector<uint16_t>& row) {
    if (a.size() < b.size()) std::swap(a, b);
    row.assign(b.size() + 1, 0);
    for (char ca : a) {
        uint16_t diagonal = 0;
        for (size_t j = 1; j <= b.size(); ++j) {
            uint16_t above = row[j];
            row[j] = ca == b[j - 1] ? static_cast<uint16_t>(diagonal + 1) : std::max(row[j], row[j - 1]);
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The same length with the bits of a word of at most 64 bytes: bit j of
// matches[c] is set when byte j of the word is c; the bit row of the table
// above, one word per column of the other string (Allison and Dix).
size_t commonSubsequenceBits(const std::array<uint64_t, 256>& matches, size_t wordLength, std::string_view other) {
    uint64_t v = ~uint64_t{0};
    for (char c : other) {
        const uint64_t u = v & matches[static_cast<unsigned char>(c)];
        v = (v + u) | (v - u);
    }
    const uint64_t mask = wordLength == 64 ? ~uint64_t{0} : (uint64_t{1} << wordLength) - 1;
    return wordLength - static_cast<size_t>(std::popcount(v & mask));
}

}  // namespace

int32_t Vocabulary::closest(std::string_view word, std::vector<uint16_t>& scratch) const {
    if (word.size() > 0xFFFF) return kUnknownWordId;
    // Words of up to 64 bytes (all real ones) are compared by their bits.
    const bool bits = word.size() <= 64;
    std::array<uint64_t, 256> matches{};
    if (bits)
        for (size_t j = 0; j < word.size(); ++j) matches[static_cast<unsigned char>(word[j])] |= uint64_t{1} << j;
    const Candidate* best = nullptr;
    size_t bestLength = 0;
    for (const Candidate& candidate : candidates_) {
        if (candidate.compared.size() > 0xFFFF) continue;
        size_t length = bits ? commonSubsequenceBits(matches, word.size(), candidate.compared)
                             : commonSubsequence(candidate.compared, word, scratch);
        if (!best || length > bestLength ||
            (length == bestLength && candidate.compared.size() < best->compared.size())) {
            best = &candidate;
            bestLength = length;
        }
    }
    if (!best || bestLength <= word.size() / 2 || bestLength <= best->compared.size() / 2) return kUnknownWordId;
    return best->id;
}

// ---------------------------------------------------------------- graphs

// Expands the main templates of one file into position graphs.
class GraphBuilder {
  public:
    explicit GraphBuilder(MatchGraphs& out) : out_(out) {}

    void buildAll(const TemplateFile& file) {
        for (const auto& tmpl : file.mainTemplates) {
            PositionGraph graph;
            graph.tmpl = tmpl.get();
            try {
                buildOne(*tmpl, graph);
            } catch (const TooLarge&) {
                graph = PositionGraph();
                graph.tmpl = tmpl.get();
                graph.altBegin_ = {0, 0, 0};  // positions 0 and 1, nothing leads anywhere
                graph.owners_.resize(2);
            }
            out_.maxPositions_ = std::max(out_.maxPositions_, graph.lastPosition() + 1);
            out_.graphs_.push_back(std::move(graph));
        }
        out_.vocabulary_.finish();
    }

  private:
    struct RawAlternative {
        const ExpectedElement* element;
        int32_t target;
    };

    // Counts one more piece of expansion against the file's budget.
    void spend() {
        if (++spent_ > kMaxExpansion) throw TooLarge{};
    }

    int32_t newPosition(const PositionOwner& owner) {
        if (raw_.size() >= kMaxPositions) throw TooLarge{};
        spend();
        raw_.emplace_back();
        owners_.push_back(owner);
        return static_cast<int32_t>(raw_.size()) - 1;
    }

    void add(int32_t from, const ExpectedElement* element, int32_t to) { raw_[from].push_back({element, to}); }

    const ExpectedElement* element(const Filler& filler, std::string_view word, const NodeRecord* node,
                                   const PhraseRecord* phrase) {
        spend();
        ExpectedElement& e = out_.elements_.emplace_back();
        e.kind = filler.kind;
        e.tag = filler.tag;
        e.filler = &filler;
        e.node = node;
        e.phrase = phrase;
        if (word.empty()) {
            e.wordId = kEmptyWordId;
        } else {
            e.wordId = out_.vocabulary_.add(word, filler.kind);
            e.word = out_.vocabulary_.word(e.wordId);
        }
        return &e;
    }

    // The text a template stands for when a Phrase filler offers it as a
    // candidate: the model fillers along its first path.
    std::string_view templateModel(const Template& tmpl) {
        auto known = models_.find(&tmpl);
        if (known != models_.end()) return known->second;
        std::string text;
        std::vector<const Template*> stack;
        appendModel(tmpl, text, stack);
        std::string_view stored = out_.texts_.emplace_back(std::move(text));
        models_.emplace(&tmpl, stored);
        return stored;
    }

    void appendModel(const Template& tmpl, std::string& text, std::vector<const Template*>& stack) {
        if (stack.size() >= kMaxPhraseDepth || std::find(stack.begin(), stack.end(), &tmpl) != stack.end()) return;
        stack.push_back(&tmpl);
        std::vector<const Node*> seen;
        const Node* node = tmpl.startNodes.empty() ? nullptr : tmpl.startNodes.front();
        while (node && std::find(seen.begin(), seen.end(), node) == seen.end()) {
            seen.push_back(node);
            const Filler* model = modelFiller(*node, true);
            if (model && model->isPhrase()) {
                appendModel(*model->phrase, text, stack);
            } else if (model && !model->text.empty()) {
                if (!text.empty()) text += ' ';
                text += model->text;
            }
            node = node->successors.empty() ? nullptr : node->successors.front();
        }
        stack.pop_back();
    }

    // The node's first normal filler, else its first correct one; Phrase
    // fillers count only when allowed.
    static const Filler* modelFiller(const Node& node, bool phrases) {
        for (FillerKind kind : {FillerKind::Normal, FillerKind::Correct})
            for (const Filler& f : node.fillers)
                if (f.kind == kind && (phrases || !f.isPhrase())) return &f;
        return nullptr;
    }

    const NodeRecord* nodeRecord(const Node& node) {
        NodeRecord& record = out_.nodes_.emplace_back();
        record.order = order_++;
        record.node = &node;
        if (const Filler* model = modelFiller(node, false)) {
            record.modelText = model->text;
            record.hasModel = true;
        }
        for (FillerKind kind : {FillerKind::Normal, FillerKind::Correct})
            for (const Filler& f : node.fillers)
                if (f.kind == kind) record.candidates.push_back(f.isPhrase() ? templateModel(*f.phrase) : f.text);
        return &record;
    }

    // Lays the nodes of tmpl between the positions entry and exit.
    void expand(const Template& tmpl, int32_t entry, int32_t exit, const PhraseRecord* phrase) {
        if (stack_.size() >= kMaxPhraseDepth || std::find(stack_.begin(), stack_.end(), &tmpl) != stack_.end()) return;
        stack_.push_back(&tmpl);
        const PositionOwner inside{phrase, nullptr, nullptr};

        // Nodes are laid out once all their predecessors are: a node with one
        // predecessor continues where it ends, a node with several begins at a
        // shared position made once. Nodes on a cycle are never laid out.
        std::unordered_map<const Node*, int> waiting;
        std::unordered_map<const Node*, int32_t> entryOf;
        for (const auto& node : tmpl.nodes)
            for (const Node* successor : node->successors) ++waiting[successor];
        const std::unordered_map<const Node*, int> predecessors = waiting;
        auto merges = [&](const Node* node) { return predecessors.at(node) > 1; };
        auto shared = [&](const Node* node) {
            auto found = entryOf.find(node);
            if (found != entryOf.end()) return found->second;
            int32_t position = newPosition(inside);
            entryOf.emplace(node, position);
            return position;
        };

        std::deque<const Node*> ready;
        for (const Node* start : tmpl.startNodes) {
            entryOf[start] = entry;
            ready.push_back(start);
        }
        while (!ready.empty()) {
            const Node* node = ready.front();
            ready.pop_front();
            int32_t from = entryOf.at(node);
            int32_t to;
            if (node->successors.empty()) {
                to = exit;
            } else if (node->successors.size() == 1 && merges(node->successors.front())) {
                to = shared(node->successors.front());
            } else {
                to = newPosition(inside);
            }
            layFillers(*node, from, to, phrase);
            for (const Node* successor : node->successors) {
                if (merges(successor)) {
                    int32_t begin = shared(successor);
                    if (begin != to) add(to, nullptr, begin);
                } else {
                    entryOf[successor] = to;
                }
                if (--waiting[successor] == 0) ready.push_back(successor);
            }
        }
        stack_.pop_back();
    }

    void layFillers(const Node& node, int32_t from, int32_t to, const PhraseRecord* phrase) {
        const NodeRecord* record = nodeRecord(node);
        for (const Filler& filler : node.fillers) {
            if (filler.isPhrase()) {
                spend();
                PhraseRecord& inner = out_.phrases_.emplace_back();
                inner.order = order_++;
                inner.tmpl = filler.phrase;
                expand(*filler.phrase, from, to, &inner);
                continue;
            }
            if (!filler.chain) {
                add(from, element(filler, filler.text, record, phrase), to);
                continue;
            }
            const PositionOwner chainOwner{phrase, record, &filler};
            int32_t at = from;
            for (const WordNode* word = filler.chain; word; word = word->next) {
                int32_t next = word->next ? newPosition(chainOwner) : to;
                add(at, element(filler, word->word, record, phrase), next);
                at = next;
            }
        }
    }

    void buildOne(const Template& tmpl, PositionGraph& graph) {
        raw_.clear();
        owners_.clear();
        stack_.clear();  // a template given up on leaves its expansion unfinished
        const PositionOwner top{};
        int32_t start = newPosition(top);
        int32_t entry = newPosition(top);
        int32_t exit = newPosition(top);
        int32_t end = newPosition(top);
        add(start, &kSentinel, entry);
        expand(tmpl, entry, exit, nullptr);
        add(exit, &kSentinel, end);
        number(start, end, graph);
    }

    // Numbers the positions in topological order (ties in the order they
    // were made; the end position last) and stores the alternatives by position.
    void number(int32_t start, int32_t end, PositionGraph& graph) {
        size_t count = raw_.size();
        std::vector<int32_t> incoming(count, 0);
        for (const auto& alts : raw_)
            for (const RawAlternative& alt : alts) ++incoming[alt.target];
        std::priority_queue<int32_t, std::vector<int32_t>, std::greater<>> ready;
        for (size_t p = 0; p < count; ++p)
            if (incoming[p] == 0 && static_cast<int32_t>(p) != end) ready.push(static_cast<int32_t>(p));
        std::vector<int32_t> order;
        std::vector<int32_t> numberOf(count, -1);
        order.reserve(count);
        bool endReady = incoming[end] == 0;
        (void)start;  // made first with nothing leading to it, so it becomes position 0
        while (!ready.empty() || endReady) {
            int32_t p;
            if (!ready.empty()) {
                p = ready.top();
                ready.pop();
            } else {
                p = end;
                endReady = false;
            }
            numberOf[p] = static_cast<int32_t>(order.size());
            order.push_back(p);
            for (const RawAlternative& alt : raw_[p]) {
                if (--incoming[alt.target] == 0) {
                    if (alt.target == end)
                        endReady = true;
                    else
                        ready.push(alt.target);
                }
            }
        }
        // The raw graph has no cycle by construction, so every position is
        // numbered; should one not be, the template is left unmatchable.
        if (order.size() != count || order.back() != end) throw TooLarge{};
        graph.altBegin_.assign(order.size() + 1, 0);
        graph.owners_.resize(order.size());
        graph.alts_.clear();
        graph.sources_.clear();
        for (size_t i = 0; i < order.size(); ++i) {
            graph.altBegin_[i] = static_cast<int32_t>(graph.alts_.size());
            graph.owners_[i] = owners_[order[i]];
            for (const RawAlternative& alt : raw_[order[i]]) {
                graph.alts_.push_back({alt.element, numberOf[alt.target]});
                graph.sources_.push_back(static_cast<int32_t>(i));
            }
        }
        graph.altBegin_[order.size()] = static_cast<int32_t>(graph.alts_.size());
    }

    MatchGraphs& out_;
    std::vector<std::vector<RawAlternative>> raw_;
    std::vector<PositionOwner> owners_;
    std::vector<const Template*> stack_;
    std::unordered_map<const Template*, std::string_view> models_;
    int32_t order_ = 0;
    size_t spent_ = 0;
};

MatchGraphs::MatchGraphs(const TemplateFile& file) {
    GraphBuilder builder(*this);
    builder.buildAll(file);
}

MatchGraphSlot::MatchGraphSlot() = default;
MatchGraphSlot::~MatchGraphSlot() = default;

const MatchGraphs& MatchGraphSlot::get(const TemplateFile& file) const {
    std::call_once(once_, [&] { graphs_ = std::make_unique<const MatchGraphs>(file); });
    return *graphs_;
}

const MatchGraphs& matchGraphsOf(const TemplateFile& file) { return file.matchGraphs.get(file); }

}  // namespace zintra
