#pragma once

// A report with one page of bands and views, and a store filled through its
// own interface the way the engine fills it: a page, then bands with their
// views as they stand for one row.
#include "prepared/TpgxPreviewPages.h"
#include "report/views/ViewTestSupport.h"

#include "report/views/TpgxLineView.h"
#include "report/views/TpgxMemoView.h"
#include "report/views/TpgxShapeView.h"

#include <QtCore/QBuffer>
#include <QtCore/QProcess>

namespace pgx::test {

struct PreparedReport : ViewReport
{
    TpgxPageHeader *header = nullptr;
    TpgxMemoView *title = nullptr;    // on the header
    TpgxMemoView *name = nullptr;     // on Band1 (a data band)
    TpgxMemoView *amount = nullptr;   // on Band1
    TpgxPageFooter *footer = nullptr;
    TpgxPreviewPages store{&report};

    PreparedReport()
    {
        ensureGuiApplication();
        page->setLeftMargin(10);
        page->setRightMargin(10);
        page->setTopMargin(10);
        page->setBottomMargin(10);
        header = new TpgxPageHeader(page);
        header->setName(QStringLiteral("PageHeader1"));
        header->setBounds(0, 0, 700, 40);
        title = memo(header, QStringLiteral("Title"), 0, 4, 300, 20, QStringLiteral("Orders"));
        title->setColor(0xE0E0E0);
        band->setBounds(0, 60, 700, 20);
        name = memo(band, QStringLiteral("Name"), 15, 0, 200, 18, QStringLiteral("[Name]"));
        amount = memo(band, QStringLiteral("Amount"), 300, 0, 100, 18, QStringLiteral("[Amount]"));
        amount->frame()->setTyp(TpgxFrame::ftLeft | TpgxFrame::ftRight | TpgxFrame::ftTop
                                | TpgxFrame::ftBottom);
        footer = new TpgxPageFooter(page);
        footer->setName(QStringLiteral("PageFooter1"));
        footer->setBounds(0, 1000, 700, 30);
        auto *line = new TpgxLineView(footer);
        line->setName(QStringLiteral("Line1"));
        line->setBounds(0, 2, 700, 0);
        report.reportOptions()->name = QStringLiteral("Orders & \"totals\"");
    }

    static TpgxMemoView *memo(TpgxComponent *parent, const QString &name, double l, double t,
                              double w, double h, const QString &text)
    {
        auto *m = new TpgxMemoView(parent);
        m->setName(name);
        m->setBounds(l, t, w, h);
        m->setText(text);
        return m;
    }

    // A run of `pages` pages with the header, `rowsPerPage` rows of Band1
    // and the footer on each; row texts "Row <n>" and amounts n * 10.
    void run(int pages, int rowsPerPage)
    {
        store.beginRun();
        store.addSourcePage(page);
        store.beginPass();
        int row = 0;
        for (int p = 0; p < pages; ++p) {
            store.addPage(page);
            header->setTop(0);
            store.addObject(header);
            for (int r = 0; r < rowsPerPage; ++r) {
                ++row;
                printRow(60 + r * 20, QStringLiteral("Row %1").arg(row), QString::number(row * 10));
            }
            store.addObject(footer);
        }
        store.closeLogicalRun();
        store.endRun();
        // The template as it was: the rows only changed the copies' texts.
        band->setTop(60);
        name->setText(QStringLiteral("[Name]"));
        amount->setText(QStringLiteral("[Amount]"));
    }

    void printRow(double top, const QString &nameText, const QString &amountText)
    {
        band->setTop(top);
        name->setText(nameText);
        amount->setText(amountText);
        store.addObject(band);
    }

    QByteArray saved()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const QString error = store.saveToStream(buffer);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return buffer.data();
    }
};

// The attribute text of object node `object` on page node `page`.
inline QByteArray nodeText(TpgxPreviewPages &store, int page, int object)
{
    TpgxXMLItem *pages = store.document().root()->findItem("previewpages");
    return pages->items(page)->items(object)->text();
}

inline QByteArray nodeName(TpgxPreviewPages &store, int page, int object)
{
    TpgxXMLItem *pages = store.document().root()->findItem("previewpages");
    return pages->items(page)->items(object)->name();
}

// A view of a built page by name; null when there is none.
template<class T = TpgxComponent>
T *builtObject(TpgxReportPage *page, const QString &name)
{
    for (TpgxComponent *c : page->allObjects())
        if (c->name() == name)
            return qobject_cast<T *>(c);
    return nullptr;
}

// What `program` (a reader of the files written) prints.
inline QString runTool(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}   // namespace pgx::test
