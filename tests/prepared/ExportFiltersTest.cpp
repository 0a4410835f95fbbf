// The export filters the preview offers, and what running them writes.
#include "PreparedTestSupport.h"

#include "prepared/export/ExportFilters.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

#include <memory>
#include <stdexcept>

namespace pgx::test {
namespace {

using namespace pgx::prepared;

const ExportFilter &filterNamed(const QString &name)
{
    for (const ExportFilter &filter : exportFilters())
        if (filter.name == name)
            return filter;
    throw std::runtime_error("no filter " + name.toStdString());
}

TEST(ExportFilters, PdfAndPngComeFirstAndPdfHasTheQuickButton)
{
    const QList<ExportFilter> &filters = exportFilters();
    ASSERT_GE(filters.size(), 2);
    EXPECT_EQ(filters[0].name, QStringLiteral("PDF file"));
    EXPECT_EQ(filters[0].fileFilter, QStringLiteral("PDF file (*.pdf)"));
    EXPECT_EQ(filters[0].defaultExtension, QStringLiteral("pdf"));
    EXPECT_EQ(filters[0].kind, ExportFilter::Kind::Pdf);
    EXPECT_EQ(filters[1].name, QStringLiteral("PNG images"));
    EXPECT_EQ(filters[1].fileFilter, QStringLiteral("PNG images (*.png)"));
    EXPECT_EQ(filters[1].defaultExtension, QStringLiteral("png"));
    EXPECT_EQ(filters[1].kind, ExportFilter::Kind::Other);
    EXPECT_EQ(findExportFilter(ExportFilter::Kind::Pdf), &filters[0]);
}

TEST(ExportFilters, AChosenNameGetsTheExtensionItLacks)
{
    const ExportFilter &pdf = filterNamed(QStringLiteral("PDF file"));
    const struct
    {
        const char *chosen;
        const char *file;
    } cases[] = {
        {"/t/orders", "/t/orders.pdf"},           {"/t/orders.pdf", "/t/orders.pdf"},
        {"/t/orders.PDF", "/t/orders.PDF"},       {"/t/orders.png", "/t/orders.png.pdf"},
        {"/t/v1.2/orders", "/t/v1.2/orders.pdf"}, {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pdf.fileNameFor(QLatin1String(c.chosen)), QLatin1String(c.file)) << c.chosen;
}

TEST(ExportFilters, RegisteringAddsAfterTheOthersOrReplacesByName)
{
    const qsizetype before = exportFilters().size();
    // Shared: the filter stays registered after the test.
    const auto calls = std::make_shared<QStringList>();
    const auto filter = [calls](const char *tag) {
        ExportFilter f;
        f.name = QStringLiteral("Test filter");
        f.defaultExtension = QStringLiteral("tst");
        f.runner = [calls, tag](TpgxPreviewPages &, const QString &fileName,
                                const QList<int> &indexes, const ExportProgress &) {
            calls->append(QStringLiteral("%1 %2 %3").arg(tag, fileName).arg(indexes.size()));
            return QString();
        };
        return f;
    };
    registerExportFilter(filter("first"));
    ASSERT_EQ(exportFilters().size(), before + 1);
    EXPECT_EQ(exportFilters().last().name, QStringLiteral("Test filter"));
    ExportFilter second = filter("second");
    second.name = QStringLiteral("TEST FILTER");
    registerExportFilter(second);
    ASSERT_EQ(exportFilters().size(), before + 1);

    PreparedReport r;
    EXPECT_EQ(exportFilters().last().run(r.store, QStringLiteral("x.tst"), {0, 1}), QString());
    EXPECT_EQ(*calls, QStringList{QStringLiteral("second x.tst 2")});
    EXPECT_EQ(exportFilters()[0].name, QStringLiteral("PDF file"));

    // A filter that cannot write says so instead of claiming success.
    ExportFilter broken;
    broken.name = QStringLiteral("Broken");
    EXPECT_FALSE(broken.run(r.store, QStringLiteral("x"), {0}).isEmpty());
}

TEST(ExportFilters, ThePdfAndPngFiltersWriteTheirFiles)
{
    PreparedReport r;
    r.run(2, 2);
    QTemporaryDir dir;

    const QString pdf = dir.filePath(QStringLiteral("orders.pdf"));
    QList<int> progress;
    ASSERT_EQ(filterNamed(QStringLiteral("PDF file"))
                  .run(r.store, pdf, {0, 1}, [&](int done, int) { progress.append(done); }),
              QString());
    EXPECT_EQ(progress, (QList<int>{1, 2}));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF-"));

    const QString png = dir.filePath(QStringLiteral("orders.png"));
    ASSERT_EQ(filterNamed(QStringLiteral("PNG images")).run(r.store, png, {0, 1}), QString());
    for (const char *name : {"orders-1.png", "orders-2.png"}) {
        const QImage image(dir.filePath(QLatin1String(name)));
        ASSERT_FALSE(image.isNull()) << name;
        // A4 at the screen's 96 dots per inch.
        EXPECT_NEAR(image.width(), 794, 1) << name;
    }
    // A file that cannot be written is an error, not a success.
    EXPECT_FALSE(filterNamed(QStringLiteral("PDF file"))
                     .run(r.store, dir.filePath(QStringLiteral("no/such/folder/x.pdf")), {0})
                     .isEmpty());
}

}   // namespace
}   // namespace pgx::test
