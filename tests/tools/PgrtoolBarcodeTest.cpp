// pgrtool barcode: a symbol to a PNG, the message and exit 1 for a text the
// symbology cannot encode, exit 2 for a bad command line.
#include "tools/PgrtoolRun.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

namespace {

TEST(PgrtoolBarcode, exitCodesAndPicture)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("symbol.png"));
    struct Case
    {
        QStringList args;
        int exitCode;
        const char *err;   // part of stderr
    };
    const QList<Case> cases = {
        {{"bcCodeEAN13", "590123412345", "--checksum", "-o", png, "--zoom", "2"}, 0, ""},
        {{"bcCodeEAN13", "12A", "-o", png}, 1, "Barcode must be numeric"},
        {{"bcCodeNothing", "1", "-o", png}, 2, "unknown type bcCodeNothing"},
        {{"bcCodeEAN13", "1"}, 2, "usage:"},
        {{"bcCodeEAN13", "1", "-o", png, "--zoom", "0"}, 2, "bad value"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const auto run = pgx::test::runPgrtool(QStringList{QStringLiteral("barcode")} + c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromLatin1(c.err))) << run.err.toStdString();
    }
    // 95 modules and ten on either side, two pixels each.
    EXPECT_EQ(QImage(png).width(), (95 + 20) * 2);
}

}   // namespace
