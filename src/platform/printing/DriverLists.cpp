#include "platform/printing/DriverLists.h"

#include "platform/printing/PaperTable.h"

#include <QtCore/QSet>

namespace pgx {

namespace {

bool isBorderless(const PrinterPaper &paper)
{
    return paper.left == 0 && paper.top == 0 && paper.right == 0 && paper.bottom == 0;
}

struct KnownSource
{
    const char *keyword;
    int code;
};

// Platform bin codes: 1 upper (the only tray of one-tray printers), 2 lower,
// 3 middle, 4 manual feed, 5 envelope, 7 automatic, 11 large capacity.
constexpr KnownSource kKnownSources[] = {
    {"auto", 7},
    {"main", 1},
    {"top", 1},
    {"alternate", 2},
    {"bottom", 2},
    {"middle", 3},
    {"center", 3},
    {"manual", 4},
    {"by-pass-tray", 4},
    {"envelope", 5},
    {"large-capacity", 11},
};

constexpr int kFirstTrayCode = 256;
constexpr int kMaxTrayNumber = 99;
constexpr int kFirstOtherCode = 1000;

int preferredBinCode(const QString &keyword)
{
    for (const KnownSource &source : kKnownSources)
        if (keyword == QLatin1String(source.keyword))
            return source.code;
    if (keyword.startsWith(QLatin1String("tray-"))) {
        bool ok = false;
        const int number = keyword.mid(5).toInt(&ok);
        if (ok && number >= 1 && number <= kMaxTrayNumber)
            return kFirstTrayCode + number;
    }
    return -1;
}

}   // namespace

void appendDriverPaper(QList<PrinterPaper> &papers, const PrinterPaper &paper)
{
    if (paper.code != kCustomPaper) {
        for (PrinterPaper &known : papers) {
            if (known.code != paper.code)
                continue;
            if (isBorderless(known) && !isBorderless(paper)) {
                known.width = paper.width;
                known.height = paper.height;
                known.left = paper.left;
                known.top = paper.top;
                known.right = paper.right;
                known.bottom = paper.bottom;
            }
            return;
        }
    }
    papers.append(paper);
}

QList<int> binCodesForMediaSources(const QStringList &keywords)
{
    QList<int> codes;
    codes.reserve(keywords.size());
    QSet<int> used;
    int nextOther = kFirstOtherCode;
    for (const QString &keyword : keywords) {
        int code = preferredBinCode(keyword);
        if (code < 0 || used.contains(code)) {
            while (used.contains(nextOther))
                ++nextOther;
            code = nextOther;
        }
        used.insert(code);
        codes << code;
    }
    return codes;
}

QString readableMediaSourceName(const QString &keyword)
{
    QString name = keyword.trimmed();
    name.replace(QLatin1Char('-'), QLatin1Char(' '));
    name.replace(QLatin1Char('_'), QLatin1Char(' '));
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

}   // namespace pgx
