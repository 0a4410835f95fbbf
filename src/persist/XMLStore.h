#pragma once

#include <QtCore/QIODevice>
#include <QtCore/QString>

#include <memory>

namespace pgx {

// A stream in which unloaded items live: either the stream a document was
// partially read from, or the document's temporary file. Items share it
// (std::shared_ptr) with the document; the stream is closed, and a
// temporary file deleted, when the last of them lets go.
class TpgxXMLStore
{
public:
    explicit TpgxXMLStore(std::unique_ptr<QIODevice> device, bool temporary = false)
        : m_device(std::move(device)), m_temporary(temporary)
    { }

    QIODevice *device() const { return m_device.get(); }
    bool isTemporary() const { return m_temporary; }

    // A new temporary file "pg..." in dir (the system's folder for temporary
    // files when dir is empty), open for reading and writing. Null, with
    // *error set, when it cannot be created.
    static std::shared_ptr<TpgxXMLStore> createTemporary(const QString &dir, QString *error);

private:
    std::unique_ptr<QIODevice> m_device;
    bool m_temporary;
};

}   // namespace pgx
