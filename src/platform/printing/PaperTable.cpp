#include "platform/printing/PaperTable.h"

#include <cmath>

namespace pgx {

bool lookUpPaperSize(int code, double &width, double &height)
{
    for (const TPaperInfo &row : kPaperTable) {
        if (row.code == code) {
            width = row.width / 10.0;
            height = row.height / 10.0;
            return true;
        }
    }
    return false;
}

int paperCodeForSize(double width, double height)
{
    if (!std::isfinite(width) || !std::isfinite(height))
        return kCustomPaper;
    int best = kCustomPaper;
    double bestDistance = 0;
    for (const TPaperInfo &row : kPaperTable) {
        const double dw = std::abs(row.width / 10.0 - width);
        const double dh = std::abs(row.height / 10.0 - height);
        if (dw > kPaperSizeTolerance || dh > kPaperSizeTolerance)
            continue;
        // Strictly closer only: among equal sizes (Letter is codes 1, 2 and
        // 18) the first row is the paper's usual code.
        const double distance = dw + dh;
        if (best == kCustomPaper || distance < bestDistance) {
            best = row.code;
            bestDistance = distance;
        }
    }
    return best;
}

}   // namespace pgx
