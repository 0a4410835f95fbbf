#include "designer/model/DesignerModel.h"

#include "designer/clipboard/TpgxClipboard.h"
#include "designer/workspace/BandArrangement.h"
#include "meta/ClassRegistry.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxBand.h"
#include "report/pages/TpgxPage.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxView.h"

#include <QtCore/QPointer>

#include <algorithm>
#include <set>

namespace pgx::designer {

namespace {

BandSlot::Kind kindOf(const TpgxBand &band)
{
    if (qobject_cast<const TpgxPageHeader *>(&band))
        return BandSlot::PageHeader;
    if (qobject_cast<const TpgxReportTitle *>(&band))
        return BandSlot::ReportTitle;
    if (qobject_cast<const TpgxColumnHeader *>(&band))
        return BandSlot::ColumnHeader;
    if (qobject_cast<const TpgxColumnFooter *>(&band))
        return BandSlot::ColumnFooter;
    if (qobject_cast<const TpgxReportSummary *>(&band))
        return BandSlot::ReportSummary;
    if (qobject_cast<const TpgxPageFooter *>(&band))
        return BandSlot::PageFooter;
    return BandSlot::Other;
}

QList<TpgxBand *> horizontalBands(const TpgxPage &page)
{
    QList<TpgxBand *> bands;
    for (TpgxComponent *object : page.objects())
        if (auto *band = qobject_cast<TpgxBand *>(object); band && !band->vertical())
            bands << band;
    return bands;
}

QList<TpgxPage *> pagesOf(const TpgxReport &report)
{
    QList<TpgxPage *> pages;
    for (TpgxComponent *object : report.objects())
        if (auto *page = qobject_cast<TpgxPage *>(object))
            pages << page;
    return pages;
}

}   // namespace

DesignerModel::DesignerModel(TpgxReport &report, QObject *parent)
    : QObject(parent), m_report(report)
{
    const QList<TpgxPage *> pages = pagesOf(report);
    // The first report page, as the designer opens on.
    for (TpgxPage *page : pages)
        if (qobject_cast<TpgxReportPage *>(page)) {
            m_page = page;
            break;
        }
    if (!m_page && !pages.isEmpty())
        m_page = pages.first();
    if (m_page)
        m_selection = {m_page};
    reload();
}

void DesignerModel::setPage(TpgxPage *page)
{
    m_page = page;
    m_selection = {page};
    emit selectionChanged();
}

bool DesignerModel::isSelected(const TpgxComponent *object) const
{
    return m_selection.contains(const_cast<TpgxComponent *>(object));
}

QList<TpgxComponent *> DesignerModel::selectedObjects() const
{
    QList<TpgxComponent *> objects;
    for (TpgxComponent *object : m_selection)
        if (object != m_page && object != static_cast<TpgxComponent *>(&m_report))
            objects << object;
    return objects;
}

TpgxComponent *DesignerModel::nextByTab(const TpgxComponent &current)
{
    if (qobject_cast<const TpgxBand *>(&current) && !current.objects().isEmpty())
        return current.objects().first();
    const TpgxComponent *parent = current.parentComponent();
    if (!parent)
        return nullptr;
    const QList<TpgxComponent *> siblings = parent->objects();
    const qsizetype at = siblings.indexOf(const_cast<TpgxComponent *>(&current));
    if (at < 0 || siblings.size() < 2)
        return nullptr;
    return siblings[(at + 1) % siblings.size()];
}

void DesignerModel::select(const QList<TpgxComponent *> &objects)
{
    QList<TpgxComponent *> selection = objects;
    std::set<int> groups;
    for (const TpgxComponent *object : objects)
        if (object->groupIndex() > 0)
            groups.insert(object->groupIndex());
    if (!groups.empty() && m_page)
        for (TpgxComponent *object : m_page->allObjects())
            if (groups.count(object->groupIndex()) && !selection.contains(object))
                selection << object;
    if (selection.isEmpty() && m_page)
        selection << m_page;
    if (selection == m_selection)
        return;
    m_selection = selection;
    emit selectionChanged();
}

TpgxComponent *DesignerModel::insertObject(const QString &className, const QRectF &rect)
{
    if (!m_page)
        return nullptr;
    auto *object = qobject_cast<TpgxComponent *>(ClassRegistry::create(className, m_page));
    if (!object)
        return nullptr;
    object->setBounds(rect.left(), rect.top(), rect.width(), rect.height());
    object->makeUniqueName();
    finish();
    select({object});
    return object;
}

QString DesignerModel::deleteSelection()
{
    QString error;
    bool removed = false;
    for (const QPointer<TpgxComponent> &object : [this] {
             QList<QPointer<TpgxComponent>> guarded;
             for (TpgxComponent *o : selectedObjects())
                 guarded << o;
             return guarded;
         }()) {
        if (!object)
            continue;   // went with a band deleted before it
        if (object->restrictions() & TpgxComponent::rfDontDelete)
            continue;
        if (object->fromAncestor()) {
            error = QStringLiteral("Could not delete %1, it was introduced in the ancestor report")
                        .arg(object->name());
            break;
        }
        delete object.data();
        removed = true;
    }
    m_selection = {m_page};
    if (removed)
        finish();
    emit selectionChanged();
    return error;
}

void DesignerModel::moveSize(const QHash<TpgxComponent *, QRectF> &bounds)
{
    if (bounds.isEmpty())
        return;
    for (auto it = bounds.cbegin(); it != bounds.cend(); ++it)
        it.key()->setBounds(it->left(), it->top(), it->width(), it->height());
    finish();
}

bool DesignerModel::setProperty(TpgxComponent *object, const char *name, const QVariant &value)
{
    if (!object || !object->setProperty(name, value))
        return false;
    finish();
    return true;
}

void DesignerModel::reparent(TpgxComponent *object, TpgxComponent *parent)
{
    if (!object || !parent || object == parent)
        return;
    object->setParentComponent(parent);
    finish();
}

void DesignerModel::paste(TpgxClipboard &clipboard)
{
    if (!m_page)
        return;
    const TpgxClipboard::Pasted pasted = clipboard.pasteObjects(*m_page);
    if (!pasted.objects.isEmpty())
        finish();
    select(pasted.selection);
}

void DesignerModel::group()
{
    const QList<TpgxComponent *> objects = selectedObjects();
    if (objects.isEmpty() || !m_page)
        return;
    std::set<int> used;
    for (const TpgxComponent *object : m_page->allObjects())
        used.insert(object->groupIndex());
    int number = 1;
    while (used.count(number))
        ++number;
    for (TpgxComponent *object : objects)
        object->setGroupIndex(number);
    finish();
}

void DesignerModel::ungroup()
{
    for (TpgxComponent *object : selectedObjects())
        object->setGroupIndex(0);
    finish();
}

void DesignerModel::arrangeBands()
{
    auto *page = qobject_cast<TpgxReportPage *>(m_page);
    if (!page)
        return;
    const QList<TpgxBand *> bands = horizontalBands(*page);
    // The bands line up first, their objects moving with them.
    QList<BandSlot> bandSlots;
    for (TpgxBand *band : bands) {
        BandSlot slot{kindOf(*band), band->top(), band->height(), -1};
        for (int i = 0; i < bands.size(); ++i)
            if (bands[i]->child() == band)
                slot.owner = i;
        bandSlots << slot;
    }
    const QList<int> order = bandOrder(bandSlots, page->titleBeforeHeader());
    const QList<double> tops = bandTops(bandSlots, order, m_grid.captionHeight, m_grid.gap,
                                        m_grid.stepY, GridKind::Centimetres);
    for (int i = 0; i < bands.size(); ++i) {
        bands[i]->setLeft(0);
        bands[i]->setTop(tops[i]);
    }

    // Then every view is handed to the page, keeping its place on it, and
    // on to the band its top lies in.
    QList<TpgxComponent *> views;
    for (TpgxComponent *object : page->objects())
        if (qobject_cast<TpgxView *>(object))
            views << object;
    for (TpgxBand *band : bands)
        for (TpgxComponent *object : band->objects()) {
            if (!qobject_cast<TpgxView *>(object))
                continue;
            const double left = object->absLeft();
            const double top = object->absTop();
            object->setParentComponent(page);
            object->setLeft(left);
            object->setTop(top);
            views << object;
        }

    for (TpgxComponent *view : views) {
        const double top = view->top();
        for (int index : order) {
            TpgxBand *band = bands[index];
            if (top >= band->top() - 0.0001 && top < band->top() + band->height() + 0.0001) {
                view->setParentComponent(band);
                view->setTop(top - band->top());
                break;
            }
        }
    }
}

void DesignerModel::finish()
{
    arrangeBands();
    m_undo.recordUndo(m_report);
    m_undo.clearRedoSteps();
    emit modified();
}

int DesignerModel::pageIndex() const
{
    return int(pagesOf(m_report).indexOf(m_page));
}

void DesignerModel::restorePage(int index)
{
    const QList<TpgxPage *> pages = pagesOf(m_report);
    m_page = index >= 0 && index < pages.size() ? pages[index]
                                                : (pages.isEmpty() ? nullptr : pages.first());
    m_selection = m_page ? QList<TpgxComponent *>{m_page} : QList<TpgxComponent *>{};
    emit reloaded();
    emit selectionChanged();
}

void DesignerModel::undo()
{
    if (!canUndo())
        return;
    const int index = pageIndex();
    m_undo.recordRedo(m_report);
    m_undo.stepBack(m_report);
    restorePage(index);
}

void DesignerModel::redo()
{
    if (!canRedo())
        return;
    const int index = pageIndex();
    m_undo.stepForward(m_report);
    m_undo.recordUndo(m_report);
    restorePage(index);
}

void DesignerModel::reload()
{
    m_pictures.clear();
    m_pictures.addPictures(m_report);
    m_undo.clearUndoSteps();
    m_undo.clearRedoSteps();
    m_undo.recordUndo(m_report);
}

}   // namespace pgx::designer
