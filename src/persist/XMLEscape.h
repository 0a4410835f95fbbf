#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>

// The escaping of attribute values in every stored form (templates, prepared
// reports, style and variable files); the text forms of the values
// themselves are serializer/ValueText.h. All of it is 8-bit; callers encode
// wide text (as UTF-8) before escaping.
namespace pgx {

// Replaces exactly LF, CR, '"', '&', '<' and '>' by "&#<code>;". An existing
// "&quot;" becomes "&#34;" as a whole, so that it reads back as one '"'.
QByteArray escapeAttr(const QByteArray &s);

// As EscapeAttr, but without the "&quot;" rule: that '&' is escaped like
// any other, so that every text reads back exactly as it was. For texts
// that must survive a round trip unchanged, such as the string constants
// of stored program trees.
QByteArray escapeAttrExact(const QByteArray &s);

// Undoes EscapeAttr: "&#<decimal>;" with a code 0..255 and "&quot;" are
// replaced; every other '&' (other entities, malformed or out-of-range
// references) stays as it is.
QByteArray unescapeAttr(const QByteArray &s);

}   // namespace pgx
