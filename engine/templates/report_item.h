// One aligned item of a match: a word of the learner's sentence, an expected
// word of the chosen template, or both; with the flags that become its code
// in the report.
#pragma once

#include <cstdint>
#include <string_view>

namespace zintra {

struct ExpectedElement;
struct NodeRecord;
struct PhraseRecord;

// Flag bits of a report item.
inline constexpr uint32_t kFlagCapital = 1;    // a capital letter is wrong
inline constexpr uint32_t kFlagUnknown = 2;    // the word is unknown to the lexicon
inline constexpr uint32_t kFlagSpelling = 4;   // compared as the closest vocabulary word
inline constexpr uint32_t kFlagMissing = 8;    // an expected word is missing
inline constexpr uint32_t kFlagExtra = 16;     // a word nothing is expected for
inline constexpr uint32_t kFlagWrong = 32;     // the word differs from the expected word
inline constexpr uint32_t kFlagComments = 64;  // a wrong filler, or a filler that cites comments
inline constexpr uint32_t kFlagPhraseOpen = 128;
inline constexpr uint32_t kFlagPhraseClose = 256;
inline constexpr uint32_t kFlagNodeOpen = 512;
inline constexpr uint32_t kFlagNodeClose = 1024;
inline constexpr uint32_t kFlagWrongFiller = 2048;  // set by the report writer
inline constexpr uint32_t kFlagNodeDiffers = 4096;  // set by the report writer
inline constexpr uint32_t kFlagSwapFirst = 8192;    // candidates come from the next item
inline constexpr uint32_t kFlagSwapSecond = 16384;  // swapped with the previous item
inline constexpr uint32_t kFlagMisplaced = 32768;

// The bits that make an item need correcting on its own.
inline constexpr uint32_t kErrorFlags =
    kFlagCapital | kFlagUnknown | kFlagSpelling | kFlagMissing | kFlagExtra | kFlagWrong;

// Where an aligned expected element came from in its graph.
struct AlternativeRef {
    int32_t position = -1;  // the graph position the element leads from
    int32_t index = -1;     // the alternative's index in the graph
};

struct ReportItem {
    const ExpectedElement* expected = nullptr;  // none for a word the template does not want
    AlternativeRef alternative;
    std::string_view comparison;  // the word compared with the expected word
    std::string_view word;        // as typed; empty for a missing word
    uint32_t flags = 0;
    // Filler link: the element whose filler gives the item's candidates and
    // comments; set on items that need correcting.
    const ExpectedElement* filler = nullptr;
    const PhraseRecord* phrase = nullptr;  // phrase link
    const NodeRecord* node = nullptr;      // node link
    int32_t position = -1;                 // the graph position of a word nothing is expected for

    bool has(uint32_t flag) const { return (flags & flag) != 0; }
};

}  // namespace zintra
