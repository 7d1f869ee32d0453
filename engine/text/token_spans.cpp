#include "engine/text/token_spans.h"

#include "engine/text/splitter.h"

namespace zintra {

namespace {

bool isBlank(char c) {
    auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

}  // namespace

TokenSpans::TokenSpans(const Splitter& splitter, std::string_view text) : text_(text) {
    // A zero byte ends the text, as it would for the C string the splitter reads.
    const char* base = text_.c_str();
    const char* pos = base;
    while (count_ < kMaxSpans) {
        const char* start = pos;
        const char* end = splitter.nextTokenEnd(pos, &start);
        if (end == start) break;
        start_[count_] = static_cast<size_t>(start - base);
        length_[count_] = static_cast<size_t>(end - start);
        ++count_;
        pos = end;
    }
}

std::string_view TokenSpans::span(int i) const {
    if (i < 0 || i >= count_) return {};
    return std::string_view(text_).substr(start_[i], length_[i]);
}

std::string TokenSpans::copy(int i) const {
    std::string_view s = span(i);
    if (!s.empty() && s.front() == '"') return normaliseQuoted(s);
    return std::string(s);
}

std::string TokenSpans::normaliseQuoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 1);
    size_t i = 0;
    while (i < text.size()) {
        if (isBlank(text[i])) {
            while (i < text.size() && isBlank(text[i])) ++i;
            if (out.empty() || out.back() != '"') out += ' ';
            continue;
        }
        out += text[i++];
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == '"')) out.pop_back();
    out += '"';
    return out;
}

}  // namespace zintra
