#include "designer/undo/TpgxPictureCache.h"

#include "report/component/TpgxPicture.h"
#include "report/views/TpgxPictureView.h"

namespace {

QList<TpgxPictureView *> pictureViews(TpgxComponent &root)
{
    QList<TpgxPictureView *> views;
    if (auto *view = qobject_cast<TpgxPictureView *>(&root))
        views << view;
    for (TpgxComponent *object : root.allObjects())
        if (auto *view = qobject_cast<TpgxPictureView *>(object))
            views << view;
    return views;
}

}   // namespace

void TpgxPictureCache::addPicture(TpgxPictureView &view)
{
    if (view.picture()->isEmpty()) {
        view.setImageIndex(0);
        return;
    }
    m_pictures << view.picture()->savedData();
    view.setImageIndex(count());
}

void TpgxPictureCache::addPictures(TpgxComponent &root)
{
    for (TpgxPictureView *view : pictureViews(root))
        addPicture(*view);
}

void TpgxPictureCache::restorePicture(TpgxPictureView &view) const
{
    const int index = view.imageIndex();
    if (index > 0 && index <= count())
        view.picture()->setSavedData(m_pictures[index - 1]);
    else
        view.picture()->clear();
}

void TpgxPictureCache::restorePictures(TpgxComponent &root) const
{
    for (TpgxPictureView *view : pictureViews(root))
        restorePicture(*view);
}

void TpgxPictureCache::setSnapshotMode(TpgxComponent &root, bool on)
{
    for (TpgxPictureView *view : pictureViews(root))
        view->setInPictureCache(on);
}
