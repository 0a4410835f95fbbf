#include "prepared/export/PdfRecorder.h"

#include <algorithm>

namespace pgx::prepared {

namespace {

// The catalog stands right after the document information, whose title can
// be any length: the start is kept until the catalog has been written.
const QByteArray kCatalogType = QByteArrayLiteral("/Type /Catalog");

}   // namespace

PdfRecorder::PdfRecorder(QIODevice &target) : m_target(target)
{
    open(QIODevice::WriteOnly);
}

void PdfRecorder::keepTail()
{
    m_tail.clear();
    m_tailStart = m_written;
}

qint64 PdfRecorder::readData(char *, qint64)
{
    return -1;
}

qint64 PdfRecorder::writeData(const char *data, qint64 size)
{
    const qint64 done = m_target.write(data, size);
    if (done <= 0)
        return done;
    if (!m_headComplete) {
        const qsizetype from = std::max<qsizetype>(0, m_head.size() - kCatalogType.size());
        m_head.append(data, done);
        if (m_catalogAt < 0)
            m_catalogAt = m_head.indexOf(kCatalogType, from);
        m_headComplete = m_catalogAt >= 0 && m_head.indexOf("endobj", m_catalogAt) >= 0;
    }
    if (m_tailStart >= 0)
        m_tail.append(data, done);
    m_pages.feed(QByteArrayView(data, done));
    m_written += done;
    return done;
}

}   // namespace pgx::prepared
