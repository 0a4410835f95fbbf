#include "../report/views/ViewTestSupport.h"
#include "../support/GoldenImage.h"

#include "designer/clipboard/TextClipboard.h"
#include "designer/clipboard/TpgxClipboard.h"
#include "designer/model/DesignerModel.h"
#include "designer/workspace/TpgxDesignerWorkspace.h"
#include "platform/UserPrompts.h"
#include "report/bands/Bands.h"
#include "report/component/Units.h"
#include "report/views/TpgxMemoView.h"

#include <QtCore/QBuffer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>

#include <gtest/gtest.h>

namespace pgx::test {
namespace {

constexpr double kCm = 37.7953;

QApplication &application()
{
    static int argc = 1;
    static char name[] = "test_designer";
    static char *argv[] = {name, nullptr};
    static QApplication *app = new QApplication(argc, argv);
    return *app;
}

class QuietPrompts final : public UserPrompts
{
public:
    QStringList messages;
    void showMessage(Kind, const QString &text) override { messages << text; }
};

class MemoryClipboard final : public TextClipboard
{
public:
    QString content;
    QString text() const override { return content; }
    void setText(const QString &text) override { content = text; }
};

// A page with 1 cm margins, a data band and a memo 2 cm from the left, in
// a workspace at 100 % on a 1 cm grid.
struct Workspace
{
    bool ready = (application(), true);
    ViewReport r;
    TpgxMemoView *memo = nullptr;
    std::unique_ptr<designer::DesignerModel> model;
    std::unique_ptr<designer::TpgxDesignerWorkspace> workspace;
    QuietPrompts prompts;
    ScopedUserPrompts usePrompts{prompts};

    Workspace()
    {
        r.page->setLeftMargin(10);
        r.page->setTopMargin(10);
        r.page->setRightMargin(10);
        r.page->setBottomMargin(10);
        r.band->setBounds(0, 40, 700, 100);
        memo = new TpgxMemoView(r.band);
        memo->setName(QStringLiteral("Memo1"));
        memo->setBounds(2 * kCm, 10, 3 * kCm, 20);
        model = std::make_unique<designer::DesignerModel>(r.report);
        designer::DesignerModel::Grid grid;
        grid.stepX = grid.stepY = kCm;
        model->setGrid(grid);
        model->arrangeBands();
        model->reload();
        workspace = std::make_unique<designer::TpgxDesignerWorkspace>(*model);
        workspace->show();
    }
    QPoint at(const TpgxComponent &object, QPointF inside = {5, 5}) const
    {
        return workspace->toWidget(QPointF(object.absLeft(), object.absTop()) + inside).toPoint();
    }
    void drag(QPoint from, QPoint by, Qt::KeyboardModifiers keys = {})
    {
        QTest::mousePress(workspace.get(), Qt::LeftButton, keys, from);
        QTest::mouseMove(workspace.get(), from + by / 2);
        QTest::mouseMove(workspace.get(), from + by);
        QTest::mouseRelease(workspace.get(), Qt::LeftButton, keys, from + by);
    }
};

TEST(DesignerWorkspace, DragsMoveInWholeGridSteps)
{
    Workspace w;
    const double left = w.memo->left();
    w.drag(w.at(*w.memo), QPoint(int(0.9 * kCm), 0));
    EXPECT_DOUBLE_EQ(w.memo->left(), left);
    EXPECT_FALSE(w.model->canUndo());   // nothing moved, nothing recorded
    w.drag(w.at(*w.memo), QPoint(int(std::lround(1.4 * kCm)), 0));
    EXPECT_DOUBLE_EQ(w.memo->left(), std::round((left + kCm) * 1e8) / 1e8);
    EXPECT_TRUE(w.model->canUndo());
    w.model->undo();
    auto *back = qobject_cast<TpgxMemoView *>(w.r.report.findObject(QStringLiteral("Memo1")));
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->left(), left);
}

TEST(DesignerWorkspace, ObjectsOfAGroupSelectTogether)
{
    Workspace w;
    auto *other = new TpgxMemoView(w.r.band);
    other->setName(QStringLiteral("Memo2"));
    other->setBounds(8 * kCm, 10, kCm, 20);
    w.memo->setGroupIndex(3);
    other->setGroupIndex(3);
    QTest::mouseClick(w.workspace.get(), Qt::LeftButton, {}, w.at(*w.memo));
    EXPECT_EQ(w.model->selectedObjects().size(), 2);
    EXPECT_TRUE(w.model->isSelected(other));
}

TEST(DesignerWorkspace, KeysMoveResizeAndSelect)
{
    Workspace w;
    w.memo->setWidth(20);   // narrower than a grid step
    QTest::mouseClick(w.workspace.get(), Qt::LeftButton, {}, w.at(*w.memo));
    QTest::keyClick(w.workspace.get(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(w.memo->width(), 20);
    QTest::keyClick(w.workspace.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(w.memo->width(), 20 + kCm);
    const double left = w.memo->left();
    QTest::keyClick(w.workspace.get(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w.memo->left(), left + 1);
    QTest::keyClick(w.workspace.get(), Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(w.memo->left(), left + 1 + kCm);
}

TEST(DesignerWorkspace, TabWalksABandsObjectsAndWraps)
{
    Workspace w;
    auto *other = new TpgxMemoView(w.r.band);
    other->setName(QStringLiteral("Memo2"));
    other->setBounds(8 * kCm, 10, kCm, 20);
    w.model->select({w.r.band});
    const auto tab = [&w] {
        QTest::keyClick(w.workspace.get(), Qt::Key_Tab);
        return w.model->selectedObjects().value(0);
    };
    EXPECT_EQ(tab(), w.memo);   // a band: its first object
    EXPECT_EQ(tab(), other);
    EXPECT_EQ(tab(), w.memo);   // wrapped
}

TEST(DesignerWorkspace, AnInheritedObjectIsNotDeleted)
{
    Workspace w;
    w.memo->setIsAncestor(true);
    QTest::mouseClick(w.workspace.get(), Qt::LeftButton, {}, w.at(*w.memo));
    QTest::keyClick(w.workspace.get(), Qt::Key_Delete);
    EXPECT_EQ(w.prompts.messages,
              QStringList{QStringLiteral(
                  "Could not delete Memo1, it was introduced in the ancestor report")});
    EXPECT_TRUE(w.r.report.findObject(QStringLiteral("Memo1")));
}

TEST(DesignerWorkspace, ANewDataBandLandsBetweenTitleAndFooter)
{
    Workspace w;
    auto *title = new TpgxReportTitle(w.r.page);
    title->setName(QStringLiteral("ReportTitle1"));
    title->setBounds(0, 0, 700, 30);
    auto *footer = new TpgxPageFooter(w.r.page);
    footer->setName(QStringLiteral("PageFooter1"));
    footer->setBounds(0, 600, 700, 30);
    w.model->arrangeBands();
    // A click far below everything inserts a master data band there.
    w.workspace->setInsertion(QStringLiteral("TpgxMasterData"), {700, 40});
    QTest::mouseClick(w.workspace.get(), Qt::LeftButton, {},
                      w.workspace->toWidget(QPointF(10, 900)).toPoint());
    auto *inserted = qobject_cast<TpgxBand *>(w.model->selectedObjects().value(0));
    ASSERT_TRUE(inserted);
    EXPECT_GT(inserted->top(), title->top());
    EXPECT_LT(inserted->top(), footer->top());
    EXPECT_TRUE(w.workspace->insertion().isEmpty());
}

TEST(DesignerWorkspace, PasteThenUndoGivesTheSameReportBack)
{
    Workspace w;
    const auto saved = [&w] {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        w.r.report.saveToStream(&buffer);
        return buffer.data();
    };
    const QByteArray before = saved();
    MemoryClipboard system;
    TpgxClipboard clipboard(system, w.model->pictures());
    clipboard.copyObjects(*w.r.page, {w.r.band});
    w.model->paste(clipboard);
    EXPECT_NE(saved(), before);
    w.model->undo();
    EXPECT_EQ(saved(), before);
    w.model->redo();
    EXPECT_NE(saved(), before);
}

TEST(DesignerWorkspace, ABandIsSizedByItsBottomEdgeButStillHoldsItsObjects)
{
    Workspace w;
    const double height = w.r.band->height();
    const QPoint edge = w.workspace->toWidget(QPointF(300, w.r.band->absTop() + height)).toPoint();
    w.drag(edge, QPoint(0, int(std::lround(2.2 * kCm))));
    EXPECT_NEAR(w.r.band->height(), height + 2 * kCm, 1e-6);
    // Dragged far up, it stops at the bottom of the memo it holds.
    const QPoint lower
        = w.workspace->toWidget(QPointF(300, w.r.band->absTop() + w.r.band->height())).toPoint();
    w.drag(lower, QPoint(0, -400));
    EXPECT_NEAR(w.r.band->height(), w.memo->top() + w.memo->height(), 1e-6);
}

TEST(DesignerWorkspace, TheTealHandleScalesTheSelectionAboutItsCorner)
{
    Workspace w;
    auto *other = new TpgxMemoView(w.r.band);
    other->setName(QStringLiteral("Memo2"));
    other->setBounds(8 * kCm, 10, kCm, 20);
    w.model->select({w.memo, other});
    // The bounds run from 2 cm to 9 cm: 7 cm more to the right doubles them.
    const QPoint handle = w.workspace
                              ->toWidget(QPointF(other->absLeft() + other->width(),
                                                 other->absTop() + other->height()))
                              .toPoint();
    w.drag(handle, QPoint(int(std::lround(7 * kCm)), 0));
    EXPECT_NEAR(w.memo->left(), 2 * kCm, 1);
    EXPECT_NEAR(w.memo->width(), 6 * kCm, 1.5);
    EXPECT_NEAR(other->left(), 14 * kCm, 2);
    EXPECT_NEAR(other->width(), 2 * kCm, 1);
    EXPECT_NEAR(other->height(), 20, 0.5);   // no change downwards
    EXPECT_TRUE(w.model->canUndo());
}

TEST(DesignerWorkspace, LooksAsItDid)
{
    Workspace w;
    auto *title = new TpgxReportTitle(w.r.page);
    title->setName(QStringLiteral("ReportTitle1"));
    title->setBounds(0, 0, 700, 40);
    auto *heading = new TpgxMemoView(title);
    heading->setName(QStringLiteral("Heading"));
    heading->setBounds(0, 5, 300, 24);
    heading->setText(QStringLiteral("Orders by customer"));
    w.memo->setText(QStringLiteral("[Customer]"));
    w.model->arrangeBands();
    w.workspace->setScale(0.75);
    QTest::mouseClick(w.workspace.get(), Qt::LeftButton, {}, w.at(*w.memo));
    const QImage image = w.workspace->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(matchesGoldenImage(image, QStringLiteral(PGX_TEST_DATA "/designer/workspace.png"),
                                   {48, 0.01}));
}

}   // namespace
}   // namespace pgx::test
