#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QIODevice>
#include <QtCore/QString>

#include <memory>

#include "persist/XMLItem.h"
#include "persist/XMLResult.h"

namespace pgx {

class TpgxXMLStore;

// An XML document: the header line and one root item, read and written by
// TpgxXMLReader and TpgxXMLWriter. Large documents can keep marked items on
// disk: a partial load leaves elements marked ld="0" in the source stream,
// and SwapOut moves a swappable item's children to a temporary file.
//
// Stores: the source stream of a partial load and the temporary file are
// kept apart. Each unloaded item holds its own store, so a SwapOut after a
// partial load (which starts the temporary file) never makes the offsets of
// items still in the source point into the wrong file. Clear, the next load
// and the destructor let go of both; a temporary file is deleted when no
// item refers to it any more.
class TpgxXMLDocument
{
public:
    static const QByteArray kDefaultHeader;   // <?xml version="1.0" encoding="utf-8"?>

    TpgxXMLDocument();
    ~TpgxXMLDocument();
    Q_DISABLE_COPY_MOVE(TpgxXMLDocument)

    TpgxXMLItem *root() const { return m_root.get(); }

    bool indented() const { return m_indented; }
    void setIndented(bool indented) { m_indented = indented; }
    // Folder of the temporary file; empty means the system's ($TMPDIR).
    const QString &tempDir() const { return m_tempDir; }
    void setTempDir(const QString &dir) { m_tempDir = dir; }
    // The line written before the root.
    const QByteArray &header() const { return m_header; }
    void setHeader(const QByteArray &header) { m_header = header; }

    // Frees the root's children and lets go of the stores; the root keeps
    // its name and attributes.
    void clear();

    // Reads a whole document from the stream's current position. On an
    // InvalidFormat or IOError result the document is left empty; a document
    // that ended early keeps what was read.
    TpgxXMLResult loadFromStream(QIODevice &stream);
    // As above; with partial loading (on a stream that can seek) the
    // document keeps the stream as the store of the items it left unloaded.
    TpgxXMLResult loadFromStream(std::unique_ptr<QIODevice> stream, bool allowPartialLoading);
    TpgxXMLResult loadFromFile(const QString &fileName, bool allowPartialLoading = false);

    // The header line and the root with all descendants (unloaded ones are
    // read back for the time of writing).
    TpgxXMLResult saveToStream(QIODevice &stream);
    // Writes a temporary file beside fileName and renames it over the target:
    // a failed save leaves the old file as it was. Saving over the file the
    // document was partially loaded from is safe: the document goes on
    // reading the old file's contents through the stream it holds open.
    TpgxXMLResult saveToFile(const QString &fileName);

    // Brings an unloaded item's children back; its name and attributes keep
    // any change made meanwhile. Does nothing to a loaded item.
    TpgxXMLResult swapIn(TpgxXMLItem *item);
    // Writes a loaded swappable item to the end of the temporary file
    // (created on first use) and drops its children from memory. Does
    // nothing to an item that is not swappable or not loaded; on a failure
    // the item stays loaded.
    TpgxXMLResult swapOut(TpgxXMLItem *item);

    // Whether unloaded items can live somewhere (a partial-load source or
    // the temporary file).
    bool hasStore() const { return m_source || m_temporary; }

private:
    TpgxXMLResult read(QIODevice &device, const std::shared_ptr<TpgxXMLStore> &partialStore);
    void reset();   // Clear, and the root's name and attributes too

    std::unique_ptr<TpgxXMLItem> m_root;
    bool m_indented = false;
    QString m_tempDir;
    QByteArray m_header;
    std::shared_ptr<TpgxXMLStore> m_source;      // the stream of a partial load
    std::shared_ptr<TpgxXMLStore> m_temporary;   // the file SwapOut writes to
};

}   // namespace pgx
