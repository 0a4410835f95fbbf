// The component tree: ownership, order, names, geometry, fonts, Clear and
// the destruction notice.
#include "SampleComponents.h"

#include "platform/Error.h"
#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

namespace {

QStringList namesOf(const QList<TpgxComponent *> &list)
{
    QStringList names;
    for (const TpgxComponent *c : list)
        names << c->Name();
    return names;
}

TpgxSampleView *view(TpgxComponent *owner, const char *name)
{
    auto *v = new TpgxSampleView(owner);
    v->SetName(QString::fromLatin1(name));
    return v;
}

TEST(ComponentTree, OwnerDecidesParentAndRegistryOwner)
{
    QObject host;
    auto *report = new TpgxReport(&host);
    EXPECT_EQ(report->parent(), &host);
    EXPECT_EQ(report->Parent(), nullptr);

    auto *page = new TpgxPage(report);
    auto *band = new TpgxSampleBand(page);
    auto *v = new TpgxSampleView(band);
    // Any component owner becomes the tree parent; the report above it frees it.
    EXPECT_EQ(page->Parent(), report);
    EXPECT_EQ(band->Parent(), page);
    EXPECT_EQ(v->Parent(), band);
    EXPECT_EQ(band->parent(), report);
    EXPECT_EQ(v->parent(), report);
    EXPECT_EQ(v->Report(), report);
    EXPECT_EQ(v->Page(), page);
    EXPECT_EQ(page->Page(), page);
    EXPECT_EQ(report->Page(), nullptr);
    EXPECT_EQ(report->Report(), report);

    // Outside a report there is no registry owner: the tree parent frees it.
    TpgxPage loosePage;
    auto *loose = new TpgxSampleView(&loosePage);
    EXPECT_EQ(loose->parent(), nullptr);
    EXPECT_EQ(loose->Report(), nullptr);
}

TEST(ComponentTree, AllObjectsIsDepthFirstPreOrder)
{
    TpgxReport report;
    auto *p1 = new TpgxPage(&report);
    p1->SetName(QStringLiteral("P1"));
    auto *b1 = new TpgxSampleBand(p1);
    b1->SetName(QStringLiteral("B1"));
    view(b1, "V1");
    view(b1, "V2");
    auto *b2 = new TpgxSampleBand(p1);
    b2->SetName(QStringLiteral("B2"));
    auto *p2 = new TpgxPage(&report);
    p2->SetName(QStringLiteral("P2"));
    view(p2, "V3");

    EXPECT_EQ(namesOf(report.AllObjects()),
              (QStringList{"P1", "B1", "V1", "V2", "B2", "P2", "V3"}));
    EXPECT_EQ(namesOf(p1->AllObjects()), (QStringList{"B1", "V1", "V2", "B2"}));
    EXPECT_TRUE(b2->AllObjects().isEmpty());
}

TEST(ComponentTree, SetParentMovesToTheEndAndRefusesCycles)
{
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    auto *a = new TpgxSampleBand(page);
    auto *b = new TpgxSampleBand(page);
    auto *v = view(a, "V");
    auto *w = view(b, "W");

    v->SetParent(b);
    EXPECT_EQ(v->Parent(), b);
    EXPECT_TRUE(a->Objects().isEmpty());
    EXPECT_EQ(b->Objects(), (QList<TpgxComponent *>{w, v}));

    EXPECT_THROW(page->SetParent(v), pgx::Error);
    EXPECT_THROW(page->SetParent(page), pgx::Error);
    EXPECT_EQ(page->Parent(), &report);

    v->SetParent(nullptr);
    EXPECT_EQ(b->Objects(), (QList<TpgxComponent *>{w}));
    delete v;   // no longer in any tree
}

TEST(ComponentTree, FindObjectIgnoresCaseAndSearchesTheWholeReport)
{
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    auto *band = new TpgxSampleBand(page);
    auto *memo = view(band, "Memo1");
    auto *other = view(page, "Memo2");

    EXPECT_EQ(other->FindObject(QStringLiteral("MEMO1")), memo);
    EXPECT_EQ(report.FindObject(QStringLiteral("memo2")), other);
    EXPECT_EQ(report.FindObject(QStringLiteral("Memo3")), nullptr);
    EXPECT_EQ(report.findComponent(QStringLiteral("memo1")), memo);

    // Outside a report, a component searches its own subtree.
    TpgxPage loose;
    auto *inner = view(&loose, "Inner");
    EXPECT_EQ(loose.FindObject(QStringLiteral("inner")), inner);
    EXPECT_EQ(inner->FindObject(QStringLiteral("inner")), nullptr);
}

TEST(ComponentNames, NameStemDropsTpgxAndView)
{
    TpgxSampleView v;
    EXPECT_EQ(v.NameStem(), QStringLiteral("Sample"));
    TpgxSampleDialogPage dp;
    EXPECT_EQ(dp.NameStem(), QStringLiteral("SampleDialogPage"));
    v.SetNameStem(QStringLiteral("Memo"));
    EXPECT_EQ(v.NameStem(), QStringLiteral("Memo"));
}

TEST(ComponentNames, MakeUniqueNameTakesTheSmallestFreeNumber)
{
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    view(page, "Sample1");
    view(page, "sample3");   // names compare without regard to case
    // Neither of these is Sample2, and a huge number costs nothing.
    view(page, "Sample02");
    view(page, "Sample2x");
    view(page, "Sample99999999999999999999");
    auto *fresh = new TpgxSampleView(page);
    fresh->MakeUniqueName();
    EXPECT_EQ(fresh->Name(), QStringLiteral("Sample2"));
    auto *next = new TpgxSampleView(new TpgxSampleBand(page));
    next->MakeUniqueName();
    EXPECT_EQ(next->Name(), QStringLiteral("Sample4"));

    // Outside a report, the parent's tree counts.
    TpgxPage loose;
    view(&loose, "Sample1");
    auto *looseFresh = new TpgxSampleView(&loose);
    looseFresh->MakeUniqueName();
    EXPECT_EQ(looseFresh->Name(), QStringLiteral("Sample2"));
}

TEST(ComponentNames, SetNameRules)
{
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    auto *memo1 = view(page, "Memo1");
    view(page, "Memo2");

    memo1->SetName(QStringLiteral("memo1"));   // same name in another case: nothing happens
    EXPECT_EQ(memo1->Name(), QStringLiteral("Memo1"));

    const struct
    {
        const char *newName;
        bool ancestor;
        const char *message;
    } failures[] = {
        {"MEMO2", false, "Duplicate name"},
        {"1st", false, "'1st' is not a valid component name"},
        {"Memo 5", false, "'Memo 5' is not a valid component name"},
        {"Memo5", true, "Could not rename Memo1, it was introduced in the ancestor report"},
        {"Memo2", true, "Duplicate name"},   // the duplicate is found first
    };
    for (const auto &f : failures) {
        memo1->SetIsAncestor(f.ancestor);
        try {
            memo1->SetName(QString::fromLatin1(f.newName));
            ADD_FAILURE() << f.newName << ": no error";
        } catch (const pgx::Error &e) {
            EXPECT_EQ(e.message(), QLatin1String(f.message)) << f.newName;
        }
        EXPECT_EQ(memo1->Name(), QStringLiteral("Memo1")) << "the old name stays";
    }
    memo1->SetIsAncestor(false);

    memo1->SetName(QStringLiteral("Zażółć_1"));   // letters of any script
    EXPECT_EQ(memo1->Name(), QStringLiteral("Zażółć_1"));
    memo1->SetName(QString());
    EXPECT_TRUE(memo1->Name().isEmpty());

    // Outside a report only the identifier rule applies.
    TpgxPage loose;
    view(&loose, "Same");
    auto *twin = view(&loose, "Other");
    twin->SetName(QStringLiteral("Same"));
    EXPECT_EQ(twin->Name(), QStringLiteral("Same"));
}

TEST(ComponentGeometry, AbsolutePositionsAddUpToTheDialogPage)
{
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    page->SetBounds(10, 20, 1000, 1000);
    auto *band = new TpgxSampleBand(page);
    band->SetTop(100);
    band->SetLeft(3);
    auto *v = new TpgxSampleView(band);
    v->SetTop(5);
    v->SetLeft(7);
    EXPECT_DOUBLE_EQ(v->AbsTop(), 125);
    EXPECT_DOUBLE_EQ(v->AbsLeft(), 20);

    auto *dialog = new TpgxSampleDialogPage(&report);
    dialog->SetBounds(300, 200, 400, 300);
    auto *control = new TpgxSampleView(dialog);
    control->SetBounds(8, 16, 50, 20);
    EXPECT_DOUBLE_EQ(control->AbsLeft(), 8);
    EXPECT_DOUBLE_EQ(control->AbsTop(), 16);
    EXPECT_EQ(control->PrintedBounds(), QRectF(8, 16, 50, 20));
    EXPECT_EQ(v->PrintedBounds(), QRectF(20, 125, 0, 0));
}

TEST(ComponentGeometry, DesignLocksIgnoreMovesAndSizes)
{
    TpgxSampleView v;
    v.SetBounds(1, 2, 3, 4);
    v.SetRestrictions(TpgxComponent::rfDontMove);
    v.SetBounds(10, 20, 30, 40);   // not designing: locks do not apply
    EXPECT_EQ(QRectF(v.Left(), v.Top(), v.Width(), v.Height()), QRectF(10, 20, 30, 40));

    v.SetIsDesigning(true);
    v.SetBounds(11, 21, 31, 41);
    EXPECT_EQ(QRectF(v.Left(), v.Top(), v.Width(), v.Height()), QRectF(10, 20, 31, 41));
    v.SetRestrictions(TpgxComponent::rfDontSize);
    v.SetBounds(12, 22, 32, 42);
    EXPECT_EQ(QRectF(v.Left(), v.Top(), v.Width(), v.Height()), QRectF(12, 22, 31, 41));
}

TEST(ComponentGeometry, AfterPrintRestoresTheBoundsOfBeforePrint)
{
    TpgxSampleView v;
    v.SetBounds(1, 2, 3, 4);
    v.BeforePrint();
    v.SetBounds(9, 9, 90, 900);
    v.AfterPrint();
    EXPECT_EQ(QRectF(v.Left(), v.Top(), v.Width(), v.Height()), QRectF(1, 2, 3, 4));
}

TEST(ComponentGeometry, DialogComponentsStartAt28By28)
{
    TpgxDialogComponent c;
    EXPECT_EQ(c.Width(), 28);
    EXPECT_EQ(c.Height(), 28);
}

TEST(ComponentFont, NewComponentsTakeTheParentFont)
{
    TpgxSampleBand band;
    EXPECT_EQ(band.Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(band.Font()->Size(), 10);
    EXPECT_EQ(band.Font()->Height(), -13);
    EXPECT_EQ(band.Font()->Color(), 0);
    EXPECT_EQ(band.Font()->Charset(), 1);
    EXPECT_TRUE(band.ParentFont());

    band.Font()->SetName(QStringLiteral("Tahoma"));
    auto *v = new TpgxSampleView(&band);
    EXPECT_TRUE(v->ParentFont());
    EXPECT_EQ(v->Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_FALSE(v->FontIsStored());
}

TEST(ComponentFont, ABandFontChangeReachesInheritingViewsOnly)
{
    TpgxSampleBand band;
    auto *inherits = new TpgxSampleView(&band);
    auto *grandchild = new TpgxSampleView(inherits);
    auto *own = new TpgxSampleView(&band);
    TpgxFont courier;
    courier.SetName(QStringLiteral("Courier New"));
    own->SetFont(&courier);
    EXPECT_FALSE(own->ParentFont());
    EXPECT_TRUE(own->FontIsStored());

    band.Font()->SetStyle(TpgxFont::fsBold | TpgxFont::fsItalic);
    EXPECT_FALSE(band.ParentFont());
    EXPECT_TRUE(inherits->ParentFont());
    EXPECT_EQ(inherits->Font()->Style(), TpgxFont::fsBold | TpgxFont::fsItalic);
    EXPECT_EQ(grandchild->Font()->Style(), TpgxFont::fsBold | TpgxFont::fsItalic);
    EXPECT_TRUE(grandchild->ParentFont());
    EXPECT_EQ(own->Font()->Style(), TpgxFont::TpgxFontStyles());
    EXPECT_EQ(own->Font()->Name(), QStringLiteral("Courier New"));

    // Changing the view's own font ends its inheritance.
    inherits->Font()->SetSize(12);
    EXPECT_FALSE(inherits->ParentFont());
    EXPECT_EQ(inherits->Font()->Height(), -16);
    EXPECT_EQ(grandchild->Font()->Size(), 12);
    band.Font()->SetColor(255);
    EXPECT_EQ(inherits->Font()->Color(), 0);

    // Turning inheritance on again copies the parent's font.
    inherits->SetParentFont(true);
    EXPECT_EQ(inherits->Font()->Color(), 255);
    EXPECT_EQ(inherits->Font()->Size(), 10);
    EXPECT_EQ(grandchild->Font()->Color(), 255);
}

TEST(ComponentFont, MovingToAnotherParentTakesItsFont)
{
    TpgxSampleBand a, b;
    b.Font()->SetName(QStringLiteral("Verdana"));
    auto *v = new TpgxSampleView(&a);
    v->SetParent(&b);
    EXPECT_EQ(v->Font()->Name(), QStringLiteral("Verdana"));
    auto *own = new TpgxSampleView(&a);
    own->Font()->SetName(QStringLiteral("Georgia"));
    own->SetParent(&b);
    EXPECT_EQ(own->Font()->Name(), QStringLiteral("Georgia"));
}

TEST(ComponentFont, PointsAndPixelHeights)
{
    const struct
    {
        int points, height;
    } cases[] = {{8, -11}, {10, -13}, {12, -16}, {9, -12}, {72, -96}, {0, 0}};
    for (const auto &c : cases) {
        EXPECT_EQ(TpgxFont::PointsToHeight(c.points), c.height) << c.points;
        EXPECT_EQ(TpgxFont::HeightToPoints(c.height), c.points) << c.points;
    }
    TpgxFont::SetDefaultCharset(238);
    TpgxFont eastern;
    TpgxFont::SetDefaultCharset(1);
    EXPECT_EQ(eastern.Charset(), 238);
}

TEST(ComponentClear, KeepsAncestorComponentsAndClearsThem)
{
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    auto *inherited = view(page, "Inherited");
    inherited->SetIsAncestor(true);
    view(inherited, "AddedInside");
    auto *inheritedInside = view(inherited, "InheritedInside");
    inheritedInside->SetIsAncestor(true);
    view(page, "Added");

    page->Clear();
    EXPECT_EQ(namesOf(page->AllObjects()), (QStringList{"Inherited", "InheritedInside"}));
    EXPECT_EQ(report.FindObject(QStringLiteral("Added")), nullptr);
}

TEST(ComponentDestruction, ReferencesToADestroyedComponentAreCleared)
{
    TpgxReport report;
    QList<TpgxComponent *> spy;
    QObject::connect(&report, &TpgxReport::ObjectDestroyed,
                     [&](TpgxComponent *c) { spy.append(c); });
    auto *page = new TpgxPage(&report);
    auto *target = view(page, "Target");
    auto *holder = view(page, "Holder");
    holder->SetLink(target);
    holder->SetOriginalComponent(target);

    delete target;
    EXPECT_EQ(holder->Link(), nullptr);
    EXPECT_EQ(holder->OriginalComponent(), nullptr);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0), target);
    EXPECT_EQ(namesOf(page->Objects()), QStringList{"Holder"});

    // A destroyed subtree is announced parent first.
    spy.clear();
    auto *band = new TpgxSampleBand(page);
    auto *inner = view(band, "Inner");
    holder->SetLink(inner);
    delete band;
    EXPECT_EQ(holder->Link(), nullptr);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0), band);
    EXPECT_EQ(spy.at(1), inner);

    // Clear frees through the same path.
    spy.clear();
    page->Clear();
    EXPECT_EQ(spy.count(), 1);
}

TEST(ComponentDestruction, DestroyingAReportFreesAncestorComponentsToo)
{
    auto *report = new TpgxReport;
    auto *page = new TpgxPage(report);
    page->SetIsAncestor(true);
    auto *kept = view(page, "Kept");
    kept->SetIsAncestor(true);
    QPointer<TpgxComponent> watch(kept);
    delete report;
    EXPECT_TRUE(watch.isNull());
}

TEST(ComponentKind, KindCaptionIsTheClassNameOrAResourceText)
{
    TpgxSampleView v;
    EXPECT_EQ(v.KindCaption(), QStringLiteral("TpgxSampleView"));
    TpgxReport report;
    EXPECT_EQ(report.KindCaption(), QStringLiteral("Report"));   // the resource text obReport
}

}   // namespace

namespace {

TEST(ComponentTree, DepthIsBoundedAndDeepTreesStayManageable)
{
    TpgxReport report;
    TpgxComponent *deepest = &report;
    for (int level = 1; level <= TpgxComponent::MaxTreeDepth; ++level)
        deepest = new TpgxSampleView(deepest);
    EXPECT_THROW(new TpgxSampleView(deepest), pgx::Error);
    EXPECT_EQ(deepest->Objects().size(), 0);

    // A font change travels the whole depth; AbsTop and the walks see it all.
    report.Objects().first()->Font()->SetName(QStringLiteral("Tahoma"));
    EXPECT_EQ(deepest->Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(report.AllObjects().size(), TpgxComponent::MaxTreeDepth);

    // Moving a subtree may not push it past the limit either.
    TpgxSampleBand loose;
    auto *child = new TpgxSampleView(&loose);
    EXPECT_THROW(loose.SetParent(deepest), pgx::Error);
    EXPECT_EQ(loose.Parent(), nullptr);
    EXPECT_EQ(child->Parent(), &loose);
    EXPECT_NO_THROW(loose.SetParent(deepest->Parent()->Parent()));
    EXPECT_NO_THROW(loose.SetParent(nullptr));

    // Freeing the chain does not recurse through every level.
    delete report.Objects().first();
    EXPECT_TRUE(report.Objects().isEmpty());
}

}   // namespace

namespace {

// The report's name index must agree with a walk over its objects after
// every kind of change: renames, moves between reports, deletions, Clear.
void expectFindObjectAgreesWithAWalk(const TpgxReport &report, const QStringList &names)
{
    const QList<TpgxComponent *> all = report.AllObjects();
    for (const QString &name : names) {
        TpgxComponent *walked = nullptr;
        for (TpgxComponent *c : all)
            if (c->Name().compare(name, Qt::CaseInsensitive) == 0) {
                walked = c;
                break;
            }
        EXPECT_EQ(report.FindObject(name), walked) << name.toStdString();
    }
}

TEST(ComponentTree, NameLookUpsFollowRenamesMovesAndDeletions)
{
    const QStringList names{"A", "B", "C", "D", "E", "Page1", "Moved"};
    TpgxReport r1, r2;
    auto *p1 = new TpgxPage(&r1);
    p1->SetName(QStringLiteral("Page1"));
    auto *a = view(p1, "A");
    auto *b = view(a, "B");
    expectFindObjectAgreesWithAWalk(r1, names);

    b->SetName(QStringLiteral("C"));
    a->SetName(QStringLiteral("b"));   // B is free again
    expectFindObjectAgreesWithAWalk(r1, names);

    // A subtree built outside any report joins with its names.
    TpgxSampleBand loose;
    auto *d = view(&loose, "D");
    view(d, "E");
    loose.SetParent(p1);
    expectFindObjectAgreesWithAWalk(r1, names);
    EXPECT_THROW(a->SetName(QStringLiteral("e")), pgx::Error);

    // Moving to another report takes the names along.
    auto *p2 = new TpgxPage(&r2);
    d->SetParent(p2);
    expectFindObjectAgreesWithAWalk(r1, names);
    expectFindObjectAgreesWithAWalk(r2, names);
    EXPECT_NO_THROW(a->SetName(QStringLiteral("E")));

    // A moved-in clash: both stay findable, the first in tree order wins.
    auto *clash = new TpgxSampleView(p2);
    clash->SetName(QStringLiteral("A"));
    clash->SetParent(p1);
    expectFindObjectAgreesWithAWalk(r1, names);
    delete a;
    expectFindObjectAgreesWithAWalk(r1, names);
    EXPECT_EQ(r1.FindObject(QStringLiteral("a")), clash);

    loose.SetParent(nullptr);
    expectFindObjectAgreesWithAWalk(r1, names);
    r1.Clear();
    expectFindObjectAgreesWithAWalk(r1, names);
    EXPECT_EQ(r1.FindObject(QStringLiteral("Page1")), nullptr);
    EXPECT_EQ(r2.FindObject(QStringLiteral("d")), d);
}

}   // namespace
