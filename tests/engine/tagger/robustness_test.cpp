#include <gtest/gtest.h>

#include <random>
#include <string>

#include "../language/language_fixture.h"
#include "engine/language/tokenizer.h"
#include "engine/phrase/annotations.h"
#include "engine/text/token_spans.h"

namespace zintra {
namespace {

// Random text over the bytes that steer the splitter and the tokenizer.
std::string randomText(std::mt19937& random, size_t maxLength) {
    static const char kBytes[] = "aZ.,:-&#x;0 9()\"'/\t\xE3\x81\x82\x80\xFFnts";
    std::string text;
    size_t length = random() % maxLength;
    for (size_t i = 0; i < length; ++i) text += kBytes[random() % (sizeof kBytes - 1)];
    return text;
}

// Every token list is well linked: prev mirrors next, compounds hold at
// least two members, and a text without blanks inside words yields words.
void checkLinks(const Token* first) {
    const Token* prev = nullptr;
    for (const Token* t = first; t; prev = t, t = t->next) {
        ASSERT_EQ(t->prev, prev);
        ASSERT_NE(t->tag, nullptr);
        if (t->children) {
            ASSERT_EQ(t->children->prev, t);
            ASSERT_NE(t->children->next, nullptr);
        } else if (!t->fixed) {
            ASSERT_NE(t->word[0], '\0');
        }
    }
}

TEST(RobustnessTest, RandomTextIsTokenisedTaggedAndRewrittenSafely) {
    test::LanguageText t;
    t.config =
        "TN_SYMBOL ,;:\"()\nTN_TWO_SYMBOL \"--\" \"x\"\nSPECIAL_HEAD \"&#\" \"\"\nSPECIAL_TAIL \"s\" \"\" \"n't\"\n"
        "DEL_TAIL_STRING \"..\" \"\"\nDEL_TAIL_SYMBOL .\n";
    t.lexicon = "a DT\nZ NN\n. .\nas IN\nn't RB\n";
    t.lexicalRules = "s hassuf 1 NNS x\nNN a fchar JJ x\nx deletesuf 9 VB x\n";
    t.compounds = "a a/NN\na Z a/JJ\n";
    t.contextualRules = "NN VB PREVTAG STAART\nJJ NN NEXT1OR2OR3WD a\nNNS DT WDAND2TAGAFT s NN\n";
    test::LanguageFixture f(t);
    std::mt19937 random(7);
    for (int i = 0; i < 3000; ++i) {
        std::string text = randomText(random, 60);
        f.arena.clear();
        const Token* first = tagSentence(f.data, text, f.arena);
        checkLinks(first);
        TokenSpans spans(f.data.splitter(), text);
        ASSERT_LE(spans.count(), TokenSpans::kMaxSpans);
        for (int k = 0; k < spans.count(); ++k) ASSERT_FALSE(spans.copy(k).empty());
        std::string rewritten = rewriteAnnotations(f.data.splitter(), text);
        f.arena.clear();
        checkLinks(tagSentence(f.data, rewritten, f.arena));
        std::string stripped = text;
        stripAnnotations(stripped);
        ASSERT_EQ(stripped.size(), text.size());
    }
}

TEST(RobustnessTest, RandomRuleAndDictionaryLinesAreReadSafely) {
    std::mt19937 random(11);
    static const char* const kFields[] = {
        "NN",           "VB",       "x",           "s",    "hassuf",  "fhassuf",    "deletepref",
        "addsuf",       "goodleft", "fgoodright",  "char", "PREVTAG", "NEXTBIGRAM", "CURWD",
        "WDAND2TAGAFT", "-3",       "99999999999", "/",    "//",      "#",          "STAART"};
    std::string lines;
    for (int i = 0; i < 2000; ++i) {
        int n = static_cast<int>(random() % 7);
        for (int k = 0; k < n; ++k) lines += std::string(k ? " " : "") + kFields[random() % std::size(kFields)];
        lines += '\n';
    }
    test::LanguageText t;
    t.lexicon = lines;
    t.lexicalRules = lines;
    t.bigrams = lines;
    t.compounds = lines;
    t.contextualRules = lines;
    test::LanguageFixture f(t);
    for (int i = 0; i < 500; ++i) {
        std::string sentence;
        for (int k = 0; k < 8; ++k) sentence += std::string(k ? " " : "") + kFields[random() % std::size(kFields)];
        f.arena.clear();
        checkLinks(tagSentence(f.data, sentence, f.arena));
    }
}

}  // namespace
}  // namespace zintra

namespace zintra {
namespace {

// The contextual rules applied the plain way: real STAART tokens in front,
// every rule walking every token, words and tags compared as text.
class PlainRules {
  public:
    explicit PlainRules(const LanguageData& data) : data_(data) {}

    void apply(Token* first, Arena& arena) const {
        Token* s1 = makeToken(arena);
        Token* s2 = makeToken(arena);
        s1->word = s1->tag = s2->word = s2->tag = "STAART";
        s1->next = s2;
        s2->prev = s1;
        s2->next = first;
        if (first) first->prev = s2;
        for (const ContextualRule& r : data_.contextualRules().rules()) {
            if (r.test == ContextTest::None) continue;
            for (Token* t = s1; t; t = t->next) {
                if (t->fixed || !*t->word || std::string_view(t->tag) != r.from) continue;
                if (const LexiconEntry* e = data_.lexicon().lookup(t->word)) {
                    bool listed = false;
                    for (int i = 0; i < e->count; ++i) listed = listed || std::string_view(e->tags[i]) == r.to;
                    if (!listed) continue;
                }
                if (holds(r, t)) t->tag = r.to;
            }
        }
        if (first) first->prev = nullptr;
    }

  private:
    static const Token* at(const Token* t, int offset) {
        for (; t && offset > 0; --offset) t = t->next;
        for (; t && offset < 0; ++offset) t = t->prev;
        return t;
    }
    static bool tag(const Token* t, int offset, const char* a) {
        const Token* u = at(t, offset);
        return u && std::string_view(u->tag) == a;
    }
    static bool word(const Token* t, int offset, const char* a) {
        const Token* u = at(t, offset);
        return u && std::string_view(u->word) == a;
    }
    static bool holds(const ContextualRule& r, const Token* t) {
        const char *a = r.a, *b = r.b;
        switch (r.test) {
            case ContextTest::None: return false;
            case ContextTest::NextTag: return tag(t, 1, a);
            case ContextTest::Next2Tag: return tag(t, 2, a);
            case ContextTest::Next1Or2Tag: return tag(t, 1, a) || tag(t, 2, a);
            case ContextTest::Next1Or2Or3Tag: return tag(t, 1, a) || tag(t, 2, a) || tag(t, 3, a);
            case ContextTest::PrevTag: return tag(t, -1, a);
            case ContextTest::Prev2Tag: return tag(t, -2, a);
            case ContextTest::Prev1Or2Tag: return tag(t, -1, a) || tag(t, -2, a);
            case ContextTest::Prev1Or2Or3Tag: return tag(t, -1, a) || tag(t, -2, a) || tag(t, -3, a);
            case ContextTest::NextWd: return word(t, 1, a);
            case ContextTest::CurWd: return word(t, 0, a);
            case ContextTest::Next2Wd: return word(t, 2, a);
            case ContextTest::Next1Or2Wd: return word(t, 1, a) || word(t, 2, a);
            case ContextTest::Next1Or2Or3Wd: return word(t, 1, a) || word(t, 2, a) || word(t, 3, a);
            case ContextTest::PrevWd: return word(t, -1, a);
            case ContextTest::Prev2Wd: return word(t, -2, a);
            case ContextTest::Prev1Or2Wd: return word(t, -1, a) || word(t, -2, a);
            case ContextTest::Prev1Or2Or3Wd: return word(t, -1, a) || word(t, -2, a) || word(t, -3, a);
            case ContextTest::SurroundTag: return tag(t, -1, a) && tag(t, 1, b);
            case ContextTest::PrevBigram: return tag(t, -2, a) && tag(t, -1, b);
            case ContextTest::NextBigram: return tag(t, 1, a) && tag(t, 2, b);
            case ContextTest::LBigram: return word(t, -1, a) && word(t, 0, b);
            case ContextTest::WdPrevTag: return tag(t, -1, a) && word(t, 0, b);
            case ContextTest::RBigram: return word(t, 0, a) && word(t, 1, b);
            case ContextTest::WdNextTag: return word(t, 0, a) && tag(t, 1, b);
            case ContextTest::WdAnd2Bfr: return word(t, -2, a) && word(t, 0, b);
            case ContextTest::WdAnd2TagBfr: return tag(t, -2, a) && word(t, 0, b);
            case ContextTest::WdAnd2Aft: return word(t, 0, a) && word(t, 2, b);
            case ContextTest::WdAnd2TagAft: return word(t, 0, a) && tag(t, 2, b);
        }
        return false;
    }

    const LanguageData& data_;
};

TEST(RobustnessTest, IndexedRulesTagLikeThePlainWalk) {
    static const char* const kWords[] = {"the", "run", "a", "dog", "runs", "to", "fast", "STAART", "zz"};
    static const char* const kTags[] = {"DT", "NN", "VB", "JJ", "NNS", "TO", "RB", "STAART"};
    static const char* const kNames[] = {
        "NEXTTAG",       "NEXT2TAG",       "NEXT1OR2TAG", "NEXT1OR2OR3TAG", "PREVTAG",       "PREV2TAG",
        "PREV1OR2TAG",   "PREV1OR2OR3TAG", "NEXTWD",      "CURWD",          "NEXT2WD",       "NEXT1OR2WD",
        "NEXT1OR2OR3WD", "PREVWD",         "PREV2WD",     "PREV1OR2WD",     "PREV1OR2OR3WD", "SURROUNDTAG",
        "PREVBIGRAM",    "NEXTBIGRAM",     "LBIGRAM",     "WDPREVTAG",      "RBIGRAM",       "WDNEXTTAG",
        "WDAND2BFR",     "WDAND2TAGBFR",   "WDAND2AFT",   "WDAND2TAGAFT"};
    std::mt19937 random(5);
    for (int round = 0; round < 40; ++round) {
        test::LanguageText t;
        t.config = "DEL_TAIL_SYMBOL .\n";
        t.lexicon = "the DT\nrun VB NN JJ\na DT\ndog NN VB\nruns VBZ NNS\nto TO\nfast RB JJ NN VB\n";
        t.compounds = "a dog/NN\n";
        for (int r = 0; r < 60; ++r) {
            std::string name = kNames[random() % std::size(kNames)];
            bool wordArgument = name.find("WD") != std::string::npos || name.find("BIGRAM") == 1;
            t.contextualRules += test::cat(
                kTags[random() % std::size(kTags)], " ", kTags[random() % std::size(kTags)], " ", name, " ",
                wordArgument && random() % 2 ? kWords[random() % std::size(kWords)]
                                             : kTags[random() % std::size(kTags)],
                " ", random() % 2 ? kWords[random() % std::size(kWords)] : kTags[random() % std::size(kTags)], "\n");
        }
        test::LanguageFixture f(t);
        PlainRules plain(f.data);
        for (int s = 0; s < 50; ++s) {
            std::string sentence;
            int length = 1 + static_cast<int>(random() % 90);
            for (int k = 0; k < length; ++k) sentence += test::cat(k ? " " : "", kWords[random() % std::size(kWords)]);
            std::string expected;
            {
                Arena arena;
                Token* first = f.data.compounds().merge(tokenizeSentence(f.data, sentence, arena), arena);
                plain.apply(first, arena);
                expected = test::LanguageFixture::slashForm(first);
            }
            ASSERT_EQ(f.tag(sentence), expected) << sentence << "\n" << t.contextualRules;
        }
    }
}

}  // namespace
}  // namespace zintra
