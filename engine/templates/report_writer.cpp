#include "engine/templates/report_writer.h"

#include <algorithm>
#include <charconv>

#include "engine/templates/match_graph.h"
#include "engine/templates/template_file.h"
#include "engine/text/escaping.h"

namespace zintra {

namespace {

void appendNumber(std::string& out, uint64_t value) {
    char digits[24];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

bool wrongFiller(const ExpectedElement* e) { return e && e->filler && e->filler->kind == FillerKind::Wrong; }

// Calls visit for each comment an element's filler cites that exists with a
// text; the citations end at the first negative number.
template <class F>
void forEachComment(const ExpectedElement* e, const TemplateFile& file, const TemplateFile* global, F&& visit) {
    if (!e || !e->filler) return;
    for (int32_t number : e->filler->comments) {
        if (number < 0) break;
        const Comment* comment = file.comment(number, global);
        if (comment && (!comment->english.empty() || !comment->japanese.empty())) visit(number);
    }
}

template <class F>
void forEachCandidate(const ExpectedElement* e, F&& visit) {
    if (!e || e == &nothingElement()) return;
    if (wrongFiller(e)) {
        if (e->node)
            for (std::string_view text : e->node->candidates) visit(text);
        return;
    }
    if (!e->word.empty()) visit(e->word);
}

class Writer {
  public:
    Writer(std::vector<ReportItem>& items, const TemplateFile& file, const TemplateFile* global, std::string& out,
           std::vector<int32_t>& comments)
        : items_(items), file_(file), global_(global), out_(out), comments_(comments) {}

    void write() {
        comments_.clear();
        out_ += "<div>";
        size_t blockFirst = 0;
        for (size_t i = 0; i < items_.size(); ++i) {
            ReportItem& item = items_[i];
            if (item.phrase && item.has(kFlagPhraseOpen)) {
                uint32_t mask =
                    (item.node ? kFlagComments : 0) |
                    (item.filler ? kFlagCapital | kFlagUnknown | kFlagSpelling | kFlagMissing | kFlagWrong : 0);
                openBlock(item, mask);
            }
            if (item.node && item.has(kFlagNodeOpen)) {
                blockFirst = i;
                out_ += "<div>";
                if (wrongFiller(item.expected)) {
                    item.flags |= kFlagWrongFiller;
                    if (nodeBlockDiffers(i)) item.flags |= kFlagNodeDiffers;
                }
                out_ += "<B>";
                appendCode(item, item.filler ? kErrorFlags : 0);
                out_ += "</B>";
            }
            if (item.filler) {
                if (item.has(kFlagComments) && wrongFiller(item.filler)) item.flags |= kFlagWrongFiller;
                openBlock(item, item.node ? kFlagComments : 0);
            }
            out_ += "<span>";
            appendEscaped(out_, item.word);
            out_ += "</span>";
            if (item.filler) {
                const ExpectedElement* source = item.filler;
                if (item.has(kFlagSwapFirst) && i + 1 < items_.size())
                    source = items_[i + 1].filler;
                else if (item.has(kFlagSwapSecond) && i > 0)
                    source = items_[i - 1].filler;
                forEachCandidate(source, [&](std::string_view text) { candidate(text); });
                if (item.has(kFlagComments)) {
                    const ExpectedElement* cited = item.filler;
                    if (item.has(kFlagSwapSecond) && i > 0) cited = items_[i - 1].filler;
                    citeAll(cited);
                }
                out_ += "</div>\n";
            }
            if (item.node && item.has(kFlagNodeClose)) {
                if (!item.has(kFlagSwapSecond) || i == 0) {
                    for (std::string_view text : item.node->candidates) candidate(text);
                    const ReportItem& first = items_[blockFirst];
                    citeAll(first.expected ? first.expected : first.filler);
                } else {
                    const ReportItem& previous = items_[i - 1];
                    out_ += "<font>";
                    appendEscaped(out_, item.comparison);
                    out_ += ' ';
                    appendEscaped(out_, previous.comparison);
                    out_ += "</font>";
                    if (previous.filler && item.filler && previous.filler->filler != item.filler->filler)
                        citeAll(previous.filler);
                    citeAll(item.filler);
                }
                out_ += "</div>\n";
            }
            if (item.phrase && item.has(kFlagPhraseClose)) out_ += "</div>\n";
        }
        out_ += "</div>\n";
        writeComments();
    }

  private:
    void appendCode(const ReportItem& item, uint32_t mask) { appendNumber(out_, item.flags & ~mask); }

    void openBlock(const ReportItem& item, uint32_t mask) {
        out_ += "<div><B>";
        appendCode(item, mask);
        out_ += "</B>";
    }

    // In the node block of a wrong filler that opens at item first: whether
    // some item's word differs from its expected word.
    bool nodeBlockDiffers(size_t first) const {
        for (size_t j = first; j < items_.size(); ++j) {
            const ReportItem& item = items_[j];
            if (item.expected ? item.expected->word != item.comparison : !item.comparison.empty()) return true;
            if (item.node == items_[first].node && item.has(kFlagNodeClose)) break;
        }
        return false;
    }

    void candidate(std::string_view text) {
        out_ += "<font>";
        appendEscaped(out_, text);
        out_ += "</font>";
    }

    void citeAll(const ExpectedElement* e) {
        forEachComment(e, file_, global_, [&](int32_t number) {
            out_ += "<p>";
            appendNumber(out_, static_cast<uint32_t>(number));
            out_ += "</p>";
            if (std::find(comments_.begin(), comments_.end(), number) == comments_.end()) comments_.push_back(number);
        });
    }

    void writeComments() {
        out_ += "<div>";
        for (int32_t number : comments_) {
            const TemplateFile* owner = number >= kGlobalCommentOffset ? global_ : &file_;
            const Comment* comment = file_.comment(number, global_);
            if (!comment || !owner) continue;
            out_ += "<div><B>";
            appendNumber(out_, static_cast<uint32_t>(number));
            out_ += "</B>\n<span>";
            out_ += comment->english;
            out_ += "</span>\n<span>";
            out_ += comment->japanese;
            out_ += "</span>\n";
            for (const std::string& id : comment->sentenceIds) {
                std::string_view text = id;
                if (std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; })) {
                    int32_t sample = 0;
                    auto parsed = std::from_chars(id.data(), id.data() + id.size(), sample);
                    const std::string* found = parsed.ec == std::errc() ? owner->sample(sample) : nullptr;
                    text = found ? std::string_view(*found) : std::string_view();
                }
                if (text.empty()) continue;
                out_ += "<p>";
                out_ += text;
                out_ += "</p>\n";
            }
            out_ += "</div>\n";
        }
        out_ += "</div>\n";
    }

    std::vector<ReportItem>& items_;
    const TemplateFile& file_;
    const TemplateFile* global_;
    std::string& out_;
    std::vector<int32_t>& comments_;
};

}  // namespace

void writeReport(std::vector<ReportItem>& items, const TemplateFile& file, const TemplateFile* global, std::string& out,
                 std::vector<int32_t>& comments) {
    Writer(items, file, global, out, comments).write();
}

bool isFreeOfErrors(const std::vector<ReportItem>& items) {
    for (const ReportItem& item : items) {
        if (item.filler) return false;
        if (item.phrase && item.has(kFlagPhraseClose)) return false;
        if (item.node && item.has(kFlagNodeClose) && wrongFiller(item.expected)) return false;
    }
    return true;
}

void collectCandidates(const ExpectedElement* link, std::vector<std::string_view>& out) {
    forEachCandidate(link, [&](std::string_view text) { out.push_back(text); });
}

void collectComments(const ExpectedElement* link, const TemplateFile& file, const TemplateFile* global,
                     std::vector<int32_t>& out) {
    forEachComment(link, file, global, [&](int32_t number) { out.push_back(number); });
}

}  // namespace zintra
