#include "engine/templates/match_items.h"

#include "engine/config/config.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/template_file.h"

namespace zintra {

namespace {

bool finalByte(const Config& config, char c) { return c != '\0' && config.delTailSymbol.find(c) != std::string::npos; }

// A word that ends a sentence: one byte of DEL_TAIL_SYMBOL, or a longer
// DEL_TAIL_STRING entry.
bool isFinal(const Config& config, std::string_view word) {
    if (word.size() == 1) return finalByte(config, word.front());
    return word.size() > 1 && config.delTailString.contains(word);
}

bool beginsWithQuote(std::string_view word) { return !word.empty() && word.front() == '"'; }

}  // namespace

std::string_view settleFinalSymbol(std::vector<PathEntry>& path, const std::vector<ReportItem>& words,
                                   const Config& config) {
    // A template that ends with a final symbol settles it by the alignment.
    for (size_t k = path.size(); k-- > 0;) {
        if (!path[k].element) continue;
        if (isFinal(config, path[k].element->modelText())) return {};
        break;
    }

    size_t last = path.size();
    for (size_t k = path.size(); k-- > 0;)
        if (path[k].item >= 0) {
            last = k;
            break;
        }
    std::string_view lastWord = last < path.size() ? words[path[last].item].comparison : std::string_view();

    if (!isFinal(config, lastWord)) {
        if (!lastWord.empty() && lastWord.back() == '.') return {};
        // The nearest word that is not a quotation decides whether the
        // sentence already ends with a final mark.
        std::string_view before;
        for (size_t k = last + 1; k-- > 0;) {
            if (k >= path.size() || path[k].item < 0) continue;
            std::string_view word = words[path[k].item].comparison;
            if (!beginsWithQuote(word)) {
                before = word;
                break;
            }
        }
        if (before.empty() || !finalByte(config, before.back())) {
            path.push_back({&fullStopElement(), {}, -1, -1});
            return ".";
        }
        return {};
    }

    // The sentence ends with a final mark that the template does not expect.
    size_t k = last;
    while (k-- > 0) {
        if (path[k].item < 0) continue;
        std::string_view word = words[path[k].item].comparison;
        if (beginsWithQuote(word) || !isFinal(config, word)) {
            if (finalByte(config, word.empty() ? '\0' : word.back())) return {};
            break;
        }
    }
    PathEntry moved{&fullStopElement(), {}, path[last].item, -1};
    if (path[last].element)
        path[last].item = -1;
    else
        path.erase(path.begin() + static_cast<std::ptrdiff_t>(last));
    path.push_back(moved);
    char first = lastWord.front();
    return first == '!' || first == '?' || first == '.' ? std::string_view(".") : lastWord;
}

bool citesComments(const Filler& filler, const TemplateFile& file, const TemplateFile* global) {
    for (int32_t number : filler.comments) {
        if (number < 0) break;
        const Comment* comment = file.comment(number, global);
        if (comment && (!comment->english.empty() || !comment->japanese.empty())) return true;
    }
    return false;
}

namespace {

// Whether an element's filler is reported in a node block: a wrong filler,
// or one that cites comments.
bool reported(const Filler* filler, const TemplateFile& file, const TemplateFile* global) {
    return filler && (filler->kind == FillerKind::Wrong || citesComments(*filler, file, global));
}

// The alternative at the position of item's expected element that belongs to
// the same node and expects word; its own element is tried first.
const Alternative* nodeAlternative(const PositionGraph& graph, const ReportItem& item, std::string_view word,
                                   int32_t* index) {
    if (!item.expected || item.alternative.position < 0) return nullptr;
    if (item.expected->word == word) {
        *index = item.alternative.index;
        return &graph.alternative(item.alternative.index);
    }
    for (int32_t a = graph.firstAlternative(item.alternative.position),
                 end = graph.firstAlternative(item.alternative.position + 1);
         a < end; ++a) {
        const ExpectedElement* e = graph.alternative(a).element;
        if (e && e->node == item.expected->node && !e->word.empty() && e->word == word) {
            *index = a;
            return &graph.alternative(a);
        }
    }
    return nullptr;
}

bool isMissing(const ReportItem& item) { return item.has(kFlagMissing); }
bool isExtra(const ReportItem& item) { return item.has(kFlagExtra); }

void setErrorFlags(ReportItem& item, const TemplateFile& file, const TemplateFile* global) {
    const ExpectedElement* e = item.expected;
    const bool typed = !item.word.empty();
    if (e && !e->word.empty() && !typed) item.flags = (item.flags | kFlagMissing) & ~kFlagSpelling;
    if (!e && typed) item.flags = (item.flags | kFlagExtra) & ~kFlagSpelling;
    if (e && typed && item.comparison != e->word) item.flags = (item.flags | kFlagWrong) & ~kFlagSpelling;
    if (e && reported(e->filler, file, global)) item.flags |= kFlagComments;
}

// Two neighbours typed the wrong way round, "Y X" where the template wants
// "X Y". The alignment shows them as a missing X, a matched Y and a
// superfluous X, or (as ties between the two readings go) as a superfluous
// Y, a matched X and a missing Y. Either becomes one pair: "X expected, Y
// typed" followed by "Y expected, X typed". The filler links stay with the
// typed words, so that the report offers each place the other's word.
bool typedAsExpected(const ReportItem& item) {
    return !item.word.empty() && item.expected && item.comparison == item.expected->word;
}

bool isMissingWord(const ReportItem& item) { return isMissing(item) && item.expected && !item.expected->word.empty(); }

bool isExtraWord(const ReportItem& item) { return isExtra(item) && !item.comparison.empty(); }

void makePair(ReportItem& first, ReportItem& second) {
    const uint32_t cleared = kFlagMissing | kFlagExtra | kFlagSpelling | kFlagMisplaced;
    for (ReportItem* item : {&first, &second}) {
        item->flags &= ~cleared;
        item->flags |= kFlagComments;
        if (item->comparison != item->expected->word) item->flags |= kFlagWrong;
        item->position = -1;
    }
    first.flags |= kFlagSwapFirst;
    second.flags |= kFlagSwapSecond;
}

void swapNeighbours(std::vector<ReportItem>& items, const PositionGraph& graph) {
    for (size_t i = 0; i + 2 < items.size(); ++i) {
        const ReportItem& a = items[i];
        const ReportItem& b = items[i + 1];
        const ReportItem& c = items[i + 2];
        if (!typedAsExpected(b)) continue;
        ReportItem first;
        ReportItem second;
        int32_t index = -1;
        if (isMissingWord(a) && isExtraWord(c)) {
            // missing X, matched Y, superfluous X
            const Alternative* x = nodeAlternative(graph, a, c.comparison, &index);
            if (!x) continue;
            first = b;  // Y typed
            first.expected = x->element;
            first.alternative = {a.alternative.position, index};
            first.filler = b.expected;
            second = c;  // X typed
            second.expected = b.expected;
            second.alternative = b.alternative;
            second.filler = x->element;
        } else if (isExtraWord(a) && isMissingWord(c)) {
            // superfluous Y, matched X, missing Y
            const Alternative* y = nodeAlternative(graph, c, a.comparison, &index);
            if (!y) continue;
            first = a;  // Y typed
            first.expected = b.expected;
            first.alternative = b.alternative;
            first.filler = y->element;
            second = b;  // X typed
            second.expected = y->element;
            second.alternative = {c.alternative.position, index};
            second.filler = b.expected;
        } else {
            continue;
        }
        makePair(first, second);
        items[i] = first;
        items[i + 1] = second;
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        ++i;
    }
}

// A missing word whose node offers a word that stands superfluous elsewhere
// in the sentence: both are marked misplaced.
void markMisplaced(std::vector<ReportItem>& items, const PositionGraph& graph) {
    for (ReportItem& missing : items) {
        if (!isMissing(missing) || missing.has(kFlagMisplaced | kFlagSwapFirst | kFlagSwapSecond)) continue;
        for (ReportItem& extra : items) {
            if (!isExtra(extra) || extra.has(kFlagMisplaced) || extra.comparison.empty()) continue;
            int32_t index = -1;
            const Alternative* alt = nodeAlternative(graph, missing, extra.comparison, &index);
            if (!alt) continue;
            missing.expected = alt->element;
            missing.alternative.index = index;
            missing.flags |= kFlagMisplaced;
            extra.flags |= kFlagMisplaced;
            break;
        }
    }
}

bool swapped(const ReportItem& item) { return item.has(kFlagSwapFirst | kFlagSwapSecond); }

// Phrase links mark superfluous words inside a Phrase expansion; node links
// mark the items of a node whose filler is reported (a wrong filler, or one
// that cites comments), superfluous words inside its word chain included.
// A node of a correct filler whose only item needs correcting is reported by
// that item alone, so that its error is not hidden in a block that reads as
// correct. Filler links go to the items that need correcting, except inside
// the block of a wrong filler, which is corrected as a whole.
void setLinks(std::vector<ReportItem>& items, const PositionGraph& graph, const TemplateFile& file,
              const TemplateFile* global) {
    for (ReportItem& item : items) {
        if (swapped(item)) continue;
        if (item.expected) {
            if (item.expected->node && reported(item.expected->filler, file, global)) item.node = item.expected->node;
        } else if (item.position >= 0) {
            const PositionOwner& owner = graph.owner(item.position);
            item.phrase = owner.phrase;
            if (owner.node && reported(owner.filler, file, global)) item.node = owner.node;
        }
    }
    // The filler of a node block is that of its first item.
    auto blockFiller = [&](const NodeRecord* node) -> const Filler* {
        for (const ReportItem& item : items)
            if (item.node == node) return item.expected ? item.expected->filler : graph.owner(item.position).filler;
        return nullptr;
    };
    auto blockSize = [&](const NodeRecord* node) {
        size_t n = 0;
        for (const ReportItem& item : items) n += item.node == node;
        return n;
    };
    for (ReportItem& item : items) {
        if (item.node && item.has(kErrorFlags) && blockFiller(item.node)->kind != FillerKind::Wrong &&
            blockSize(item.node) == 1)
            item.node = nullptr;
    }
    for (ReportItem& item : items) {
        if (swapped(item) || !item.has(kErrorFlags)) continue;
        if (item.node && blockFiller(item.node)->kind == FillerKind::Wrong) continue;
        item.filler = item.expected ? item.expected : &nothingElement();
    }
}

template <class Link>
void markBlocks(std::vector<ReportItem>& items, Link ReportItem::*link, uint32_t open, uint32_t close) {
    int32_t mark = -1;  // order of the last record that opened a block; none yet
    for (size_t i = 0; i < items.size(); ++i) {
        Link record = items[i].*link;
        if (!record || record->order <= mark) continue;
        items[i].flags |= open;
        size_t j = items.size() - 1;
        while (j > i && items[j].*link != record) --j;
        items[j].flags |= close;
        mark = record->order;
    }
}

}  // namespace

void markPhraseBlocks(std::vector<ReportItem>& items) {
    markBlocks(items, &ReportItem::phrase, kFlagPhraseOpen, kFlagPhraseClose);
}

// The node scan starts with no mark of its own rather than carrying over the
// last phrase opened by the phrase scan: a carried-over mark would keep every
// node made before that phrase from opening a block, and the idiom blocks
// (codes 576 and 1600) that the application reads would then be lost
// whenever a phrase block had opened for a Phrase expansion made after them.
void markNodeBlocks(std::vector<ReportItem>& items) {
    markBlocks(items, &ReportItem::node, kFlagNodeOpen, kFlagNodeClose);
}

void buildReportItems(const std::vector<PathEntry>& path, const std::vector<ReportItem>& words,
                      const PositionGraph& graph, const TemplateFile& file, const TemplateFile* global,
                      std::vector<ReportItem>& items) {
    items.clear();
    for (const PathEntry& entry : path) {
        ReportItem item = entry.item >= 0 ? words[entry.item] : ReportItem();
        item.expected = entry.element;
        item.alternative = entry.alternative;
        item.position = entry.element ? -1 : entry.position;
        setErrorFlags(item, file, global);
        items.push_back(item);
    }
    swapNeighbours(items, graph);
    markMisplaced(items, graph);
    setLinks(items, graph, file, global);
    markPhraseBlocks(items);
    markNodeBlocks(items);
}

}  // namespace zintra
