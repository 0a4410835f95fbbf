#pragma once

#include <QtGui/QColor>
#include <QtGui/QRegion>

class QWidget;

namespace pgx::launcher {

// Makes every pixel of one colour of a borderless window see-through, the
// way a layered window with a transparent colour key does.
//
// Where a compositor runs (always on Wayland; on X11 when a compositing
// manager owns the _NET_WM_CM selection) the window gets a translucent
// background and simply does not paint the key colour. Elsewhere the window
// system cannot blend, so the window is cut to the shape of its non-key
// pixels with a window mask.
class ColourKey
{
public:
    enum class Method { TranslucentBackground, WindowMask };

    static bool compositorRunning();
    static Method preferredMethod();

    // Call before the window is shown (translucency must be asked for
    // before the native window exists), then update() after its content is
    // laid out or changes shape.
    static void prepare(QWidget *window, const QColor &key, Method method);
    static void update(QWidget *window, const QColor &key, Method method);

    // The region of a rendering of `window` whose pixels are not `key`.
    static QRegion opaqueRegion(QWidget *window, const QColor &key);
};

}   // namespace pgx::launcher
