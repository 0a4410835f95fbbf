#pragma once

// The attribute text of one element or one-line object: a blank, a name,
// `="`, the escaped value and `"`, repeated. The serializer builds it with
// appendAttr and takes it apart with AttrScanner; neither escapes nor
// unescapes, the values stay as they stand in the file.

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>

#include <optional>

namespace pgx::persist {

struct AttrPair
{
    QByteArrayView name;    // may be dotted: "Font.Name"
    QByteArrayView value;   // raw, still escaped
};

// Scans attribute text left to right:
//   attr -> blanks name blanks? '=' ... '"' value '"'
// The name runs to the next "=", with trailing blanks cut; the value is what
// stands between the next two quotes. The scan ends at the first empty name
// or missing "=" or opening quote; a value whose closing quote is missing
// runs to the end of the text. It never reads outside `text`.
class AttrScanner
{
public:
    explicit AttrScanner(QByteArrayView text) : m_text(text) { }
    bool next(AttrPair &pair);

private:
    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

// Appends ` <prefix><name>="<value>"`; `value` is already escaped.
void appendAttr(QByteArray &text, QByteArrayView prefix, QByteArrayView name, QByteArrayView value);

// A one-line object text: the class name up to the first blank, then the
// attribute text (which starts with that blank). nullopt when the line is
// empty or only blanks.
struct ObjectLine
{
    QByteArrayView className;
    QByteArrayView attrs;
};
std::optional<ObjectLine> splitObjectLine(QByteArrayView line);

}   // namespace pgx::persist
