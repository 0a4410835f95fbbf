#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QList>

class TpgxPictureCache;
class TpgxReport;

// The designer's undo and redo history: each step is a whole snapshot of
// the report in the template's own form, pictures kept once in the picture
// cache. Unbounded: a reload empties it. The newest undo snapshot is always
// the report as it is now, so undo needs two.
class TpgxUndoBuffer
{
public:
    explicit TpgxUndoBuffer(TpgxPictureCache &pictures) : m_pictures(pictures) { }

    void recordUndo(TpgxReport &report) { m_undo << snapshot(report); }
    void recordRedo(TpgxReport &report) { m_redo << snapshot(report); }
    // Back to the state before the newest snapshot, which goes. Nothing
    // without two snapshots.
    void stepBack(TpgxReport &report);
    // The newest redo snapshot back, which goes. Nothing without one.
    void stepForward(TpgxReport &report);
    void clearUndoSteps() { m_undo.clear(); }
    void clearRedoSteps() { m_redo.clear(); }
    int undoSteps() const { return int(m_undo.size()); }
    int redoSteps() const { return int(m_redo.size()); }

private:
    QByteArray snapshot(TpgxReport &report);
    void restore(TpgxReport &report, const QByteArray &snapshot);

    TpgxPictureCache &m_pictures;
    QList<QByteArray> m_undo;
    QList<QByteArray> m_redo;
};
