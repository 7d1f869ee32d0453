// Beginners' sentences as the tagger tags them, and the bundled English
// phrase grammar, for the grammar and phrase tests.
#pragma once

#include <string>
#include <string_view>

#include "grammar_test_support.h"

namespace zintra::test {

inline const char* const kGrammarFile = ZINTRA_SOURCE_DIR "/data/engine/grammar.txt";

// word/TAG pairs as the tagger prints them, without the final "./.".
inline const char* const kSentences[] = {
    "I/PRP am/VBP a/DT boy/NN",
    "She/PRP does/VBZ n't/RB like/VB ice_cream/NN",
    "Is/VBZ this/DT your/PRP$ book/NN",
    "There/EX is/VBZ a/DT cat/NN under/IN the/DT table/NN",
    "Open/VB the/DT window/NN ,/, please/UH",
    "He/PRP has/VBZ lived/VBN in/IN Tokyo/NNP for/IN ten/CD years/NNS",
    "The/DT girl/NN who/WP is/VBZ reading/VBG a/DT book/NN is/VBZ my/PRP$ sister/NN",
    "I/PRP want/VBP to/TO play/VB tennis/NN",
    "She/PRP is/VBZ taller/JJR than/IN her/PRP$ mother/NN",
    "This/DT letter/NN was/VBD written/VBN by/IN Tom/NNP",
    "I/PRP am/VBP studying/VBG English/NNP now/RB",
    "What/WP do/VBP you/PRP want/VB to/TO eat/VB",
    "Swimming/NN is/VBZ fun/NN",
    "Where/WRB did/VBD you/PRP go/VB yesterday/RB",
    "Do/VB n't/RB run/VB in/IN the/DT classroom/NN",
    "My/PRP$ father/NN can/MD speak/VB English/NNP very/RB well/RB",
    "I/PRP think/VBP that/IN he/PRP is/VBZ right/JJ",
    "When/WRB I/PRP was/VBD young/JJ ,/, I/PRP lived/VBD in/IN Osaka/NNP",
    "Ken/NNP and/CC Mary/NNP are/VBP good/JJ friends/NNS",
    "How/WRB many/JJ books/NNS do/VBP you/PRP have/VB",
    "It/PRP is/VBZ easy/JJ for/IN me/PRP to/TO read/VB this/DT book/NN",
    "I/PRP have/VBP never/RB seen/VBN such/PDT a/DT beautiful/JJ flower/NN",
    "The/DT book/NN on/IN the/DT desk/NN is/VBZ mine/PRP",
    "Let/VB 's/PRP go/VB to/IN the/DT park/NN",
    "I/PRP was/VBD watching/VBG TV/NN when/WRB he/PRP came/VBD",
    "Be/VB quiet/JJ",
    "He/PRP gave/VBD me/PRP a/DT present/NN",
    "They/PRP call/VBP him/PRP Ken/NNP",
    "She/PRP looks/VBZ happy/JJ",
    "I/PRP know/VBP the/DT man/NN who/WP lives/VBZ there/RB",
};

// "word/TAG" items into tokens.
inline Token* taggedTokens(std::string_view text, Arena& arena) {
    std::string swapped;
    size_t i = 0;
    while (i < text.size()) {
        size_t j = text.find(' ', i);
        if (j == std::string_view::npos) j = text.size();
        std::string_view item = text.substr(i, j - i);
        size_t slash = item.rfind('/');
        swapped += std::string(item.substr(slash + 1)) + "/" + std::string(item.substr(0, slash)) + " ";
        i = j + 1;
    }
    return tokensOf(swapped, arena);
}

}  // namespace zintra::test
