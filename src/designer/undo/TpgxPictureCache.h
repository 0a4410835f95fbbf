#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QList>

class TpgxPictureView;
class TpgxComponent;

// The pictures of a designer window, each kept once: undo snapshots and the
// clipboard carry a picture view's ImageIndex (1-based into this cache)
// instead of its data.
class TpgxPictureCache
{
public:
    void clear() { m_pictures.clear(); }
    int count() const { return int(m_pictures.size()); }

    // Keeps the view's picture and sets its ImageIndex to it; 0 for a view
    // without a picture.
    void addPicture(TpgxPictureView &view);
    // Every picture view under `root` (itself included).
    void addPictures(TpgxComponent &root);
    // The picture ImageIndex names; an index outside the cache empties it.
    void restorePicture(TpgxPictureView &view) const;
    void restorePictures(TpgxComponent &root) const;

    // Picture views write ImageIndex rather than their picture while a
    // snapshot is written (on), and their picture again afterwards (off).
    static void setSnapshotMode(TpgxComponent &root, bool on);

private:
    QList<QByteArray> m_pictures;
};
