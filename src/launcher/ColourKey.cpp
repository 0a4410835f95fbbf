#include "launcher/ColourKey.h"

#include <QtGui/QBitmap>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtWidgets/QWidget>

#if defined(PGX_HAVE_XCB) && QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
#endif

namespace pgx::launcher {

namespace {

#if defined(PGX_HAVE_XCB) && QT_CONFIG(xcb)
// The EWMH rule: a compositing manager owns the selection _NET_WM_CM_S<n>
// of the screen it composites.
bool x11CompositorRunning()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    static const char kSelection[] = "_NET_WM_CM_S0";
    const xcb_intern_atom_cookie_t atomCookie
        = xcb_intern_atom(connection, 1, sizeof(kSelection) - 1, kSelection);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, atomCookie, nullptr), &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const xcb_get_selection_owner_cookie_t ownerCookie
        = xcb_get_selection_owner(connection, atom->atom);
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, ownerCookie, nullptr), &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}
#endif

}   // namespace

bool ColourKey::compositorRunning()
{
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland")))
        return true;
#if defined(PGX_HAVE_XCB) && QT_CONFIG(xcb)
    if (platform == QLatin1String("xcb"))
        return x11CompositorRunning();
#endif
    return false;
}

ColourKey::Method ColourKey::preferredMethod()
{
    return compositorRunning() ? Method::TranslucentBackground : Method::WindowMask;
}

void ColourKey::prepare(QWidget *window, const QColor &key, Method method)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, key);
    window->setPalette(palette);
    const bool translucent = method == Method::TranslucentBackground;
    window->setAttribute(Qt::WA_TranslucentBackground, translucent);
    // Under a compositor the key colour is never painted at all.
    window->setAutoFillBackground(!translucent);
}

void ColourKey::update(QWidget *window, const QColor &key, Method method)
{
    if (method == Method::WindowMask)
        window->setMask(opaqueRegion(window, key));
    else
        window->clearMask();
}

QRegion ColourKey::opaqueRegion(QWidget *window, const QColor &key)
{
    QImage image = window->grab().toImage();
    if (image.isNull())
        return QRegion(window->rect());
    if (image.size() != window->size())   // a high-density screen renders more pixels
        image = image.scaled(window->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    image = image.convertToFormat(QImage::Format_RGB32);
    // The key pixels become the mask's set bits, which a region from a
    // bitmap leaves out.
    const QImage mask = image.createMaskFromColor(key.rgb(), Qt::MaskInColor);
    return QRegion(QBitmap::fromImage(mask));
}

}   // namespace pgx::launcher
