#include "engine/text/token.h"

#include "engine/text/arena.h"

namespace zintra {

Token* makeToken(Arena& arena) { return arena.make<Token>(); }

int tokenCount(const Token* first) {
    int n = 0;
    for (; first; first = first->next) ++n;
    return n;
}

}  // namespace zintra
