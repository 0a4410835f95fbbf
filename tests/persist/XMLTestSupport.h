#pragma once

#include "persist/XMLDocument.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>

#include <ostream>

// Byte strings print as text in test failures.
inline void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << '"' << bytes.toPercentEncoding(" <>/=\"(){},.~!?:;&#_-'").constData() << '"';
}

namespace pgx::test {

// A compact picture of a tree: name, (text) when there is one, {children}
// when there are any, and ~ for an unloaded item: a(x="1"){b,c~}.
inline QByteArray dump(const TpgxXMLItem &item)
{
    QByteArray out = item.name();
    if (!item.text().isEmpty())
        out += '(' + item.text() + ')';
    if (!item.inMemory())
        out += '~';
    if (item.count() > 0) {
        out += '{';
        for (int i = 0; i < item.count(); ++i)
            out += (i ? "," : "") + dump(*item.items(i));
        out += '}';
    }
    return out;
}

inline TpgxXMLResult loadBytes(TpgxXMLDocument &doc, const QByteArray &text, bool partial = false)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(text);
    buffer->open(QIODevice::ReadOnly);
    return doc.loadFromStream(std::move(buffer), partial);
}

inline QByteArray saveBytes(TpgxXMLDocument &doc)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const TpgxXMLResult result = doc.saveToStream(out);
    return result ? out.data() : QByteArray("save failed: ") + result.detail().toUtf8();
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QString testData(const char *name)
{
    return QStringLiteral(PGX_TEST_DATA "/persist/") + QLatin1String(name);
}

}   // namespace pgx::test
