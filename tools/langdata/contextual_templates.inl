// Instantiation of the contextual rule templates at one position.
#pragma once

namespace langdata {

template <typename Emit>
void forEachInstantiation(const CtxCorpus& c, int p, Emit&& emit) {
    const int first = c.sentFirst[static_cast<std::size_t>(p)];
    const int last = c.sentLast[static_cast<std::size_t>(p)];
    auto T = [&](int q) { return c.tag[static_cast<std::size_t>(q)]; };
    auto W = [&](int q) { return c.word[static_cast<std::size_t>(q)]; };
    const bool r1 = p + 1 <= last, r2 = p + 2 <= last, r3 = p + 3 <= last;
    const bool l1 = p - 1 >= first, l2 = p - 2 >= first, l3 = p - 3 >= first;
    const int empty = c.emptyWord;
    auto word = [&](int tmpl, int a, int b) {  // word arguments must be writable
        if (a != empty && b != empty) emit(tmpl, a, b);
    };
    const int cur = W(p);
    if (r1) {
        emit(0, T(p + 1), 0);
        emit(2, T(p + 1), 0);
        emit(3, T(p + 1), 0);
        word(8, W(p + 1), 0);
        word(11, W(p + 1), 0);
        word(12, W(p + 1), 0);
        word(22, cur, W(p + 1));
        if (cur != empty) emit(23, cur, T(p + 1));
    }
    if (r2) {
        emit(1, T(p + 2), 0);
        if (T(p + 2) != T(p + 1)) emit(2, T(p + 2), 0);
        if (T(p + 2) != T(p + 1)) emit(3, T(p + 2), 0);
        word(10, W(p + 2), 0);
        if (W(p + 2) != W(p + 1)) word(11, W(p + 2), 0);
        if (W(p + 2) != W(p + 1)) word(12, W(p + 2), 0);
        emit(19, T(p + 1), T(p + 2));
        word(26, cur, W(p + 2));
        if (cur != empty) emit(27, cur, T(p + 2));
    }
    if (r3) {
        if (T(p + 3) != T(p + 1) && T(p + 3) != T(p + 2)) emit(3, T(p + 3), 0);
        if (W(p + 3) != W(p + 1) && W(p + 3) != W(p + 2)) word(12, W(p + 3), 0);
    }
    if (l1) {
        emit(4, T(p - 1), 0);
        emit(6, T(p - 1), 0);
        emit(7, T(p - 1), 0);
        word(13, W(p - 1), 0);
        word(15, W(p - 1), 0);
        word(16, W(p - 1), 0);
        word(20, W(p - 1), cur);
        if (cur != empty) emit(21, T(p - 1), cur);
        if (r1) emit(17, T(p - 1), T(p + 1));
    }
    if (l2) {
        emit(5, T(p - 2), 0);
        if (T(p - 2) != T(p - 1)) emit(6, T(p - 2), 0);
        if (T(p - 2) != T(p - 1)) emit(7, T(p - 2), 0);
        word(14, W(p - 2), 0);
        if (W(p - 2) != W(p - 1)) word(15, W(p - 2), 0);
        if (W(p - 2) != W(p - 1)) word(16, W(p - 2), 0);
        emit(18, T(p - 2), T(p - 1));
        word(24, W(p - 2), cur);
        if (cur != empty) emit(25, T(p - 2), cur);
    }
    if (l3) {
        if (T(p - 3) != T(p - 1) && T(p - 3) != T(p - 2)) emit(7, T(p - 3), 0);
        if (W(p - 3) != W(p - 1) && W(p - 3) != W(p - 2)) word(16, W(p - 3), 0);
    }
    word(9, cur, 0);
}

}  // namespace langdata
