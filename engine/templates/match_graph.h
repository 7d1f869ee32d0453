// The graphs of expected words that sentences are aligned with: one
// PositionGraph per main template of a file, and the file's vocabulary (every
// word the graphs expect). Built once per loaded file on its first match and
// read-only afterwards, so concurrent requests share them without locking.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/templates/match_graph_slot.h"
#include "engine/templates/template_file.h"
#include "engine/text/arena.h"
#include "engine/text/string_table.h"

namespace zintra {

// Word ids that never equal a vocabulary id (vocabulary ids count from 0).
inline constexpr int32_t kUnknownWordId = -1;    // a learner's word the vocabulary lacks
inline constexpr int32_t kEmptyWordId = -2;      // an element with an empty word
inline constexpr int32_t kSentinelWordId = -3;   // the sentinel word (the byte 0xFF)
inline constexpr int32_t kNoElementWordId = -4;  // an empty step

// One expansion of a template node in a graph (a node reached through two
// Phrase fillers has two). Records of one file graph are numbered in the
// order they were made; node and phrase records share that numbering.
struct NodeRecord {
    int32_t order = 0;
    const Node* node = nullptr;
    // The texts that may stand in the node's place: its normal fillers, then
    // its correct ones (a Phrase filler by its template's model text).
    std::vector<std::string_view> candidates;
    // The text of its first normal filler, else of its first correct one
    // (empty when it has neither).
    std::string_view modelText;
    bool hasModel = false;
};

// One expansion of a Phrase filler.
struct PhraseRecord {
    int32_t order = 0;
    const Template* tmpl = nullptr;
};

// One expected word: a word of a filler at one place of a graph.
struct ExpectedElement {
    FillerKind kind = FillerKind::Correct;
    int32_t wordId = kEmptyWordId;
    std::string_view word;  // interned in the vocabulary (stable)
    std::string_view tag;
    const Filler* filler = nullptr;        // whose comments it cites; null for the fixed elements
    const NodeRecord* node = nullptr;      // null for the fixed elements
    const PhraseRecord* phrase = nullptr;  // innermost Phrase expansion; null at the top level

    bool isWrong() const { return kind == FillerKind::Wrong; }
    // The text the learner should have written here: its own word, or for an
    // element of a correct or wrong filler its node's model text.
    std::string_view modelText() const;
};

// The process-wide fixed elements.
const ExpectedElement& sentinelElement();  // word "\xFF", kind correct
const ExpectedElement& fullStopElement();  // word ".", kind correct
// The filler link of a word nothing is expected for: no candidates, no comments.
const ExpectedElement& nothingElement();

// One step of a graph: an expected element (none for an empty step) leading
// from its position to a later one.
struct Alternative {
    const ExpectedElement* element = nullptr;
    int32_t target = 0;
};

// What a position lies inside: the innermost Phrase expansion that made it,
// and for a position inside a word chain the node and filler of that chain.
struct PositionOwner {
    const PhraseRecord* phrase = nullptr;
    const NodeRecord* node = nullptr;
    const Filler* filler = nullptr;
};

// The graph of one main template: positions 0 to m in topological order.
// Position 0 holds the start sentinel (leading to position 1, where the
// template begins); the end sentinel leads into position m.
class PositionGraph {
  public:
    const Template* tmpl = nullptr;

    int32_t lastPosition() const { return static_cast<int32_t>(altBegin_.size()) - 2; }
    // The alternatives of position p (p below m), in the order of the fillers.
    const Alternative* begin(int32_t p) const { return alts_.data() + altBegin_[p]; }
    const Alternative* end(int32_t p) const { return alts_.data() + altBegin_[p + 1]; }
    int32_t firstAlternative(int32_t p) const { return altBegin_[p]; }
    const Alternative& alternative(int32_t index) const { return alts_[index]; }
    // The position an alternative leads from.
    int32_t source(int32_t index) const { return sources_[index]; }
    size_t alternativeCount() const { return alts_.size(); }
    const PositionOwner& owner(int32_t p) const { return owners_[p]; }

  private:
    friend class GraphBuilder;
    std::vector<int32_t> altBegin_;  // m + 2 entries: position p's alternatives are [altBegin_[p], altBegin_[p+1])
    std::vector<Alternative> alts_;
    std::vector<int32_t> sources_;  // per alternative
    std::vector<PositionOwner> owners_;
};

// The words the graphs of one file expect, in a string table of 97 buckets
// (so that its iteration order is the table's). Entry number = word id; the
// kind of an entry is that of the first element that entered it.
class Vocabulary {
  public:
    Vocabulary();
    Vocabulary(const Vocabulary&) = delete;
    Vocabulary& operator=(const Vocabulary&) = delete;

    // The id of word (head followed by tail), or kUnknownWordId.
    int32_t find(std::string_view head, std::string_view tail = {}) const;
    std::string_view word(int32_t id) const { return words_[id]; }
    FillerKind kind(int32_t id) const { return kinds_[id]; }
    size_t size() const { return words_.size(); }

    // Enters a word (first entry keeps its kind); returns its id.
    int32_t add(std::string_view word, FillerKind kind);
    // Makes the list of spelling candidates; called once all words are in.
    void finish();

    // The closest vocabulary word to a learner's word by longest common
    // subsequence, or kUnknownWordId. scratch is working memory.
    int32_t closest(std::string_view word, std::vector<uint16_t>& scratch) const;
    // Calls f(compared text, id) for each spelling candidate, in the order closest() tries them.
    template <class F>
    void forEachCandidate(F f) const {
        for (const Candidate& c : candidates_) f(c.compared, c.id);
    }

  private:
    struct Candidate {
        std::string_view compared;  // up to the first "/"
        int32_t id;
    };
    Arena arena_;
    StringTable table_;
    std::vector<std::string_view> words_;
    std::vector<FillerKind> kinds_;
    std::vector<Candidate> candidates_;  // in table iteration order
};

// Everything matching needs from one template file.
class MatchGraphs {
  public:
    explicit MatchGraphs(const TemplateFile& file);
    MatchGraphs(const MatchGraphs&) = delete;
    MatchGraphs& operator=(const MatchGraphs&) = delete;

    const Vocabulary& vocabulary() const { return vocabulary_; }
    // One graph per main template, in document order.
    const std::vector<PositionGraph>& graphs() const { return graphs_; }
    // The largest position count of any graph (m + 1).
    int32_t maxPositions() const { return maxPositions_; }

  private:
    friend class GraphBuilder;
    Vocabulary vocabulary_;
    std::vector<PositionGraph> graphs_;
    std::deque<ExpectedElement> elements_;
    std::deque<NodeRecord> nodes_;
    std::deque<PhraseRecord> phrases_;
    std::deque<std::string> texts_;  // model texts of Phrase templates
    int32_t maxPositions_ = 0;
};

// The graphs of a file (built on first use).
const MatchGraphs& matchGraphsOf(const TemplateFile& file);

}  // namespace zintra
