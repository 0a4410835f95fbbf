#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QPair>
#include <QtCore/QString>

namespace pgx {
class TpgxXMLDocument;
class TpgxXMLItem;
}   // namespace pgx

namespace pgx::script {

// The front end's use of the persist XML layer: grammar documents and
// stored program trees are read by TpgxXMLDocument like every other XML
// file of the system, and decoded here into names and attribute values.
//
// The dialect is the persist layer's: a leading "<?xml" header, elements
// with double-quoted attributes separated by blanks, comments and
// character data skipped, nesting bounded by TpgxXMLReader::MaxDepth.
// Values are UTF-8 with "&#N;" (N up to 255) and "&quot;" references, the
// forms the persist layer's escaping writes. Program trees are written
// through the persist writer too (ProgramTree::toXml).

using XmlAttributes = QList<QPair<QString, QString>>;

// Reads a whole document. Anything short of a complete one (bad syntax, a
// cut-off text, no root) is false with error "Invalid file format".
bool loadXmlText(const QString &text, TpgxXMLDocument &document, QString *error = nullptr);

// The element's name and its attributes in document order, decoded. False
// when a name holds characters no name may have or the attribute text is
// not a row of name="value" pairs: a tag like <a x='1'> must not read as an
// element without attributes.
bool readXmlElement(const TpgxXMLItem &item, QString &name, XmlAttributes &attributes);

// Attribute lookup by name without regard to case; the first one wins and
// a missing one reads as the empty string.
QString xmlAttribute(const XmlAttributes &attributes, QStringView name);
bool hasXmlAttribute(const XmlAttributes &attributes, QStringView name);

}   // namespace pgx::script
