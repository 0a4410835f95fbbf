#include "designer/undo/TpgxUndoBuffer.h"

#include "designer/undo/TpgxPictureCache.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QBuffer>

QByteArray TpgxUndoBuffer::snapshot(TpgxReport &report)
{
    TpgxPictureCache::setSnapshotMode(report, true);
    struct Normal
    {
        TpgxReport &report;
        ~Normal() { TpgxPictureCache::setSnapshotMode(report, false); }
    } normal{report};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    report.saveToStream(&buffer);
    return buffer.data();
}

void TpgxUndoBuffer::restore(TpgxReport &report, const QByteArray &snapshot)
{
    report.setRestoring(true);
    struct Done
    {
        TpgxReport &report;
        ~Done() { report.setRestoring(false); }
    } done{report};
    QBuffer buffer;
    buffer.setData(snapshot);
    buffer.open(QIODevice::ReadOnly);
    report.loadFromStream(&buffer);
    m_pictures.restorePictures(report);
}

void TpgxUndoBuffer::stepBack(TpgxReport &report)
{
    if (m_undo.size() < 2)
        return;
    restore(report, m_undo[m_undo.size() - 2]);
    m_undo.removeLast();
}

void TpgxUndoBuffer::stepForward(TpgxReport &report)
{
    if (m_redo.isEmpty())
        return;
    restore(report, m_redo.last());
    m_redo.removeLast();
}
