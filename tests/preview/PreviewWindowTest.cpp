#include "PreviewTestSupport.h"

#include "../prepared/PreparedTestSupport.h"
#include "../support/GoldenImage.h"

#include "platform/printing/PrinterBackend.h"
#include "preview/layout/TpgxPageList.h"
#include "preview/window/TpgxPreview.h"
#include "preview/window/TpgxPreviewForm.h"
#include "preview/workspace/TpgxPreviewWorkspace.h"
#include "report/root/ReportOptions.h"

#include <QtTest/QTest>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QScrollBar>

#include <gtest/gtest.h>

namespace pgx::test {
namespace {

const QString kOrders = QStringLiteral(PGX_TEST_DATA "/prepared/orders.pgp");   // 3 A4 pages

// Prompts that answer nothing and keep what was said.
class QuietPrompts final : public UserPrompts
{
public:
    QStringList messages;
    void showMessage(Kind, const QString &text) override { messages << text; }
};

// A preview window on orders.pgp, shown offscreen at a fixed size.
struct OrdersWindow
{
    // Before any widget: the suite's one application.
    bool applicationReady = (widgetApplication(), registerReportClasses(), true);
    TpgxReport report;
    TpgxPreviewPages pages{&report};
    preview::TpgxPreviewForm form;
    QuietPrompts prompts;
    ScopedUserPrompts usePrompts{prompts};

    explicit OrdersWindow(TpgxPreviewOptions::TpgxPreviewButtons buttons
                          = TpgxPreviewOptions::kAllButtons)
    {
        EXPECT_TRUE(pages.loadFromFile(kOrders)) << pages.errorString().toStdString();
        report.previewOptions()->buttons = buttons;
        report.previewOptions()->zoom = 0.5;
        form.resize(800, 600);
        form.setReport(&report, &pages);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    preview::TpgxPreview &preview() { return *form.preview(); }
};

TEST(PreviewWindow, ShowsThePagesAndNavigates)
{
    OrdersWindow w;
    EXPECT_EQ(w.form.pageStatus()->text(), QStringLiteral("Page 1 of 3"));
    EXPECT_EQ(w.form.windowTitle(), QStringLiteral("Orders & \"totals\""));
    w.form.action(preview::PreviewCommand::Last)->trigger();
    EXPECT_EQ(w.preview().pageNo(), 3);
    EXPECT_EQ(w.form.pageStatus()->text(), QStringLiteral("Page 3 of 3"));
    EXPECT_EQ(w.form.pageBox()->text(), QStringLiteral("3"));
    w.form.action(preview::PreviewCommand::Next)->trigger();
    EXPECT_EQ(w.preview().pageNo(), 3);   // clamped
    w.form.pageBox()->setText(QStringLiteral("2"));
    QTest::keyClick(w.form.pageBox(), Qt::Key_Return);
    EXPECT_EQ(w.preview().pageNo(), 2);
    QTest::keyClick(w.preview().workspace(), Qt::Key_Home);
    EXPECT_EQ(w.preview().pageNo(), 1);
    QTest::keyClick(w.preview().workspace(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(w.preview().pageNo(), 2);
    // Scrolling to the bottom makes the last page current.
    QScrollBar *bar = w.preview().workspace()->verticalScrollBar();
    bar->setValue(bar->maximum());
    EXPECT_EQ(w.preview().pageNo(), 3);
}

TEST(PreviewWindow, ZoomFromTheBoxTheButtonsAndTheWheel)
{
    OrdersWindow w;
    EXPECT_EQ(w.form.zoomBox()->currentText(), QStringLiteral("50%"));
    for (int i = 0; i < 5; ++i)
        w.form.action(preview::PreviewCommand::ZoomOut)->trigger();
    EXPECT_DOUBLE_EQ(w.preview().zoom(), 0.25);
    EXPECT_EQ(w.form.zoomBox()->currentText(), QStringLiteral("25%"));
    w.form.action(preview::PreviewCommand::ZoomIn)->trigger();
    EXPECT_DOUBLE_EQ(w.preview().zoom(), 0.5);
    for (const auto &[typed, zoom] : {std::pair{"150 %", 1.5}, {"1,5", 1.5}, {"75", 0.75}}) {
        w.form.zoomBox()->setEditText(QString::fromLatin1(typed));
        QTest::keyClick(w.form.zoomBox(), Qt::Key_Return);
        EXPECT_DOUBLE_EQ(w.preview().zoom(), zoom) << typed;
    }
    w.form.zoomBox()->setEditText(QStringLiteral("Whole page"));
    QTest::keyClick(w.form.zoomBox(), Qt::Key_Return);
    EXPECT_EQ(w.preview().zoomMode(), TpgxPreviewOptions::zmWholePage);
    const int viewHeight = w.preview().workspace()->viewport()->height();
    EXPECT_NEAR(w.preview().zoom(), (viewHeight - 26) / 1123.0, 0.01);
}

TEST(PreviewWindow, ShortcutsOnlyForShownButtons)
{
    // PGX_VIRTUAL_PRINTER: printing says there is no printer.
    TpgxPrinters::resetInstance(std::make_unique<NoPrinterBackend>());
    {
        OrdersWindow w;
        QTest::keyClick(&w.form, Qt::Key_P, Qt::ControlModifier);
        EXPECT_EQ(w.prompts.messages,
                  QStringList{QStringLiteral("No printers installed on your system")});
    }
    {
        OrdersWindow w(TpgxPreviewOptions::kAllButtons & ~TpgxPreviewOptions::pbPrint);
        EXPECT_FALSE(w.form.action(preview::PreviewCommand::Print)->isVisible());
        QTest::keyClick(&w.form, Qt::Key_P, Qt::ControlModifier);
        EXPECT_TRUE(w.prompts.messages.isEmpty());
    }
    TpgxPrinters::resetInstance();
}

TEST(PreviewWindow, FindNextWalksEveryMatchInPageOrder)
{
    OrdersWindow w;
    ASSERT_TRUE(w.preview().find(QStringLiteral("Row"), false, true));
    QList<int> pages{w.preview().pageNo()};
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(&w.form, Qt::Key_F3);
        if (pages.size() == i + 1 && w.preview().pageNo() >= pages.last())
            pages << w.preview().pageNo();
    }
    EXPECT_EQ(pages.first(), 1);
    EXPECT_EQ(pages.last(), 3);
    EXPECT_TRUE(std::is_sorted(pages.begin(), pages.end()));
    EXPECT_FALSE(w.preview().findNext());   // after the last page nothing more
}

TEST(PreviewWindow, LinksToPagesAndAnchors)
{
    widgetApplication();
    PreparedReport r;
    r.store.beginRun();
    r.store.addSourcePage(r.page);
    r.store.beginPass();
    for (int p = 0; p < 4; ++p) {
        r.store.addPage(r.page);
        if (p == 2)
            r.store.addAnchor(QStringLiteral("totals"), 500);
    }
    r.store.endRun();
    preview::TpgxPreviewForm form;
    form.resize(700, 500);
    form.setReport(&r.report, &r.store);
    form.show();
    preview::TpgxPreview &p = *form.preview();
    p.followLink(QStringLiteral("@3"));
    EXPECT_EQ(p.pageNo(), 3);
    p.followLink(QStringLiteral("@1"));
    p.followLink(QStringLiteral("#totals"));
    EXPECT_EQ(p.pageNo(), 3);
    p.followLink(QStringLiteral("@1"));
    p.followLink(QStringLiteral("#never-added"));
    EXPECT_EQ(p.pageNo(), 1);
    p.followLink(QStringLiteral("file:///etc/passwd"));
    EXPECT_EQ(form.infoStatus()->text(), QStringLiteral("file:///etc/passwd"));
}

}   // namespace
}   // namespace pgx::test
