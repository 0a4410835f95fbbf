#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QIODevice>
#include <QtCore/QString>

#include <vector>

namespace pgx::prepared {

// Qt's PDF writer has no outline: the bookmarks go into an incremental
// update appended to the finished document (new outline objects, the
// catalog again with /Outlines, a cross-reference section of its own and a
// trailer pointing back at the first one), which every reader applies.
//
// PdfRecorder passes everything the PDF writer writes on to the real
// device, counting the bytes and keeping the start of the document up to
// the end of the catalog and, once `keepTail` is called before the writer ends,
// all that follows (the page tree, the cross-reference table, the trailer).
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
};

// One bookmark in document order; `level` 0 for the top. `page` is the
// 0-based page of the PDF, -1 for an entry that only groups others; `y` is
// in PDF points from the bottom of that page.
struct PdfBookmark
{
    QString title;
    int level = 0;
    int page = -1;
    double y = 0;
};

// Appends the update with `bookmarks` (nothing without any) to the document
// `recorder` saw written. Empty on success, else the reason.
QString appendPdfOutline(PdfRecorder &recorder, const std::vector<PdfBookmark> &bookmarks);

}   // namespace pgx::prepared
