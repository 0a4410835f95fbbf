#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QHash>
#include <QtCore/QSet>

#include <optional>

namespace pgx::prepared {

// Keeps the page dictionaries of a PDF as it streams past, and the
// annotation arrays they name, so that an update appended later can give a
// page its links. Everything else (content streams, fonts, images) passes
// without being kept: only a short carry stays between two feeds, wherever
// they split the document.
class PdfObjectCatcher
{
public:
    void feed(QByteArrayView data);

    // The text between "N 0 obj" and "endobj" (trimmed) of a page or of the
    // annotation array a page names; nullopt for any other object.
    std::optional<QByteArray> object(int number) const;

private:
    qsizetype scan();
    void keep(int number, const QByteArray &body);

    QByteArray m_window;
    qsizetype m_searchFrom = 0;
    qsizetype m_openAt = -1;   // body of the object being kept
    int m_openNumber = -1;
    QHash<int, QByteArray> m_objects;
    QSet<int> m_wanted;   // annotation arrays named by pages already kept
};

// True when `body` (an object's text) is a page dictionary, not the tree.
bool isPdfPage(QByteArrayView body);

}   // namespace pgx::prepared
