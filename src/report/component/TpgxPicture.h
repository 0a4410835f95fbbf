#pragma once

#include "persist/serializer/SerializerHooks.h"

#include <QtCore/QByteArray>
#include <QtCore/QObject>

// A stored picture (the report's ReportOptions.Picture, later the pictures
// of views and pages): the graphic's class name and its own bytes, kept as
// they were read so that saving writes them back unchanged. Templates carry
// it as Picture.PropData, one binary entry "Data" holding the class name as
// a one-byte-length string followed by the graphic's data. An empty picture
// writes nothing. Holders that show the picture follow changed().
class TpgxPicture : public QObject, public pgx::TpgxDefinedProperties
{
    Q_OBJECT

public:
    explicit TpgxPicture(QObject *parent = nullptr) : QObject(parent) { }

    bool isEmpty() const { return m_graphicClass.isEmpty(); }
    const QByteArray &graphicClass() const { return m_graphicClass; }
    const QByteArray &graphicData() const { return m_data; }
    // A class name longer than 255 bytes cannot be stored and is refused
    // (pgx::Error).
    void setGraphic(const QByteArray &graphicClass, const QByteArray &data);
    void clear();
    // The saved form: a length byte, the class name, the graphic bytes (empty
    // for no picture); what templates and the prepared report's picture
    // cache store.
    QByteArray savedData() const;
    // False (and the picture unchanged) for data that is not that form.
    bool setSavedData(const QByteArray &bytes);
    void assign(const TpgxPicture &source)
    {
        m_graphicClass = source.m_graphicClass;
        m_data = source.m_data;
        emit changed();
    }
    bool operator==(const TpgxPicture &other) const
    {
        return m_graphicClass == other.m_graphicClass && m_data == other.m_data;
    }

    void writeDefinedProperties(pgx::persist::PropDataWriter &writer,
                                pgx::TpgxXMLSerializer &serializer) const override;
    void readDefinedProperty(const pgx::persist::PropEntry &entry,
                             pgx::TpgxXMLSerializer &serializer) override;

signals:
    // Emitted on every change of class or bytes (setting, clearing,
    // assigning, reading), so that a picture view can decode and resize.
    void changed();

private:
    QByteArray m_graphicClass;
    QByteArray m_data;
};
