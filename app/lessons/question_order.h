// The question order of the quizzes and tests: the rows shuffled, the rows of
// one group (a dialogue, a composition item of several rows) kept together.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace korvel {

class Random;

// `groups` holds one group name per row. Row k draws the key 1 + the integer
// part of a uniform value in [0, 1) times n; a row whose group equals the row
// before it takes that row's key. The rows are then ordered by key with an
// exchange sort (for each position from the first to the last but one, every
// later row with a smaller key is swapped into it). The result holds the row
// indexes in question order.
std::vector<int> shuffledOrder(const QStringList& groups, Random& random);

}  // namespace korvel
