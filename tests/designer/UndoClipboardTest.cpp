#include "../report/views/ViewTestSupport.h"

#include "designer/clipboard/TextClipboard.h"
#include "designer/clipboard/TpgxClipboard.h"
#include "designer/undo/TpgxPictureCache.h"
#include "designer/undo/TpgxUndoBuffer.h"
#include "report/bands/Bands.h"
#include "report/views/TpgxMemoView.h"
#include "report/views/TpgxPictureView.h"

#include <QtCore/QBuffer>
#include <QtCore/QRegularExpression>
#include <QtGui/QImage>

#include <gtest/gtest.h>

namespace pgx::test {
namespace {

class FakeClipboard final : public TextClipboard
{
public:
    QString content;
    QString text() const override { return content; }
    void setText(const QString &text) override { content = text; }
};

TpgxMemoView *memoOn(TpgxComponent *parent, const QString &name, double top, const QString &text)
{
    auto *m = new TpgxMemoView(parent);
    m->setName(name);
    m->setBounds(10, top, 100, 18);
    m->setText(text);
    return m;
}

QString memoText(TpgxReport &report, const QString &name)
{
    auto *memo = qobject_cast<TpgxMemoView *>(report.findObject(name));
    // A memo's text is its lines, each ending in a line break once saved.
    return memo ? memo->text().trimmed() : QStringLiteral("(none)");
}

// The designer's protocol: every change records a snapshot and empties the
// redo list; undo records the present for redo and steps back; redo steps
// forward and records the result again.
struct Designer
{
    ViewReport r;
    TpgxPictureCache pictures;
    TpgxUndoBuffer undo{pictures};

    Designer()
    {
        memoOn(r.band, QStringLiteral("Memo1"), 0, QStringLiteral("first"));
        undo.clearUndoSteps();
        undo.recordUndo(r.report);
    }
    void change(const QString &text)
    {
        qobject_cast<TpgxMemoView *>(r.report.findObject(QStringLiteral("Memo1")))->setText(text);
        undo.recordUndo(r.report);
        undo.clearRedoSteps();
    }
    bool canUndo() const { return undo.undoSteps() > 1; }
    bool canRedo() const { return undo.redoSteps() > 0; }
    void stepUndo()
    {
        undo.recordRedo(r.report);
        undo.stepBack(r.report);
    }
    void stepRedo()
    {
        undo.stepForward(r.report);
        undo.recordUndo(r.report);
    }
};

TEST(UndoBuffer, UndoAndRedoFollowTheChanges)
{
    Designer d;
    EXPECT_FALSE(d.canUndo());   // just opened
    d.change(QStringLiteral("second"));
    EXPECT_TRUE(d.canUndo());
    d.stepUndo();
    EXPECT_EQ(memoText(d.r.report, QStringLiteral("Memo1")), QStringLiteral("first"));
    EXPECT_FALSE(d.canUndo());
    EXPECT_TRUE(d.canRedo());
    d.stepRedo();
    EXPECT_EQ(memoText(d.r.report, QStringLiteral("Memo1")), QStringLiteral("second"));
    EXPECT_TRUE(d.canUndo());
    EXPECT_FALSE(d.canRedo());
    d.stepUndo();
    d.change(QStringLiteral("third"));   // a new change after an undo
    EXPECT_FALSE(d.canRedo());
    EXPECT_FALSE(d.r.report.restoring());
}

TEST(UndoBuffer, PicturesTravelThroughTheCacheNotTheSnapshots)
{
    Designer d;
    auto *view = new TpgxPictureView(d.r.band);
    view->setName(QStringLiteral("Picture1"));
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::red);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    image.save(&png, "PNG");
    ASSERT_TRUE(view->loadFromData(png.data()));
    const QByteArray picture = view->picture()->graphicData();
    d.pictures.addPictures(d.r.report);
    EXPECT_EQ(view->imageIndex(), 1);
    d.change(QStringLiteral("second"));
    d.change(QStringLiteral("third"));
    d.stepUndo();
    auto *restored
        = qobject_cast<TpgxPictureView *>(d.r.report.findObject(QStringLiteral("Picture1")));
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->picture()->graphicData(), picture);
    // A saved template still carries the picture itself.
    QBuffer saved;
    saved.open(QIODevice::WriteOnly);
    d.r.report.saveToStream(&saved);
    EXPECT_TRUE(saved.data().contains("Picture.PropData"));
}

struct ClipboardPage
{
    ViewReport r;
    TpgxPageHeader *header = new TpgxPageHeader(r.page);
    TpgxMemoView *title = nullptr;
    TpgxMemoView *row1 = nullptr;
    TpgxMemoView *row2 = nullptr;
    FakeClipboard system;
    TpgxPictureCache pictures;
    TpgxClipboard clipboard{system, pictures};

    ClipboardPage()
    {
        header->setName(QStringLiteral("PageHeader1"));
        header->setBounds(0, 0, 700, 30);
        title = memoOn(header, QStringLiteral("Title"), 5, QStringLiteral("Orders"));
        r.band->setBounds(0, 50, 700, 40);
        row1 = memoOn(r.band, QStringLiteral("Row1"), 0, QStringLiteral("[Name]"));
        row2 = memoOn(r.band, QStringLiteral("Row2"), 20, QStringLiteral("[Total]"));
    }
    // The classes and names of the copied elements, in order.
    QStringList copied(const QList<TpgxComponent *> &selection)
    {
        clipboard.copyObjects(*r.page, selection);
        QStringList names;
        static const QRegularExpression kElement(QStringLiteral("<(\\w+) Name=\"(\\w*)\""));
        auto it = kElement.globalMatch(system.content);
        while (it.hasNext()) {
            const auto m = it.next();
            names << m.captured(1) + QLatin1Char(' ') + m.captured(2);
        }
        return names;
    }
};

TEST(Clipboard, ABandAloneCarriesItsObjectsOtherwiseOnlyTheSelected)
{
    ClipboardPage p;
    EXPECT_EQ(
        p.copied({p.r.band}),
        (QStringList{QStringLiteral("TpgxMasterData Band1"), QStringLiteral("TpgxMemoView Row1"),
                     QStringLiteral("TpgxMemoView Row2")}));
    EXPECT_EQ(
        p.copied({p.r.band, p.row2}),
        (QStringList{QStringLiteral("TpgxMasterData Band1"), QStringLiteral("TpgxMemoView Row2")}));
    EXPECT_TRUE(p.system.content.startsWith(QStringLiteral("#PGR clipboard#\n\r<")));
    EXPECT_TRUE(p.clipboard.holdsObjects());
    p.system.content = QStringLiteral("<TpgxMemoView Name=\"X\"/>");
    EXPECT_FALSE(p.clipboard.holdsObjects());
}

TEST(Clipboard, PastingRenamesCopiesKeepsCutNamesAndDropsASecondHeader)
{
    ClipboardPage p;
    p.copied({p.header, p.r.band});
    const TpgxClipboard::Pasted pasted = p.clipboard.pasteObjects(*p.r.page);
    QStringList names;
    for (TpgxComponent *object : pasted.objects)
        names << object->name();
    // The page has its header: the pasted one goes, its title stays (on
    // the page, above the pasted band); the band and its objects come with
    // new names, the objects inside the new band.
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("MasterData1"), QStringLiteral("Memo1"),
                           QStringLiteral("Memo2"), QStringLiteral("Memo3")}));
    ASSERT_EQ(pasted.objects.size(), 4);
    EXPECT_EQ(pasted.objects[1]->parentComponent(), pasted.objects[0]);
    EXPECT_DOUBLE_EQ(pasted.objects[2]->top(), 20);
    EXPECT_EQ(pasted.objects[3]->parentComponent(), p.r.page);
    EXPECT_EQ(pasted.selection, (QList<TpgxComponent *>{pasted.objects[0], pasted.objects[3]}));

    // Cut: the objects are gone before the paste, so their names stay.
    ClipboardPage cut;
    const QString before = (cut.copied({cut.r.band}), cut.system.content);
    delete cut.r.band;
    const TpgxClipboard::Pasted back = cut.clipboard.pasteObjects(*cut.r.page);
    ASSERT_EQ(back.objects.size(), 3);
    EXPECT_EQ(back.objects[0]->name(), QStringLiteral("Band1"));
    EXPECT_EQ(back.objects[2]->name(), QStringLiteral("Row2"));
    // Copying what was pasted gives the same text again.
    cut.clipboard.copyObjects(*cut.r.page, {back.objects[0]});
    EXPECT_EQ(cut.system.content, before);
}

TEST(Clipboard, ADataPageTakesOnlyItsKinds)
{
    ClipboardPage p;
    p.copied({p.r.band});
    auto *data = new TpgxDataPage(&p.r.report);
    data->setName(QStringLiteral("Data2"));
    const TpgxClipboard::Pasted pasted = p.clipboard.pasteObjects(*data);
    ASSERT_EQ(pasted.objects.size(), 2);   // the memos, not the band
    EXPECT_EQ(pasted.objects[0]->parentComponent(), data);
}

}   // namespace
}   // namespace pgx::test
