#include "tools/langdata/tag_map.h"

#include <string_view>

#include "tools/langdata/conllu.h"

namespace langdata {
namespace {

std::string tagForUpos(const std::string& upos) {
    static const std::pair<std::string_view, const char*> table[] = {
        {"PROPN", "NNP"}, {"NOUN", "NN"},  {"VERB", "VB"}, {"AUX", "MD"},  {"ADJ", "JJ"},   {"ADV", "RB"},
        {"NUM", "CD"},    {"PRON", "PRP"}, {"DET", "DT"},  {"ADP", "IN"},  {"CCONJ", "CC"}, {"SCONJ", "IN"},
        {"PART", "RP"},   {"INTJ", "UH"},  {"PUNCT", ":"}, {"SYM", "SYM"}, {"X", "FW"}};
    for (const auto& [name, tag] : table)
        if (upos == name) return tag;
    return "NN";
}

}  // namespace

std::string mapTag(const std::string& xpos) {
    if (xpos == "HYPH" || xpos == "NFP") return ":";
    if (xpos == "ADD") return "NNP";
    if (xpos == "XX") return "FW";
    if (xpos == "AFX") return "JJ";
    if (xpos == "_" || xpos.empty()) return "NN";
    return xpos;  // GW stays until resolveGoesWith
}

void resolveGoesWith(TreebankSentence& sentence) {
    auto& tokens = sentence.tokens;
    for (auto& t : tokens) {
        if (t.tag != "GW") continue;
        const int h = t.head;
        if (h >= 1 && h <= static_cast<int>(tokens.size()) && tokens[h - 1].rawTag != "GW")
            t.tag = tokens[h - 1].tag;
        else
            t.tag = tagForUpos(t.upos);
    }
}

void keepTreebankTags(std::vector<TreebankSentence>& sentences, const std::vector<std::string>& kept) {
    for (TreebankSentence& sentence : sentences)
        for (TreebankToken& t : sentence.tokens)
            for (const std::string& k : kept)
                if (t.rawTag == k) t.tag = k;
}

const char* tagMappingText() {
    return "Treebank tags outside the classic Penn set are mapped:\n"
           "  HYPH -> :    (hyphen between the parts of a split word)\n"
           "  NFP  -> :    (non-final punctuation, emoticons, decorations)\n"
           "  ADD  -> NNP  (e-mail and web addresses)\n"
           "  GW   -> the tag of the piece it goes with; if that piece is GW too,\n"
           "          the Penn tag of its universal POS (PROPN NNP, NOUN NN, X FW, ...)\n"
           "  XX   -> FW   (unclassifiable words)\n"
           "  AFX  -> JJ   (separated affixes: pre, anti, non)\n"
           "All other tags are kept as written.\n";
}

}  // namespace langdata
