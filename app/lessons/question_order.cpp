#include "app/lessons/question_order.h"

#include "app/desktop/services.h"

#include <utility>

namespace korvel {

std::vector<int> shuffledOrder(const QStringList& groups, Random& random)
{
    const auto n = static_cast<std::size_t>(groups.size());
    std::vector<int> keys(n);
    std::vector<int> order(n);
    for (std::size_t k = 0; k < n; ++k) {
        order[k] = static_cast<int>(k);
        const int drawn = 1 + static_cast<int>(random.next() * static_cast<double>(n));
        const bool sameGroup = k > 0 && groups[static_cast<qsizetype>(k)] == groups[static_cast<qsizetype>(k - 1)];
        keys[k] = sameGroup ? keys[k - 1] : drawn;
    }
    for (std::size_t p = 0; p + 1 < n; ++p) {
        for (std::size_t q = p + 1; q < n; ++q) {
            if (keys[q] < keys[p]) {
                std::swap(keys[p], keys[q]);
                std::swap(order[p], order[q]);
            }
        }
    }
    return order;
}

}  // namespace korvel
