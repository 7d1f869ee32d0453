// The Japanese comments of one item: its error code mapped bit by bit onto the
// built-in messages, the candidates and the comment blocks of the report
// (set_ErrComment).
#pragma once

#include "app/correction/correction_items.h"
#include "app/correction/message_table.h"
#include "app/correction/quote_check.h"

#include <QList>

#include <vector>

namespace korvel {

// The analysed sentence that the comments are made for.
struct CheckedItems {
    const std::vector<CorrectionItem>& items;
    const std::vector<CommentBlock>& blocks;
    const QuoteCheck& quote;
    const MessageTable& messages;
};

inline constexpr int kMaxItemComments = 51;

// The comments of item `index`, at most 51. Code 1600 gives none.
QList<ItemComment> set_ErrComment(const CheckedItems& checked, int index);

// Whether a code counts as an error: every code but 1600.
inline bool isErrorCode(int code)
{
    return code != kCodeCorrectBlock;
}

}  // namespace korvel
