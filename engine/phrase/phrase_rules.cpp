#include "engine/phrase/phrase_rules.h"

#include <cstring>
#include <vector>

#include "engine/grammar/parser.h"
#include "engine/text/token.h"

namespace zintra {

namespace {

// ---- nodes. A missing child reads as a node with an empty symbol and word.

ParseNode makeNone() {
    ParseNode n;
    n.symbol = "";
    n.word = "";
    return n;
}
const ParseNode kNone = makeNone();

const ParseNode* child(const ParseNode* n, int i) { return i < n->childCount ? n->children[i] : &kNone; }
const ParseNode* first(const ParseNode* n) { return child(n, 0); }
const ParseNode* second(const ParseNode* n) { return child(n, 1); }
const ParseNode* last(const ParseNode* n) { return n->childCount ? n->children[n->childCount - 1] : &kNone; }

bool is(const ParseNode* n, const char* symbol) { return std::strcmp(n->symbol, symbol) == 0; }
bool isLeaf(const ParseNode* n) { return n != &kNone && n->rule < 0; }
bool begins(const char* text, const char* prefix) { return std::strncmp(text, prefix, std::strlen(prefix)) == 0; }
bool same(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

// A node's verb tag: the symbol of its first child.
const char* verbTag(const ParseNode* n) { return first(n)->symbol; }

// While the node has exactly two children, its second child.
const ParseNode* head(const ParseNode* n) {
    while (n->childCount == 2) n = n->children[1];
    return n;
}

// While the node is a VP, its first child.
const ParseNode* chain(const ParseNode* n) {
    while (is(n, "VP")) n = first(n);
    return n;
}

bool participle(const char* tag) { return same(tag, "VBG") || same(tag, "VBN"); }
bool base(const char* tag) { return same(tag, "VB") || same(tag, "VBP"); }
bool letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

const PhraseWords* words(const ParseContext& c) { return static_cast<const PhraseWords*>(c.owner()); }

constexpr int kAllow = 0;
constexpr int kForbid = 1;
int verdict(bool allowed) { return allowed ? kAllow : kForbid; }

// ---- the auxiliary table

struct Auxiliary {
    const char* word;
    const char* tags[2];
};
const Auxiliary kAuxiliaries[] = {
    {"do", {"VB", "VBP"}},    {"did", {"VB", "VBP"}},   {"does", {"VB", "VBP"}},   {"done", {"VB", "VBP"}},
    {"Do", {"VB", "VBP"}},    {"Did", {"VB", "VBP"}},   {"Does", {"VB", "VBP"}},   {"Done", {"VB", "VBP"}},
    {"have", {"VBN", ""}},    {"has", {"VBN", ""}},     {"had", {"VBN", ""}},      {"Have", {"VBN", ""}},
    {"Has", {"VBN", ""}},     {"Had", {"VBN", ""}},     {"is", {"VBN", "VBG"}},    {"are", {"VBN", "VBG"}},
    {"was", {"VBN", "VBG"}},  {"were", {"VBN", "VBG"}}, {"be", {"VBN", "VBG"}},    {"being", {"VBN", "VBG"}},
    {"been", {"VBN", "VBG"}}, {"Is", {"VBN", "VBG"}},   {"Are", {"VBN", "VBG"}},   {"Was", {"VBN", "VBG"}},
    {"Were", {"VBN", "VBG"}}, {"Be", {"VBN", "VBG"}},   {"Being", {"VBN", "VBG"}}, {"Been", {"VBN", "VBG"}},
};

const Auxiliary* auxiliary(std::string_view word) {
    for (const Auxiliary& a : kAuxiliaries)
        if (word == a.word) return &a;
    return nullptr;
}

// ---- the comma-object check

// Nested parses of the comma-object check run the same checks; a resume
// range never holds a comma, so they stop by themselves, and this bound
// makes sure of it.
constexpr int kMaxNesting = 8;

// The token after the comma that opens the first "@object" of subtree whose
// first child's symbol begins with ",", depth first; null when there is none.
const Token* resumeToken(const ParseNode* subtree) {
    std::vector<const ParseNode*> work{subtree};
    while (!work.empty()) {
        const ParseNode* n = work.back();
        work.pop_back();
        if (is(n, "@object") && begins(first(n)->symbol, ",")) {
            const ParseNode* comma = first(n);
            return comma->token ? comma->token->next : nullptr;
        }
        for (int i = n->childCount - 1; i >= 0; --i) work.push_back(n->children[i]);
    }
    return nullptr;
}

bool commaObjectPasses(ParseContext& c, const ParseNode* anchor, const ParseNode* before, const ParseNode* c1,
                       const ParseNode* c2) {
    auto* parse = static_cast<PhraseParse*>(c.userData());
    CommaRecord* record = parse ? &parse->record : nullptr;
    if (record && record->anchor != anchor) {
        record->anchor = anchor;
        record->count = 0;
    }
    for (const ParseNode* candidate : {c1, c2}) {
        const Token* resume = resumeToken(candidate);
        if (!resume) continue;
        if (record)
            for (int i = 0; i < record->count; ++i)
                if (record->resumed[i] == resume) return false;
        if (is(before, ",")) return false;
        const Token* end = resume;
        while (end && !same(end->tag, ",") && !same(end->tag, ".")) end = end->next;
        int depth = parse ? parse->depth : 0;
        if (depth < kMaxNesting) {
            PhraseParse inner;
            inner.depth = depth + 1;
            ParseLimits limits;
            limits.sharedBudget = c.budget();
            if (parseTokens(c.grammar(), resume, end, c.arena(), limits, &inner).accepted()) return false;
        }
        // Room for kCapacity resume tokens per anchor; later ones are not kept.
        if (record && record->count < CommaRecord::kCapacity) record->resumed[record->count++] = resume;
    }
    return true;
}

// ---- the checks

bool subjectTest(const ParseNode* n) {
    if (n->childCount != 1) return false;
    const ParseNode* v = chain(n->children[0]);
    return v->childCount != 2 && !is(v, "@md") && participle(verbTag(v));
}

int S_VP(ParseContext& c) {
    const ParseNode* v = chain(first(c.node(0)));
    if (is(v, "@md")) return kAllow;
    const ParseNode* n = v;
    const ParseNode* f = nullptr;
    while (n->childCount == 2) {
        f = n->children[0];
        n = n->children[1];
    }
    bool negated = f && (same(first(f)->word, "not") || same(first(f)->word, "n't"));
    return verdict(!participle(verbTag(n)) && !negated);
}

int DOUBLE_SS(ParseContext& c) {
    const ParseNode* s0 = c.node(0);
    const ParseNode* s2 = c.node(2);
    return verdict(s0->childCount == 2 && is(second(s0), "VP") && s2->childCount == 2 && is(second(s2), "VP"));
}

int THERBR_SS(ParseContext& c) {
    const ParseNode* s0 = c.node(0);
    return verdict(s0->childCount == 2 && !is(second(s0), "VP"));
}

int WDT_SS(ParseContext& c) { return verdict(is(last(c.node(0)), "VP")); }

int WDT_NPL_SS(ParseContext& c) {
    const ParseNode* s0 = c.node(0);
    return verdict(s0->childCount > 1 && is(last(s0), "VP"));
}

int SUBJECT_SS(ParseContext& c) { return verdict(subjectTest(c.node(0))); }

int PREV_SS(ParseContext& c) { return verdict(subjectTest(c.node(1))); }

int OBJ_SS(ParseContext& c) {
    const ParseNode* s0 = c.node(0);
    const ParseNode* vp = last(s0);
    if (!is(vp, "VP")) return kForbid;
    return verdict(s0->childCount > 1 || (is(c.node(1), ",") && same(verbTag(head(chain(vp))), "VBN")));
}

int SUB_SS(ParseContext& c) {
    const ParseNode* v = chain(first(c.node(0)));
    const ParseNode* h = head(v);
    bool modal = is(v, "@md");
    if (!modal && participle(verbTag(h))) return kForbid;
    if (is(first(c.node(1)), "PP")) return kForbid;
    const ParseNode* s2 = c.node(2);
    if (is(s2, "@verb")) {
        const char* tag = verbTag(modal ? v : h);
        if (same(tag, "VBG") || same(tag, "VB") || same(tag, "VBP")) return kForbid;
        if (!is(c.node(3), "@verb") && participle(verbTag(head(s2)))) return kForbid;
    }
    return kAllow;
}

int VB_VP(ParseContext& c) {
    const ParseNode* s0first = first(c.node(0));
    if (!is(s0first, "@verb")) return kForbid;
    const char* a = first(head(c.node(1)))->word;
    const char* tag = verbTag(head(s0first));
    return verdict(isAuxiliary(a) ? auxiliaryAccepts(a, tag) : participle(tag));
}

int VP_OBJ(ParseContext& c) { return verdict(commaObjectPasses(c, c.node(2), c.node(3), c.node(1), c.node(0))); }

// S0.first is "@verb", its head's word is no auxiliary and its tag neither VBD nor VBZ.
bool plainVerbFirst(const ParseContext& c) {
    const ParseNode* s0first = first(c.node(0));
    if (!is(s0first, "@verb")) return false;
    const ParseNode* h = head(s0first);
    const char* tag = verbTag(h);
    return !isAuxiliary(first(h)->word) && !same(tag, "VBD") && !same(tag, "VBZ");
}

int VBOBJVP(ParseContext& c) {
    return verdict(plainVerbFirst(c) && commaObjectPasses(c, c.node(3), c.node(4), c.node(2), c.node(1)));
}

int VBOBJVP1(ParseContext& c) { return verdict(!letter(c.lookAhead()[0]) && plainVerbFirst(c)); }

int MD_VP(ParseContext& c) {
    const ParseNode* s0first = first(c.node(0));
    return verdict(is(s0first, "@verb") && base(verbTag(head(s0first))));
}

int TO_VP(ParseContext& c) {
    const ParseNode* s0first = first(c.node(0));
    return verdict(is(s0first, "@verb") && s0first->childCount == 1 && base(first(s0first)->symbol));
}

int NPL_SS(ParseContext& c) {
    const ParseNode* s0 = c.node(0);
    if (s0->childCount == 1) {
        const ParseNode* v = chain(first(s0->children[0]));
        return verdict(v->childCount != 2 && !is(v, "@md") && participle(verbTag(v)));
    }
    if (s0->childCount > 1) {
        const ParseNode* vp = last(s0);
        if (!is(vp, "VP")) return kForbid;
        const ParseNode* h = head(chain(vp));
        return verdict(!is(h, "@verb") || !participle(verbTag(h)));
    }
    return kForbid;
}

int NP_BOTH(ParseContext& c) {
    const char* w = c.node(3)->word;
    return verdict(same(w, "both") || same(w, "Both"));
}

int IN_SS(ParseContext& c) {
    const char* w = c.node(1)->word;
    const PhraseWords* list = words(c);
    if (*w && !(list && list->isClauseWord(w))) return kForbid;
    const ParseNode* s0 = c.node(0);
    if (s0->childCount != 2 || !is(second(s0), "VP")) return kForbid;
    const ParseNode* h = head(chain(second(s0)));
    return verdict(!is(h, "@verb") || !participle(verbTag(h)));
}

int TO_SS(ParseContext& c) {
    const ParseNode* s0 = c.node(0);
    if (s0->childCount == 1) {
        const ParseNode* v = chain(s0->children[0]);
        return verdict(is(v, "@verb") && v->childCount == 1 && !base(first(v)->symbol));
    }
    return verdict(s0->childCount > 1 && is(last(s0), "VP"));
}

int IN_VP(ParseContext& c) {
    const ParseNode* v = chain(first(c.node(0)));
    return verdict(is(v, "@verb") && v->childCount == 1 && same(first(v)->symbol, "VBG"));
}

int PP_VBG(ParseContext& c) {
    const ParseNode* s0 = c.node(0);
    if (s0->childCount != 1) return kAllow;
    const ParseNode* f = s0->children[0];
    bool gerundNoun =
        is(f, "@noun+") && first(f)->childCount == 1 && same(first(first(f))->symbol, "VBG") && isLeaf(second(f));
    return verdict(!gerundNoun);
}

bool theWord(const char* w) { return same(w, "the") || same(w, "The"); }

int JJRP(ParseContext& c) { return verdict(theWord(c.node(1)->word)); }

bool jjrpNpl(const ParseContext& c) {
    const ParseNode* s1 = c.node(1);
    if (s1->childCount < 2) return false;
    const ParseNode* f = first(s1);
    if (is(f, "@dt") && f->childCount == 1 && !theWord(first(f)->word)) return false;
    return is(second(s1), "@adj+") || is(second(s1), "@adv+");
}

int JJRP_NPL(ParseContext& c) { return verdict(jjrpNpl(c)); }

int JJRP_SS(ParseContext& c) { return verdict(is(last(c.node(0)), "VP") && jjrpNpl(c)); }

int RB_NPL(ParseContext& c) {
    const ParseNode* s1 = c.node(1);
    const PhraseWords* list = words(c);
    return verdict(s1->childCount < 2 && list && list->isAdverbNoun(first(s1)->word) && !is(c.node(2), "@verb") &&
                   !begins(c.lookAhead(), "VB"));
}

int DT_VB(ParseContext& c) {
    const ParseNode* s1 = c.node(1);
    const ParseNode* f = first(s1);
    const PhraseWords* list = words(c);
    return verdict(is(c.node(2), "@verb") && s1->childCount < 2 && is(f, "DT") && list &&
                   list->lexiconHas(f->word, "RB"));
}

int JJ_VB(ParseContext& c) {
    const PhraseWords* list = words(c);
    return verdict(list && list->lexiconHas(first(c.node(1))->word, "RB"));
}

int NPL_TOINF(ParseContext& c) {
    const ParseNode* s2 = c.node(2);
    if (is(s2, "@verb")) return kForbid;
    return verdict(!((is(s2, "@object") || is(s2, "IN")) && is(c.node(3), "@verb")));
}

int PP_AND_PP_BOTH(ParseContext& c) { return verdict(same(c.node(0)->word, "both")); }

int NOT_THAT(ParseContext& c) { return verdict(!same(c.node(1)->word, "that")); }

int NPL_JJ(ParseContext& c) {
    const char* w = c.node(0)->word;
    return verdict(same(w, "old") || same(w, "key"));
}

int NPL_RB(ParseContext& c) { return verdict(same(c.node(0)->word, "ago")); }

int VBG_NN(ParseContext& c) {
    const char* la = c.lookAhead();
    if (same(la, "DT") || same(la, "IN") || same(la, "TO")) return kForbid;
    if (!begins(la, "NN")) return kAllow;
    const ParseNode* s1 = c.node(1);
    if (begins(s1->symbol, "NP") || is(s1, "@object")) return kForbid;
    return verdict(!is(s1, "@noun") || (s1->childCount == 1 && !begins(first(s1)->symbol, "NN")));
}

int MULTI(ParseContext& c) {
    const ParseNode* n = c.node(0);
    while (n->childCount == 3 && is(second(n), ",")) n = n->children[2];
    return verdict(n->childCount > 2 && (is(second(n), ",") || is(second(n), "CC")));
}

int RB2NPL(ParseContext& c) {
    const char* la = c.lookAhead();
    if (!letter(la[0]) || begins(la, "VB") || same(la, "MD")) return kForbid;
    if (same(la, "IN") && !same(c.lookAheadWord(), "of")) return kForbid;
    const ParseNode* s1 = c.node(1);
    return verdict(!is(s1, "@verb") && !is(s1, "@object"));
}

int VBN2ADJ(ParseContext& c) {
    const char* la = c.lookAhead();
    if (same(la, "DT") || same(la, "IN")) return kForbid;
    const ParseNode* n = c.node(1);
    while (is(n, "@object")) n = last(n);
    return verdict(!is(n, "NPL"));
}

// adv2ADVP also looks at S2 beside DT in the original description, but that
// comparison never decides the result; only the look-ahead counts.
int adv2ADVP(ParseContext& c) { return verdict(!begins(c.lookAhead(), "VB") && !same(c.lookAhead(), "MD")); }

int TO2ADVP(ParseContext& c) { return verdict(!begins(c.lookAhead(), "VB")); }

int ADV2NPL(ParseContext& c) { return verdict(!begins(c.lookAhead(), "VB") && !same(c.lookAhead(), "MD")); }

int WDT2NPL(ParseContext& c) {
    const ParseNode* s0 = c.node(0);
    return verdict(!(s0->childCount == 1 && begins(s0->children[0]->symbol, "W") && begins(c.lookAhead(), ",")));
}

int VP2SS(ParseContext& c) {
    const ParseNode* v = chain(first(c.node(0)));
    const char* tag = verbTag(head(v));
    if (!is(v, "@verb") || !participle(tag)) return kAllow;
    const ParseNode* s1 = c.node(1);
    if (is(s1, "@verb")) return kForbid;
    if (is(s1, ",")) {
        // Down the stack from S2 to the first verb, comma or the bottom.
        const ParseNode* n = nullptr;
        for (int k = 2;; ++k) {
            n = c.node(k);
            if (is(n, "@verb") || begins(n->symbol, ",") || begins(n->symbol, "\xFF")) break;
        }
        if (!(begins(n->symbol, ",") || begins(n->symbol, "\xFF"))) {
            const char* w = first(head(n))->word;
            if (isAuxiliary(w) && auxiliaryAccepts(w, tag)) return kForbid;
        }
    }
    if (is(s1, "NPL")) {
        const ParseNode* s2 = c.node(2);
        if (is(s2, "@verb") || is(s2, "@object")) return kForbid;
    }
    return kAllow;
}

int SO_ON(ParseContext& c) {
    const ParseNode* s1 = c.node(1);
    const ParseNode* s2 = c.node(2);
    return verdict(same(c.node(0)->word, "on") && isLeaf(second(s1)) && same(first(first(s1))->word, "so") &&
                   is(s2, "CC") && same(s2->word, "and"));
}

int WDT_NPL(ParseContext& c) {
    const char* la = c.lookAhead();
    return verdict(!begins(la, "VB") && !same(la, "MD") && !same(la, "RB"));
}

int VBG2verb(ParseContext& c) { return verdict(!same(c.lookAhead(), "CC")); }

int ins_VP(ParseContext& c) {
    const ParseNode* v = chain(first(c.node(0)));
    return verdict(is(v, "@verb") && participle(verbTag(head(v))));
}

int MULTI_CD(ParseContext& c) {
    if (same(c.lookAheadWord(), "of")) return kForbid;
    const ParseNode* s0 = c.node(0);
    return verdict(!(isLeaf(second(s0)) && same(first(s0)->word, "one")));
}

int DTRB2NPL(ParseContext& c) {
    const ParseNode* s1 = c.node(1);
    return verdict(s1->childCount == 1 && is(first(s1), "DT"));
}

const NamedAction kRules[] = {
    {"S_VP", S_VP},
    {"DOUBLE_SS", DOUBLE_SS},
    {"THERBR_SS", THERBR_SS},
    {"WDT_SS", WDT_SS},
    {"WDT_NPL_SS", WDT_NPL_SS},
    {"SUBJECT_SS", SUBJECT_SS},
    {"PREV_SS", PREV_SS},
    {"OBJ_SS", OBJ_SS},
    {"SUB_SS", SUB_SS},
    {"VB_VP", VB_VP},
    {"VP_OBJ", VP_OBJ},
    {"VBOBJVP", VBOBJVP},
    {"VBOBJVP1", VBOBJVP1},
    {"MD_VP", MD_VP},
    {"TO_VP", TO_VP},
    {"NPL_SS", NPL_SS},
    {"NP_BOTH", NP_BOTH},
    {"IN_SS", IN_SS},
    {"TO_SS", TO_SS},
    {"IN_VP", IN_VP},
    {"PP_VBG", PP_VBG},
    {"JJRP", JJRP},
    {"JJRP_NPL", JJRP_NPL},
    {"JJRP_SS", JJRP_SS},
    {"RB_NPL", RB_NPL},
    {"DT_VB", DT_VB},
    {"JJ_VB", JJ_VB},
    {"NPL_TOINF", NPL_TOINF},
    {"PP_AND_PP_BOTH", PP_AND_PP_BOTH},
    {"NOT_THAT", NOT_THAT},
    {"NPL_JJ", NPL_JJ},
    {"NPL_RB", NPL_RB},
    {"VBG_NN", VBG_NN},
    {"MULTI_NPL", MULTI},
    {"MULTI_VP", MULTI},
    {"RB2NPL", RB2NPL},
    {"VBN2ADJ", VBN2ADJ},
    {"adv2ADVP", adv2ADVP},
    {"TO2ADVP", TO2ADVP},
    {"ADV2NPL", ADV2NPL},
    {"WDT2NPL", WDT2NPL},
    {"VP2SS", VP2SS},
    {"SO_ON", SO_ON},
    {"WDT_NPL", WDT_NPL},
    {"VBG2verb", VBG2verb},
    {"ins_VP", ins_VP},
    {"MULTI_CD", MULTI_CD},
    {"DTRB2NPL", DTRB2NPL},
};

}  // namespace

ActionNames phraseRules() { return kRules; }

const Token* phraseEnd(const Token* first) {
    while (first && !same(first->tag, ".")) first = first->next;
    return first;
}

ParseResult analysePhrases(const Grammar& grammar, const Token* first, Arena& arena) {
    PhraseParse parse;
    ParseLimits limits;
    limits.budget = kPhraseBudget;
    return parseTokens(grammar, first, phraseEnd(first), arena, limits, &parse);
}

bool isAuxiliary(std::string_view word) { return auxiliary(word) != nullptr; }

bool auxiliaryAccepts(std::string_view word, std::string_view tag) {
    const Auxiliary* a = auxiliary(word);
    return a && !tag.empty() && (tag == a->tags[0] || tag == a->tags[1]);
}

}  // namespace zintra
