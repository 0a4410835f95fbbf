#pragma once

// What a reflected class implements when it stores more than its published
// properties. The serializer finds these by dynamic_cast, so that persist
// never names a report class.

#include <QtCore/QString>

namespace pgx {

class TpgxXMLSerializer;

namespace persist {
class PropDataWriter;
struct PropEntry;
}   // namespace persist

// Text objects (the memo family): their text is written as the attribute
// "Text", UTF-8 before escaping, after the published properties. Prepared
// pages use the compact "u" (UTF-8) and "x" (8-bit) forms of it.
class TpgxMemoContent
{
public:
    virtual ~TpgxMemoContent() = default;
    virtual QString memoText() const = 0;
    virtual void setMemoText(const QString &text) = 0;
};

// Objects with extra streamed properties, carried hex-encoded in the
// attribute "PropData": the report's data-set list, variables and styles;
// a picture's image.
class TpgxDefinedProperties
{
public:
    virtual ~TpgxDefinedProperties() = default;
    // Writes the entries; writing nothing leaves the attribute out.
    // Collections are written with serializer.WriteCollection, so that their
    // items follow the same rules as every other object.
    virtual void writeDefinedProperties(persist::PropDataWriter &writer,
                                        TpgxXMLSerializer &serializer) const = 0;
    // Reads one entry (collections with serializer.ReadCollection). Throwing
    // pgx::Error puts its message in the error list; unknown entry names are
    // ignored.
    virtual void readDefinedProperty(const persist::PropEntry &entry, TpgxXMLSerializer &serializer)
        = 0;
};

}   // namespace pgx
