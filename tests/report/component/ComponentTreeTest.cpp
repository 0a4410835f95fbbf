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
        names << c->name();
    return names;
}

TpgxSampleView *view(TpgxComponent *owner, const char *name)
{
    auto *v = new TpgxSampleView(owner);
    v->setName(QString::fromLatin1(name));
    return v;
}

TEST(ComponentTree, OwnerDecidesParentAndRegistryOwner)
{
    QObject host;
    auto *report = new TpgxReport(&host);
    EXPECT_EQ(report->parent(), &host);
    EXPECT_EQ(report->parentComponent(), nullptr);

    auto *page = new TpgxPage(report);
    auto *band = new TpgxSampleBand(page);
    auto *v = new TpgxSampleView(band);
    // Any component owner becomes the tree parent; the report above it frees it.
    EXPECT_EQ(page->parentComponent(), report);
    EXPECT_EQ(band->parentComponent(), page);
    EXPECT_EQ(v->parentComponent(), band);
    EXPECT_EQ(band->parent(), report);
    EXPECT_EQ(v->parent(), report);
    EXPECT_EQ(v->report(), report);
    EXPECT_EQ(v->page(), page);
    EXPECT_EQ(page->page(), page);
    EXPECT_EQ(report->page(), nullptr);
    EXPECT_EQ(report->report(), report);

    // Outside a report there is no registry owner: the tree parent frees it.
    TpgxPage loosePage;
    auto *loose = new TpgxSampleView(&loosePage);
    EXPECT_EQ(loose->parent(), nullptr);
    EXPECT_EQ(loose->report(), nullptr);
}

TEST(ComponentTree, AllObjectsIsDepthFirstPreOrder)
{
    TpgxReport report;
    auto *p1 = new TpgxPage(&report);
    p1->setName(QStringLiteral("P1"));
    auto *b1 = new TpgxSampleBand(p1);
    b1->setName(QStringLiteral("B1"));
    view(b1, "V1");
    view(b1, "V2");
    auto *b2 = new TpgxSampleBand(p1);
    b2->setName(QStringLiteral("B2"));
    auto *p2 = new TpgxPage(&report);
    p2->setName(QStringLiteral("P2"));
    view(p2, "V3");

    EXPECT_EQ(namesOf(report.allObjects()),
              (QStringList{"P1", "B1", "V1", "V2", "B2", "P2", "V3"}));
    EXPECT_EQ(namesOf(p1->allObjects()), (QStringList{"B1", "V1", "V2", "B2"}));
    EXPECT_TRUE(b2->allObjects().isEmpty());
}

TEST(ComponentTree, SetParentMovesToTheEndAndRefusesCycles)
{
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    auto *a = new TpgxSampleBand(page);
    auto *b = new TpgxSampleBand(page);
    auto *v = view(a, "V");
    auto *w = view(b, "W");

    v->setParentComponent(b);
    EXPECT_EQ(v->parentComponent(), b);
    EXPECT_TRUE(a->objects().isEmpty());
    EXPECT_EQ(b->objects(), (QList<TpgxComponent *>{w, v}));

    EXPECT_THROW(page->setParentComponent(v), pgx::Error);
    EXPECT_THROW(page->setParentComponent(page), pgx::Error);
    EXPECT_EQ(page->parentComponent(), &report);

    v->setParentComponent(nullptr);
    EXPECT_EQ(b->objects(), (QList<TpgxComponent *>{w}));
    delete v;   // no longer in any tree
}

TEST(ComponentTree, FindObjectIgnoresCaseAndSearchesTheWholeReport)
{
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    auto *band = new TpgxSampleBand(page);
    auto *memo = view(band, "Memo1");
    auto *other = view(page, "Memo2");

    EXPECT_EQ(other->findObject(QStringLiteral("MEMO1")), memo);
    EXPECT_EQ(report.findObject(QStringLiteral("memo2")), other);
    EXPECT_EQ(report.findObject(QStringLiteral("Memo3")), nullptr);
    EXPECT_EQ(report.findComponent(QStringLiteral("memo1")), memo);

    // Outside a report, a component searches its own subtree.
    TpgxPage loose;
    auto *inner = view(&loose, "Inner");
    EXPECT_EQ(loose.findObject(QStringLiteral("inner")), inner);
    EXPECT_EQ(inner->findObject(QStringLiteral("inner")), nullptr);
}

TEST(ComponentNames, NameStemDropsTpgxAndView)
{
    TpgxSampleView v;
    EXPECT_EQ(v.nameStem(), QStringLiteral("Sample"));
    TpgxSampleDialogPage dp;
    EXPECT_EQ(dp.nameStem(), QStringLiteral("SampleDialogPage"));
    v.setNameStem(QStringLiteral("Memo"));
    EXPECT_EQ(v.nameStem(), QStringLiteral("Memo"));
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
    fresh->makeUniqueName();
    EXPECT_EQ(fresh->name(), QStringLiteral("Sample2"));
    auto *next = new TpgxSampleView(new TpgxSampleBand(page));
    next->makeUniqueName();
    EXPECT_EQ(next->name(), QStringLiteral("Sample4"));

    // Outside a report, the parent's tree counts.
    TpgxPage loose;
    view(&loose, "Sample1");
    auto *looseFresh = new TpgxSampleView(&loose);
    looseFresh->makeUniqueName();
    EXPECT_EQ(looseFresh->name(), QStringLiteral("Sample2"));
}

TEST(ComponentNames, SetNameRules)
{
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    auto *memo1 = view(page, "Memo1");
    view(page, "Memo2");

    memo1->setName(QStringLiteral("memo1"));   // same name in another case: nothing happens
    EXPECT_EQ(memo1->name(), QStringLiteral("Memo1"));

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
        memo1->setIsAncestor(f.ancestor);
        try {
            memo1->setName(QString::fromLatin1(f.newName));
            ADD_FAILURE() << f.newName << ": no error";
        } catch (const pgx::Error &e) {
            EXPECT_EQ(e.message(), QLatin1String(f.message)) << f.newName;
        }
        EXPECT_EQ(memo1->name(), QStringLiteral("Memo1")) << "the old name stays";
    }
    memo1->setIsAncestor(false);

    memo1->setName(QStringLiteral("Zażółć_1"));   // letters of any script
    EXPECT_EQ(memo1->name(), QStringLiteral("Zażółć_1"));
    memo1->setName(QString());
    EXPECT_TRUE(memo1->name().isEmpty());

    // Outside a report only the identifier rule applies.
    TpgxPage loose;
    view(&loose, "Same");
    auto *twin = view(&loose, "Other");
    twin->setName(QStringLiteral("Same"));
    EXPECT_EQ(twin->name(), QStringLiteral("Same"));
}

TEST(ComponentGeometry, AbsolutePositionsAddUpToTheDialogPage)
{
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    page->setBounds(10, 20, 1000, 1000);
    auto *band = new TpgxSampleBand(page);
    band->setTop(100);
    band->setLeft(3);
    auto *v = new TpgxSampleView(band);
    v->setTop(5);
    v->setLeft(7);
    EXPECT_DOUBLE_EQ(v->absTop(), 125);
    EXPECT_DOUBLE_EQ(v->absLeft(), 20);

    auto *dialog = new TpgxSampleDialogPage(&report);
    dialog->setBounds(300, 200, 400, 300);
    auto *control = new TpgxSampleView(dialog);
    control->setBounds(8, 16, 50, 20);
    EXPECT_DOUBLE_EQ(control->absLeft(), 8);
    EXPECT_DOUBLE_EQ(control->absTop(), 16);
    EXPECT_EQ(control->printedBounds(), QRectF(8, 16, 50, 20));
    EXPECT_EQ(v->printedBounds(), QRectF(20, 125, 0, 0));
}

TEST(ComponentGeometry, DesignLocksIgnoreMovesAndSizes)
{
    TpgxSampleView v;
    v.setBounds(1, 2, 3, 4);
    v.setRestrictions(TpgxComponent::rfDontMove);
    v.setBounds(10, 20, 30, 40);   // not designing: locks do not apply
    EXPECT_EQ(QRectF(v.left(), v.top(), v.width(), v.height()), QRectF(10, 20, 30, 40));

    v.setIsDesigning(true);
    v.setBounds(11, 21, 31, 41);
    EXPECT_EQ(QRectF(v.left(), v.top(), v.width(), v.height()), QRectF(10, 20, 31, 41));
    v.setRestrictions(TpgxComponent::rfDontSize);
    v.setBounds(12, 22, 32, 42);
    EXPECT_EQ(QRectF(v.left(), v.top(), v.width(), v.height()), QRectF(12, 22, 31, 41));
}

TEST(ComponentGeometry, AfterPrintRestoresTheBoundsOfBeforePrint)
{
    TpgxSampleView v;
    v.setBounds(1, 2, 3, 4);
    v.beforePrint();
    v.setBounds(9, 9, 90, 900);
    v.afterPrint();
    EXPECT_EQ(QRectF(v.left(), v.top(), v.width(), v.height()), QRectF(1, 2, 3, 4));
}

TEST(ComponentGeometry, DialogComponentsStartAt28By28)
{
    TpgxDialogComponent c;
    EXPECT_EQ(c.width(), 28);
    EXPECT_EQ(c.height(), 28);
}

TEST(ComponentFont, NewComponentsTakeTheParentFont)
{
    TpgxSampleBand band;
    EXPECT_EQ(band.font()->name(), QStringLiteral("Arial"));
    EXPECT_EQ(band.font()->size(), 10);
    EXPECT_EQ(band.font()->height(), -13);
    EXPECT_EQ(band.font()->color(), 0);
    EXPECT_EQ(band.font()->charset(), 1);
    EXPECT_TRUE(band.parentFont());

    band.font()->setName(QStringLiteral("Tahoma"));
    auto *v = new TpgxSampleView(&band);
    EXPECT_TRUE(v->parentFont());
    EXPECT_EQ(v->font()->name(), QStringLiteral("Tahoma"));
    EXPECT_FALSE(v->fontIsStored());
}

TEST(ComponentFont, ABandFontChangeReachesInheritingViewsOnly)
{
    TpgxSampleBand band;
    auto *inherits = new TpgxSampleView(&band);
    auto *grandchild = new TpgxSampleView(inherits);
    auto *own = new TpgxSampleView(&band);
    TpgxFont courier;
    courier.setName(QStringLiteral("Courier New"));
    own->setFont(&courier);
    EXPECT_FALSE(own->parentFont());
    EXPECT_TRUE(own->fontIsStored());

    band.font()->setStyle(TpgxFont::fsBold | TpgxFont::fsItalic);
    EXPECT_FALSE(band.parentFont());
    EXPECT_TRUE(inherits->parentFont());
    EXPECT_EQ(inherits->font()->style(), TpgxFont::fsBold | TpgxFont::fsItalic);
    EXPECT_EQ(grandchild->font()->style(), TpgxFont::fsBold | TpgxFont::fsItalic);
    EXPECT_TRUE(grandchild->parentFont());
    EXPECT_EQ(own->font()->style(), TpgxFont::TpgxFontStyles());
    EXPECT_EQ(own->font()->name(), QStringLiteral("Courier New"));

    // Changing the view's own font ends its inheritance.
    inherits->font()->setSize(12);
    EXPECT_FALSE(inherits->parentFont());
    EXPECT_EQ(inherits->font()->height(), -16);
    EXPECT_EQ(grandchild->font()->size(), 12);
    band.font()->setColor(255);
    EXPECT_EQ(inherits->font()->color(), 0);

    // Turning inheritance on again copies the parent's font.
    inherits->setParentFont(true);
    EXPECT_EQ(inherits->font()->color(), 255);
    EXPECT_EQ(inherits->font()->size(), 10);
    EXPECT_EQ(grandchild->font()->color(), 255);
}

TEST(ComponentFont, MovingToAnotherParentTakesItsFont)
{
    TpgxSampleBand a, b;
    b.font()->setName(QStringLiteral("Verdana"));
    auto *v = new TpgxSampleView(&a);
    v->setParentComponent(&b);
    EXPECT_EQ(v->font()->name(), QStringLiteral("Verdana"));
    auto *own = new TpgxSampleView(&a);
    own->font()->setName(QStringLiteral("Georgia"));
    own->setParentComponent(&b);
    EXPECT_EQ(own->font()->name(), QStringLiteral("Georgia"));
}

TEST(ComponentFont, PointsAndPixelHeights)
{
    const struct
    {
        int points, height;
    } cases[] = {{8, -11}, {10, -13}, {12, -16}, {9, -12}, {72, -96}, {0, 0}};
    for (const auto &c : cases) {
        EXPECT_EQ(TpgxFont::pointsToHeight(c.points), c.height) << c.points;
        EXPECT_EQ(TpgxFont::heightToPoints(c.height), c.points) << c.points;
    }
    TpgxFont::setDefaultCharset(238);
    TpgxFont eastern;
    TpgxFont::setDefaultCharset(1);
    EXPECT_EQ(eastern.charset(), 238);
}

TEST(ComponentClear, KeepsAncestorComponentsAndClearsThem)
{
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    auto *inherited = view(page, "Inherited");
    inherited->setIsAncestor(true);
    view(inherited, "AddedInside");
    auto *inheritedInside = view(inherited, "InheritedInside");
    inheritedInside->setIsAncestor(true);
    view(page, "Added");

    page->clear();
    EXPECT_EQ(namesOf(page->allObjects()), (QStringList{"Inherited", "InheritedInside"}));
    EXPECT_EQ(report.findObject(QStringLiteral("Added")), nullptr);
}

TEST(ComponentDestruction, ReferencesToADestroyedComponentAreCleared)
{
    TpgxReport report;
    QList<TpgxComponent *> spy;
    QObject::connect(&report, &TpgxReport::objectDestroyed,
                     [&](TpgxComponent *c) { spy.append(c); });
    auto *page = new TpgxPage(&report);
    auto *target = view(page, "Target");
    auto *holder = view(page, "Holder");
    holder->setLink(target);
    holder->setOriginalComponent(target);

    delete target;
    EXPECT_EQ(holder->link(), nullptr);
    EXPECT_EQ(holder->originalComponent(), nullptr);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0), target);
    EXPECT_EQ(namesOf(page->objects()), QStringList{"Holder"});

    // A destroyed subtree is announced parent first.
    spy.clear();
    auto *band = new TpgxSampleBand(page);
    auto *inner = view(band, "Inner");
    holder->setLink(inner);
    delete band;
    EXPECT_EQ(holder->link(), nullptr);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0), band);
    EXPECT_EQ(spy.at(1), inner);

    // Clear frees through the same path.
    spy.clear();
    page->clear();
    EXPECT_EQ(spy.count(), 1);
}

TEST(ComponentDestruction, DestroyingAReportFreesAncestorComponentsToo)
{
    auto *report = new TpgxReport;
    auto *page = new TpgxPage(report);
    page->setIsAncestor(true);
    auto *kept = view(page, "Kept");
    kept->setIsAncestor(true);
    QPointer<TpgxComponent> watch(kept);
    delete report;
    EXPECT_TRUE(watch.isNull());
}

TEST(ComponentKind, KindCaptionIsTheClassNameOrAResourceText)
{
    TpgxSampleView v;
    EXPECT_EQ(v.kindCaption(), QStringLiteral("TpgxSampleView"));
    TpgxReport report;
    EXPECT_EQ(report.kindCaption(), QStringLiteral("Report"));   // the resource text obReport
}

}   // namespace

namespace {

TEST(ComponentTree, DepthIsBoundedAndDeepTreesStayManageable)
{
    TpgxReport report;
    TpgxComponent *deepest = &report;
    for (int level = 1; level <= TpgxComponent::kMaxTreeDepth; ++level)
        deepest = new TpgxSampleView(deepest);
    EXPECT_THROW(new TpgxSampleView(deepest), pgx::Error);
    EXPECT_EQ(deepest->objects().size(), 0);

    // A font change travels the whole depth; AbsTop and the walks see it all.
    report.objects().first()->font()->setName(QStringLiteral("Tahoma"));
    EXPECT_EQ(deepest->font()->name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(report.allObjects().size(), TpgxComponent::kMaxTreeDepth);

    // Moving a subtree may not push it past the limit either.
    TpgxSampleBand loose;
    auto *child = new TpgxSampleView(&loose);
    EXPECT_THROW(loose.setParentComponent(deepest), pgx::Error);
    EXPECT_EQ(loose.parentComponent(), nullptr);
    EXPECT_EQ(child->parentComponent(), &loose);
    EXPECT_NO_THROW(loose.setParentComponent(deepest->parentComponent()->parentComponent()));
    EXPECT_NO_THROW(loose.setParentComponent(nullptr));

    // Freeing the chain does not recurse through every level.
    delete report.objects().first();
    EXPECT_TRUE(report.objects().isEmpty());
}

}   // namespace

namespace {

// The report's name index must agree with a walk over its objects after
// every kind of change: renames, moves between reports, deletions, Clear.
void expectFindObjectAgreesWithAWalk(const TpgxReport &report, const QStringList &names)
{
    const QList<TpgxComponent *> all = report.allObjects();
    for (const QString &name : names) {
        TpgxComponent *walked = nullptr;
        for (TpgxComponent *c : all)
            if (c->name().compare(name, Qt::CaseInsensitive) == 0) {
                walked = c;
                break;
            }
        EXPECT_EQ(report.findObject(name), walked) << name.toStdString();
    }
}

TEST(ComponentTree, NameLookUpsFollowRenamesMovesAndDeletions)
{
    const QStringList names{"A", "B", "C", "D", "E", "Page1", "Moved"};
    TpgxReport r1, r2;
    auto *p1 = new TpgxPage(&r1);
    p1->setName(QStringLiteral("Page1"));
    auto *a = view(p1, "A");
    auto *b = view(a, "B");
    expectFindObjectAgreesWithAWalk(r1, names);

    b->setName(QStringLiteral("C"));
    a->setName(QStringLiteral("b"));   // B is free again
    expectFindObjectAgreesWithAWalk(r1, names);

    // A subtree built outside any report joins with its names.
    TpgxSampleBand loose;
    auto *d = view(&loose, "D");
    view(d, "E");
    loose.setParentComponent(p1);
    expectFindObjectAgreesWithAWalk(r1, names);
    EXPECT_THROW(a->setName(QStringLiteral("e")), pgx::Error);

    // Moving to another report takes the names along.
    auto *p2 = new TpgxPage(&r2);
    d->setParentComponent(p2);
    expectFindObjectAgreesWithAWalk(r1, names);
    expectFindObjectAgreesWithAWalk(r2, names);
    EXPECT_NO_THROW(a->setName(QStringLiteral("E")));

    // A moved-in clash: both stay findable, the first in tree order wins.
    auto *clash = new TpgxSampleView(p2);
    clash->setName(QStringLiteral("A"));
    clash->setParentComponent(p1);
    expectFindObjectAgreesWithAWalk(r1, names);
    delete a;
    expectFindObjectAgreesWithAWalk(r1, names);
    EXPECT_EQ(r1.findObject(QStringLiteral("a")), clash);

    loose.setParentComponent(nullptr);
    expectFindObjectAgreesWithAWalk(r1, names);
    r1.clear();
    expectFindObjectAgreesWithAWalk(r1, names);
    EXPECT_EQ(r1.findObject(QStringLiteral("Page1")), nullptr);
    EXPECT_EQ(r2.findObject(QStringLiteral("d")), d);
}

}   // namespace
