// The kinds of tagging rules and their text form, shared by the tagger that
// applies the rules and the tool that learns them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zintra {

// Lexical rules (unknown words).
enum class LexicalTest : uint8_t {
    None,  // unknown name, name in the wrong field, or too few fields: never applied
    Char,
    DeletePref,
    HasPref,
    DeleteSuf,
    HasSuf,
    AddPref,
    AddSuf,
    GoodLeft,
    GoodRight,
};

struct LexicalKind {
    const char* name;  // plain rule name; the from-rule's name is "f" and this
    LexicalTest test;
    // The line carries N, the affix length, in the field after the name. The
    // add kinds carry it too, though their tests do not use it.
    bool hasLength;
};

inline constexpr LexicalKind kLexicalKinds[] = {
    {"char", LexicalTest::Char, false},           {"deletepref", LexicalTest::DeletePref, true},
    {"haspref", LexicalTest::HasPref, true},      {"deletesuf", LexicalTest::DeleteSuf, true},
    {"hassuf", LexicalTest::HasSuf, true},        {"addpref", LexicalTest::AddPref, true},
    {"addsuf", LexicalTest::AddSuf, true},        {"goodleft", LexicalTest::GoodLeft, false},
    {"goodright", LexicalTest::GoodRight, false},
};

// The kind of a rule name found in field 1 (plain rules) or 2 (from-rules,
// whose names begin with "f"); null when the name is no rule of that field.
constexpr const LexicalKind* lexicalKindAt(std::string_view name, int field) {
    if (field == 2) {
        if (name.empty() || name.front() != 'f') return nullptr;
        name.remove_prefix(1);
    } else if (field != 1) {
        return nullptr;
    }
    for (const LexicalKind& k : kLexicalKinds)
        if (name == k.name) return &k;
    return nullptr;
}

// Contextual rules: FROM TO NAME A [B].
enum class ContextTest : uint8_t {
    None,  // unknown name or too few fields: never applied
    NextTag,
    Next2Tag,
    Next1Or2Tag,
    Next1Or2Or3Tag,
    PrevTag,
    Prev2Tag,
    Prev1Or2Tag,
    Prev1Or2Or3Tag,
    NextWd,
    CurWd,
    Next2Wd,
    Next1Or2Wd,
    Next1Or2Or3Wd,
    PrevWd,
    Prev2Wd,
    Prev1Or2Wd,
    Prev1Or2Or3Wd,
    SurroundTag,
    PrevBigram,
    NextBigram,
    LBigram,
    WdPrevTag,
    RBigram,
    WdNextTag,
    WdAnd2Bfr,
    WdAnd2TagBfr,
    WdAnd2Aft,
    WdAnd2TagAft,
};

struct ContextualKind {
    const char* name;
    ContextTest test;
    int arguments;  // 1: A only; 2: A and B
    bool aIsWord;   // A names a word (otherwise a tag)
    bool bIsWord;
};

// In the order of ContextTest (without None).
inline constexpr ContextualKind kContextualKinds[] = {
    {"NEXTTAG", ContextTest::NextTag, 1, false, false},
    {"NEXT2TAG", ContextTest::Next2Tag, 1, false, false},
    {"NEXT1OR2TAG", ContextTest::Next1Or2Tag, 1, false, false},
    {"NEXT1OR2OR3TAG", ContextTest::Next1Or2Or3Tag, 1, false, false},
    {"PREVTAG", ContextTest::PrevTag, 1, false, false},
    {"PREV2TAG", ContextTest::Prev2Tag, 1, false, false},
    {"PREV1OR2TAG", ContextTest::Prev1Or2Tag, 1, false, false},
    {"PREV1OR2OR3TAG", ContextTest::Prev1Or2Or3Tag, 1, false, false},
    {"NEXTWD", ContextTest::NextWd, 1, true, false},
    {"CURWD", ContextTest::CurWd, 1, true, false},
    {"NEXT2WD", ContextTest::Next2Wd, 1, true, false},
    {"NEXT1OR2WD", ContextTest::Next1Or2Wd, 1, true, false},
    {"NEXT1OR2OR3WD", ContextTest::Next1Or2Or3Wd, 1, true, false},
    {"PREVWD", ContextTest::PrevWd, 1, true, false},
    {"PREV2WD", ContextTest::Prev2Wd, 1, true, false},
    {"PREV1OR2WD", ContextTest::Prev1Or2Wd, 1, true, false},
    {"PREV1OR2OR3WD", ContextTest::Prev1Or2Or3Wd, 1, true, false},
    {"SURROUNDTAG", ContextTest::SurroundTag, 2, false, false},
    {"PREVBIGRAM", ContextTest::PrevBigram, 2, false, false},
    {"NEXTBIGRAM", ContextTest::NextBigram, 2, false, false},
    {"LBIGRAM", ContextTest::LBigram, 2, true, true},
    {"WDPREVTAG", ContextTest::WdPrevTag, 2, false, true},
    {"RBIGRAM", ContextTest::RBigram, 2, true, true},
    {"WDNEXTTAG", ContextTest::WdNextTag, 2, true, false},
    {"WDAND2BFR", ContextTest::WdAnd2Bfr, 2, true, true},
    {"WDAND2TAGBFR", ContextTest::WdAnd2TagBfr, 2, false, true},
    {"WDAND2AFT", ContextTest::WdAnd2Aft, 2, true, true},
    {"WDAND2TAGAFT", ContextTest::WdAnd2TagAft, 2, true, false},
};
inline constexpr size_t kContextualKindCount = sizeof kContextualKinds / sizeof kContextualKinds[0];

// The position of a name in kContextualKinds, or -1.
constexpr int contextualKindIndex(std::string_view name) {
    for (size_t i = 0; i < kContextualKindCount; ++i)
        if (name == kContextualKinds[i].name) return static_cast<int>(i);
    return -1;
}

}  // namespace zintra
