#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QVariant>

// Attribute text of every stored form (templates, prepared reports, style
// and variable files): the escaping of values and the text of numbers.
// All of it is 8-bit; callers encode wide text (as UTF-8) before escaping.
namespace pgx {

// Replaces exactly LF, CR, '"', '&', '<' and '>' by "&#<code>;". An existing
// "&quot;" becomes "&#34;" as a whole, so that it reads back as one '"'.
QByteArray EscapeAttr(const QByteArray &s);

// Undoes EscapeAttr: "&#<decimal>;" with a code 0..255 and "&quot;" are
// replaced; every other '&' (other entities, malformed or out-of-range
// references) stays as it is.
QByteArray UnescapeAttr(const QByteArray &s);

// A value as attribute text: integers as decimal digits, floats in the
// general format of meta/ValueText.h, dates as short date text (dd.MM.yyyy), strings escaped (wide
// strings as UTF-8), booleans as "1"/"0", anything else as "".
// The script variant gets its own overload beside this one.
QByteArray VariantToAttr(const QVariant &v);

} // namespace pgx
