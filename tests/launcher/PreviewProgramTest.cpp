#include "LauncherTestSupport.h"

#include "../support/GoldenImage.h"

#include "launcher/PreviewProgram.h"
#include "objects/ReportRuntime.h"
#include "platform/UserPrompts.h"
#include "prepared/TpgxPreviewPages.h"
#include "preview/window/TpgxPreview.h"
#include "preview/window/TpgxPreviewForm.h"
#include "report/root/ReportOptions.h"
#include "report/root/TpgxReport.h"

#include "preview/workspace/TpgxPreviewWorkspace.h"
#include "report/bands/Bands.h"
#include "report/component/Units.h"
#include "report/pages/TpgxReportPage.h"

#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollBar>

#include <gtest/gtest.h>

namespace pgx::test {
namespace {

class QuietPrompts final : public UserPrompts
{
public:
    QStringList messages;
    void showMessage(Kind, const QString &text) override { messages << text; }
};

TEST(PreviewProgram, ArgumentsThatAskForThePreview)
{
    struct Case
    {
        QStringList arguments;
        bool preview;
        const char *file;
    };
    const Case cases[] = {
        {{QStringLiteral("--preview"), QStringLiteral("a.pgr")}, true, "a.pgr"},
        {{QStringLiteral("done.PGP")}, true, "done.PGP"},
        {{QStringLiteral("a.pgr")}, false, ""},
        {{QStringLiteral("--preview")}, false, ""},
        {{}, false, ""},
    };
    for (const Case &c : cases) {
        QString file;
        EXPECT_EQ(launcher::wantsPreview(c.arguments, &file), c.preview)
            << c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(file, QString::fromLatin1(c.file));
    }
}

TEST(PreviewProgram, ATemplateIsPreparedIntoTheWindowAsItRuns)
{
    widgetApplication();
    setUpReportRuntime();
    TpgxReport report;
    report.loadFromFile(QStringLiteral(PGX_TEST_DATA "/../../examples/grouped-list.pgr"), true);
    ASSERT_TRUE(report.errors().isEmpty()) << report.errors().join(QLatin1Char('\n')).toStdString();
    TpgxPreviewPages pages(&report);
    preview::TpgxPreviewForm form;
    QuietPrompts prompts;
    ScopedUserPrompts usePrompts(prompts);
    report.previewOptions()->zoom = 0.75;
    form.resize(800, 600);
    form.setReport(&report, &pages);
    form.show();
    QStringList closeTexts;
    QObject::connect(form.preview(), &preview::TpgxPreview::runningChanged, &form, [&](bool) {
        closeTexts << form.action(preview::PreviewCommand::Close)->text();
    });
    ASSERT_TRUE(form.preview()->prepare())
        << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(closeTexts, (QStringList{QStringLiteral("Cancel"), QStringLiteral("Close")}));
    EXPECT_GT(form.preview()->pageCount(), 0);
    EXPECT_EQ(form.pageStatus()->text(),
              QStringLiteral("Page 1 of %1").arg(form.preview()->pageCount()));
    EXPECT_FALSE(form.preview()->isRunning());

    // What a user sees: the bundled example in the window.
    const QImage image = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(matchesGoldenImage(
        image, QStringLiteral(PGX_TEST_DATA "/launcher/grouped-list-window.png"), {48, 0.01}));
}

// A click on a folded drill-down group header unfolds that group (the
// report is prepared again); "Collapse all" folds it again.
TEST(PreviewProgram, ClickingADrillDownHeaderUnfoldsItsGroup)
{
    widgetApplication();
    setUpReportRuntime();
    TpgxReport report;
    report.loadFromFile(QStringLiteral(PGX_TEST_DATA "/../../examples/grouped-list.pgr"), true);
    TpgxGroupHeader *header = nullptr;
    for (TpgxComponent *object : report.allObjects())
        if (object->name() == QLatin1String("GroupHeader1"))
            header = qobject_cast<TpgxGroupHeader *>(object);
    ASSERT_TRUE(header);
    header->setDrillDown(true);
    TpgxPreviewPages pages(&report);
    preview::TpgxPreviewForm form;
    QuietPrompts prompts;
    ScopedUserPrompts usePrompts(prompts);
    form.resize(800, 900);
    form.setReport(&report, &pages);
    form.show();
    preview::TpgxPreview &p = *form.preview();
    ASSERT_TRUE(p.prepare());
    EXPECT_FALSE(p.find(QStringLiteral("Line 1"), true, true));   // folded

    // Where the first group header lies in the window.
    TpgxReportPage *page = pages.getPage(0);
    TpgxGroupHeader *built = nullptr;
    for (TpgxComponent *object : page->allObjects())
        if ((built = qobject_cast<TpgxGroupHeader *>(object)))
            break;
    ASSERT_TRUE(built);
    preview::TpgxPreviewWorkspace *w = p.workspace();
    const QRect pageRect = w->pageList().item(0);
    const double zoom = w->zoom();
    const QPoint at(
        int(pageRect.left() + (page->leftMargin() * kPg01cm + built->absLeft() + 20) * zoom)
            - w->horizontalScrollBar()->value(),
        int(pageRect.top() + (page->topMargin() * kPg01cm + built->absTop() + 5) * zoom)
            - w->verticalScrollBar()->value());
    QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(p.find(QStringLiteral("Line 1"), true, true));    // unfolded
    EXPECT_FALSE(p.find(QStringLiteral("Line 6"), true, true));   // the next group stays folded

    form.action(preview::PreviewCommand::ExpandAll)->trigger();
    EXPECT_TRUE(p.find(QStringLiteral("Line 6"), true, true));
    form.action(preview::PreviewCommand::CollapseAll)->trigger();
    EXPECT_FALSE(p.find(QStringLiteral("Line 1"), true, true));
    EXPECT_TRUE(prompts.messages.isEmpty())
        << prompts.messages.join(QLatin1Char('\n')).toStdString();
}

}   // namespace
}   // namespace pgx::test
