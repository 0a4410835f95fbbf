#pragma once

#include "prepared/export/PdfObjectCatcher.h"

#include <QtCore/QByteArray>
#include <QtCore/QIODevice>

namespace pgx::prepared {

// Passes everything Qt's PDF writer writes on to the real device, counting
// the bytes and keeping what an update appended later needs: the start of
// the document up to the end of the catalog, the page dictionaries and
// their annotation arrays as they pass, and, once `keepTail` is called
// before the writer ends, all that follows (the page tree, the
// cross-reference table, the trailer).
class PdfRecorder : public QIODevice
{
public:
    explicit PdfRecorder(QIODevice &target);

    void keepTail();
    const QByteArray &head() const { return m_head; }
    const QByteArray &tail() const { return m_tail; }
    qint64 tailStart() const { return m_tailStart; }
    qint64 written() const { return m_written; }
    QIODevice &target() { return m_target; }
    const PdfObjectCatcher &pages() const { return m_pages; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    QIODevice &m_target;
    QByteArray m_head;
    qsizetype m_catalogAt = -1;
    bool m_headComplete = false;
    QByteArray m_tail;
    qint64 m_tailStart = -1;
    qint64 m_written = 0;
    PdfObjectCatcher m_pages;
};

}   // namespace pgx::prepared
