#include "report/component/TpgxPicture.h"

#include "persist/serializer/PropData.h"
#include "platform/Error.h"

void TpgxPicture::setGraphic(const QByteArray &graphicClass, const QByteArray &data)
{
    if (graphicClass.size() > 255)
        throw pgx::Error(QStringLiteral("Invalid picture class name"));
    m_graphicClass = graphicClass;
    m_data = graphicClass.isEmpty() ? QByteArray() : data;
    emit changed();
}

void TpgxPicture::clear()
{
    m_graphicClass.clear();
    m_data.clear();
    emit changed();
}

QByteArray TpgxPicture::savedData() const
{
    if (isEmpty())
        return {};
    QByteArray bytes;
    bytes.append(char(quint8(m_graphicClass.size())));
    bytes.append(m_graphicClass);
    bytes.append(m_data);
    return bytes;
}

bool TpgxPicture::setSavedData(const QByteArray &bytes)
{
    if (bytes.isEmpty()) {
        clear();
        return true;
    }
    const int length = quint8(bytes[0]);
    if (length == 0 || 1 + length > bytes.size())
        return false;
    m_graphicClass = bytes.mid(1, length);
    m_data = bytes.mid(1 + length);
    emit changed();
    return true;
}

void TpgxPicture::writeDefinedProperties(pgx::persist::PropDataWriter &writer,
                                         pgx::TpgxXMLSerializer &) const
{
    if (!isEmpty())
        writer.writeBinary("Data", savedData());
}

// "Data": length byte, class name, graphic bytes. A binary value whose
// length byte runs past its end is a damaged picture, not an empty one.
void TpgxPicture::readDefinedProperty(const pgx::persist::PropEntry &entry,
                                      pgx::TpgxXMLSerializer &)
{
    if (entry.name != "Data")
        return;
    if (entry.value.type != pgx::persist::PropValueType::Binary
        || !setSavedData(entry.value.bytes))
        throw pgx::Error(QStringLiteral("Invalid picture data"));
}
