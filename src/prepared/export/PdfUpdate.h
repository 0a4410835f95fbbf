#pragma once

#include "prepared/export/PdfRecorder.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>

#include <optional>
#include <utility>
#include <vector>

namespace pgx::prepared {

// Qt's PDF writer has neither an outline nor links: they go into an
// incremental update appended to the finished document (new objects, the
// objects they change written again under their own numbers, a
// cross-reference section of its own and a trailer pointing back at the
// first one), which every reader applies.
class PdfUpdate
{
public:
    explicit PdfUpdate(PdfRecorder &recorder);

    // Reads the trailer, the catalog and the page list of the document the
    // recorder saw written. Empty on success, else what is missing.
    QString open();

    int pageCount() const { return int(m_pageObjects.size()); }
    // Object number of 0-based page `page`.
    int pageObject(int page) const { return m_pageObjects[size_t(page)]; }
    // A page dictionary or annotation array as Qt wrote it; nullopt when the
    // recorder did not keep it.
    std::optional<QByteArray> keptObject(int number) const;

    int newObject() { return m_next++; }
    // `body` becomes object `number`, new or written again.
    void setObject(int number, const QByteArray &body);
    // Entries added to the catalog, written again when there are any.
    void addCatalogEntries(const QByteArray &entries);

    // Appends the update; nothing when nothing was added. Empty on success,
    // else the reason.
    QString write();

private:
    PdfRecorder &m_recorder;
    std::vector<int> m_pageObjects;
    int m_root = 0;
    std::optional<qint64> m_info;
    qint64 m_previous = 0;
    int m_next = 0;
    QByteArray m_catalog;   // its entries, without "<<" and ">>"
    QByteArray m_catalogAdded;
    std::vector<std::pair<int, QByteArray>> m_objects;
};

QByteArray pdfRef(int object);
// A PDF text string that holds any text: UTF-16BE with its byte order mark,
// in hexadecimal so that nothing needs escaping.
QByteArray pdfTextString(const QString &text);
// A literal string of bytes: "\", "(" and ")" escaped, bytes outside
// printable ASCII in octal (a reader would turn a raw line end into "\n").
QByteArray pdfLiteral(const QByteArray &bytes);
QByteArray pdfNumber(double value);

}   // namespace pgx::prepared
