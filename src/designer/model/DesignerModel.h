#pragma once

#include "designer/undo/TpgxPictureCache.h"
#include "designer/undo/TpgxUndoBuffer.h"

#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QRectF>
#include <QtCore/QVariant>

class TpgxClipboard;
class TpgxComponent;
class TpgxPage;
class TpgxReport;

namespace pgx::designer {

// The designer's report and selection, and the few ways the designer
// changes the report: insert, delete, move and size, set a property,
// re-parent. Each ends in one modified() and one undo snapshot, so every
// gesture is one undo step; the windows listen instead of changing the
// report themselves.
class DesignerModel : public QObject
{
    Q_OBJECT

public:
    // The grid of the page workspace: steps in report units.
    struct Grid
    {
        double stepX = 3.77953;   // 1 mm
        double stepY = 3.77953;
        bool align = true;
        double captionHeight = 5 * 3.77953;
        int gap = 4;
    };

    explicit DesignerModel(TpgxReport &report, QObject *parent = nullptr);

    TpgxReport &report() const { return m_report; }
    TpgxPage *page() const { return m_page; }
    void setPage(TpgxPage *page);
    const Grid &grid() const { return m_grid; }
    void setGrid(const Grid &grid) { m_grid = grid; }

    // The selection; the page when nothing else is selected.
    const QList<TpgxComponent *> &selection() const { return m_selection; }
    // Selects `objects` and every object sharing a group number with one.
    void select(const QList<TpgxComponent *> &objects);
    bool isSelected(const TpgxComponent *object) const;
    // What Tab selects after `current`: a band's first object, else the
    // next object of the same parent, wrapping to the first; null when
    // there is nothing to go to.
    static TpgxComponent *nextByTab(const TpgxComponent &current);
    // The selected objects, not counting the page.
    QList<TpgxComponent *> selectedObjects() const;

    // --- the primitives -------------------------------------------------------
    // A new object of `className` at `rect` (page coordinates in report
    // units): a band onto the page, anything else into the band that holds
    // its top, else onto the page. It becomes the selection.
    TpgxComponent *insertObject(const QString &className, const QRectF &rect);
    // Empty when done, else the reason ("Could not delete Memo1, it was
    // introduced in the ancestor report"); objects removed before the one
    // that could not be stay removed.
    QString deleteSelection();
    // New bounds for objects, in their own parent's coordinates.
    void moveSize(const QHash<TpgxComponent *, QRectF> &bounds);
    bool setProperty(TpgxComponent *object, const char *name, const QVariant &value);
    void reparent(TpgxComponent *object, TpgxComponent *parent);
    // The clipboard's objects onto the page, selected; one step.
    void paste(TpgxClipboard &clipboard);
    // Gives the selected objects the smallest unused group number, or 0.
    void group();
    void ungroup();

    // --- undo -----------------------------------------------------------------
    bool canUndo() const { return m_undo.undoSteps() > 1; }
    bool canRedo() const { return m_undo.redoSteps() > 0; }
    void undo();
    void redo();
    // The report was loaded or rebuilt: the history starts again.
    void reload();
    TpgxPictureCache &pictures() { return m_pictures; }

    // Lines the page's bands up and gives every view to the band it lies
    // in (what each primitive does before it reports).
    void arrangeBands();

signals:
    void modified();
    void selectionChanged();
    // The report was read back from a snapshot: objects were replaced.
    void reloaded();

private:
    void finish();
    void restorePage(int pageIndex);
    int pageIndex() const;

    TpgxReport &m_report;
    TpgxPage *m_page = nullptr;
    Grid m_grid;
    QList<TpgxComponent *> m_selection;
    TpgxPictureCache m_pictures;
    TpgxUndoBuffer m_undo{m_pictures};
};

}   // namespace pgx::designer
