#pragma once

// Text forms of property values in template attributes, as bytes. Every
// number in a file is written the same way whatever the user's locale;
// floats are the platform's file form (format::fileFloatText and
// format::parseFileFloat, platform/format/NumberText.h).

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QVariant>

#include <optional>

namespace pgx::persist {

// Reads an integer: optional blanks around, optional sign, decimal digits,
// or hexadecimal after "$" or "0x". Values beyond 64 bits are nullopt; the
// caller checks the range of its own type.
std::optional<qint64> parseInteger(QByteArrayView text);

// Enumerations are written by element name and read by name (without regard
// to case) or by ordinal. `names[i]` is the name of ordinal i.
QByteArray enumToText(int ordinal, const QList<QByteArray> &names);
std::optional<int> enumFromText(QByteArrayView text, const QList<QByteArray> &names);

// Sets are the decimal bit mask, bit i for element i; bits beyond the
// `elementCount` declared elements are dropped on reading, so a template
// from a newer version with more elements still loads.
QByteArray setToText(quint32 mask);
std::optional<quint32> setFromText(QByteArrayView text, int elementCount);

// A variant property's value as attribute text, already escaped: Booleans
// as "True"/"False" (the element names, as Boolean properties write them),
// integers as decimal digits, floats in the file form, everything else as
// its string (bytes as they are, text as UTF-8); nothing for an invalid
// variant.
QByteArray variantToText(const QVariant &value);

// The messages a failed conversion puts in the error list, in the
// platform's own words.
QString invalidIntegerMessage(QByteArrayView text);
QString invalidFloatMessage(QByteArrayView text);
QString invalidEnumMessage(QByteArrayView text, QByteArrayView typeName);

// Attribute bytes are UTF-8 on writing. On reading, bytes that are not valid
// UTF-8 come from a template saved on an 8-bit code page and are decoded with
// the legacy code page (Windows-1250 unless configured otherwise).
QByteArray encodeAttrText(const QString &text);
QString decodeAttrText(QByteArrayView bytes);

// The legacy code page for attribute bytes that are not UTF-8. Returns false
// (and keeps the current one) when the name is not a code page Qt knows.
bool setLegacyCodePage(const QByteArray &name);
QByteArray legacyCodePage();

}   // namespace pgx::persist
