#include "engine/phrase/annotations.h"

#include <vector>

#include "engine/text/splitter.h"

namespace zintra {

namespace {

bool isBlank(char c) {
    auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

// Position of the annotation mark in a unit: a "/" after the first byte that
// is not part of a doubled "//"; npos when there is none.
size_t annotationMark(std::string_view unit) {
    for (size_t k = 1; k < unit.size(); ++k) {
        if (unit[k] != '/') continue;
        if (unit[k - 1] == '/' || (k + 1 < unit.size() && unit[k + 1] == '/')) continue;
        return k;
    }
    return std::string_view::npos;
}

// Whether a unit is an annotation of what precedes it ("/TAG", not "//").
bool isTagUnit(std::string_view unit) { return unit.size() > 1 && unit[0] == '/' && unit[1] != '/'; }

// Splits a written tag into the tag and the run of "." that ends it.
void splitDots(std::string_view written, std::string_view& tag, std::string_view& dots) {
    size_t end = written.size();
    while (end > 0 && written[end - 1] == '.') --end;
    tag = written.substr(0, end);
    dots = written.substr(end);
}

// "(TAG body)", built by appending (GCC 12 warns wrongly about chained +).
std::string group(std::string_view tag, std::string_view body) {
    std::string out;
    out.reserve(tag.size() + body.size() + 3);
    out.append(1, '(').append(tag).append(1, ' ').append(body).append(1, ')');
    return out;
}

std::string joined(const std::vector<std::string>& units, size_t from) {
    std::string out;
    for (size_t i = from; i < units.size(); ++i) {
        if (i > from) out += ' ';
        out += units[i];
    }
    return out;
}

}  // namespace

std::string rewriteAnnotations(const Splitter& splitter, std::string_view text) {
    std::string buffer(text);
    std::vector<std::string_view> tokens;
    for (const char* pos = buffer.c_str();;) {
        std::string_view t = splitter.nextToken(pos);
        if (t.empty()) break;
        // Configured symbols may cut "/" off the tag that directly follows
        // it ("/NN" read as "/" and "NN"): the pieces are glued back.
        if (!tokens.empty()) {
            std::string_view& last = tokens.back();
            bool adjacent = last.data() + last.size() == t.data();
            bool slashStart = last[0] == '/' && last.substr(0, 2) != "//";
            if (adjacent && slashStart && t[0] != '/' && t != "(" && t != ")") {
                last = std::string_view(last.data(), last.size() + t.size());
                continue;
            }
        }
        tokens.push_back(t);
    }

    std::vector<std::string> units;
    std::vector<size_t> open;  // index in units where each open bracket's phrase starts
    // Writes "(TAG body)" and the dots that followed the tag.
    auto annotated = [&](std::string_view written, const std::string& body) {
        std::string_view tag, dots;
        splitDots(written, tag, dots);
        if (tag.empty()) return false;
        units.push_back(group(tag, body));
        if (!dots.empty()) units.emplace_back(dots);
        return true;
    };

    for (size_t i = 0; i < tokens.size(); ++i) {
        std::string_view t = tokens[i];
        bool nextIsTag = i + 1 < tokens.size() && isTagUnit(tokens[i + 1]);
        if (t == "(") {
            open.push_back(units.size());
            continue;
        }
        if (t == ")") {
            if (open.empty()) {
                units.emplace_back(t);  // closes nothing: copied unchanged
                continue;
            }
            size_t from = open.back();
            open.pop_back();
            std::string phrase = joined(units, from);
            units.resize(from);
            if (nextIsTag && annotated(tokens[i + 1].substr(1), phrase)) {
                ++i;
            } else {
                units.push_back(group("NN", phrase));
            }
            continue;
        }
        if (t[0] != '/') {
            size_t mark = annotationMark(t);
            if (mark != std::string_view::npos && annotated(t.substr(mark + 1), std::string(t.substr(0, mark))))
                continue;
            if (mark == std::string_view::npos && nextIsTag && annotated(tokens[i + 1].substr(1), std::string(t))) {
                ++i;
                continue;
            }
        }
        units.emplace_back(t);
    }
    // Brackets that never closed are written back as they were.
    while (!open.empty()) {
        units.insert(units.begin() + static_cast<std::ptrdiff_t>(open.back()), "(");
        open.pop_back();
    }
    return joined(units, 0);
}

void stripAnnotations(std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '(' || c == ')') {
            text[i] = ' ';
            continue;
        }
        if (c != '/') continue;
        if (i + 1 < text.size() && text[i + 1] == '/') {
            ++i;  // a doubled "//" is text, not an annotation
            continue;
        }
        if (i > 0 && text[i - 1] == '/') continue;
        text[i] = ' ';
        size_t j = i + 1;
        while (j < text.size() && isBlank(text[j])) text[j++] = ' ';
        size_t tagStart = j;
        while (j < text.size() && !isBlank(text[j]) && text[j] != '(' && text[j] != ')' && text[j] != '/') ++j;
        size_t tagEnd = j;
        while (tagEnd > tagStart && text[tagEnd - 1] == '.') --tagEnd;  // a final "." stays
        for (size_t k = tagStart; k < tagEnd; ++k) text[k] = ' ';
        i = j - 1;
    }
}

}  // namespace zintra
