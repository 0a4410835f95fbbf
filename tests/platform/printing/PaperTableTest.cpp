#include "platform/printing/PaperTable.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QTextStream>
#include <cmath>
#include <limits>

namespace pgx {
namespace {

struct GoldenRow
{
    int code;
    double width;
    double height;
};

QList<GoldenRow> goldenTable()
{
    QFile file(QStringLiteral(PGX_TEST_DATA "/platform/paper-table.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QList<GoldenRow> rows;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        EXPECT_EQ(parts.size(), 3) << line.toStdString();
        if (parts.size() == 3)
            rows.append({parts[0].toInt(), parts[1].toDouble(), parts[2].toDouble()});
    }
    return rows;
}

TEST(PaperTable, MatchesTheGoldenTableRowForRow)
{
    const QList<GoldenRow> golden = goldenTable();
    ASSERT_EQ(golden.size(), qsizetype(kPaperTable.size()));
    for (size_t i = 0; i < kPaperTable.size(); ++i) {
        const TPaperInfo &row = kPaperTable[i];
        SCOPED_TRACE(row.code);
        EXPECT_EQ(row.code, golden[qsizetype(i)].code);
        EXPECT_TRUE(row.name.empty());
        double width = 0;
        double height = 0;
        ASSERT_TRUE(lookUpPaperSize(row.code, width, height));
        EXPECT_DOUBLE_EQ(width, golden[qsizetype(i)].width);
        EXPECT_DOUBLE_EQ(height, golden[qsizetype(i)].height);
    }
}

TEST(PaperTable, CodesOutsideTheTableAreNotFoundAndLeaveTheOutputs)
{
    // 48 and 49 were never assigned; 256 is the custom size, never a row.
    for (int code : {0, -1, 48, 49, 69, 255, 256, 257, std::numeric_limits<int>::max()}) {
        SCOPED_TRACE(code);
        double width = 12.5;
        double height = 34.5;
        EXPECT_FALSE(lookUpPaperSize(code, width, height));
        EXPECT_EQ(width, 12.5);
        EXPECT_EQ(height, 34.5);
    }
}

TEST(PaperTable, DriverSizesMapToTheClosestRowWithinTheTolerance)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        double width, height;
        int code;
        const char *why;
    } cases[] = {
        {210, 297, 9, "A4: codes 9, 10 and 55 share the size, the first row wins"},
        {215.9, 279.4, 1, "Letter: codes 1, 2 and 18"},
        {215.98, 279.4, 1, "Letter as a driver rounds 8.5 in"},
        {210.9, 297.9, 9, "just inside the tolerance"},
        {211.1, 297, kCustomPaper, "just outside it"},
        {250, 353, 33, "B4 at 353 mm is row 33, although row 12 (354 mm) comes first"},
        {250, 354, 12, "and at 354 mm row 12"},
        {297, 210, kCustomPaper, "a turned A4 is not A4 in the table's orientation"},
        {431.8, 279.4, 4, "a row that is wider than tall by definition"},
        {101.6, 152.4, kCustomPaper, "4x6 in photo paper is not in the table"},
        {0, 0, kCustomPaper, "no size"},
        {nan, 297, kCustomPaper, "not a number"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(paperCodeForSize(c.width, c.height), c.code) << c.why;
}

}   // namespace
}   // namespace pgx
