#include "report/text/EvenSpread.h"

#include <QtCore/QtGlobal>

namespace pgx::text {

void spreadEvenly(int amount, std::span<int> parts)
{
    // The recursion is log2 of the slot count deep.
    if (parts.empty() || amount == 0)
        return;
    if (parts.size() == 1) {
        parts[0] += amount;
        return;
    }
    const size_t firstHalf = parts.size() / 2;
    const int firstAmount = int(qint64(amount) * qint64(firstHalf) / qint64(parts.size()));
    spreadEvenly(firstAmount, parts.first(firstHalf));
    spreadEvenly(amount - firstAmount, parts.subspan(firstHalf));
}

}   // namespace pgx::text
