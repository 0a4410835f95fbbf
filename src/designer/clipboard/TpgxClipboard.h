#pragma once

#include <QtCore/QList>
#include <QtCore/QString>

class TextClipboard;
class TpgxComponent;
class TpgxPage;
class TpgxPictureCache;

// Copy and paste of a designer's objects through the platform clipboard:
// the text "#PGR clipboard#", a line feed and a carriage return, then one
// element per object in the template's syntax, positions relative to the
// selection's top-left corner, pictures as indexes into the window's
// picture cache (so they travel only within that window).
class TpgxClipboard
{
public:
    static constexpr char kHeader[] = "#PGR clipboard#";

    TpgxClipboard(TextClipboard &clipboard, TpgxPictureCache &pictures)
        : m_clipboard(clipboard), m_pictures(pictures)
    { }

    // The text for the selected objects of `page`, in the page's order. A
    // band whose objects are none of them selected carries all of them.
    static QString copyText(TpgxPage &page, const QList<TpgxComponent *> &selection);
    void copyObjects(TpgxPage &page, const QList<TpgxComponent *> &selection);
    // The clipboard holds objects (its text begins with the header).
    bool holdsObjects() const;

    struct Pasted
    {
        QList<TpgxComponent *> objects;     // in the order pasted
        QList<TpgxComponent *> selection;   // bands and free objects, else the page
    };
    // The clipboard's objects onto `page`: bands onto the page, other
    // objects into the pasted band whose height holds their top, else onto
    // the page. Objects the page cannot hold (a second page header, a
    // memo on a dialog page) are left out; a name the report already has
    // is replaced by a new one. Reading stops at the first element that
    // gives no object; what was pasted stays.
    Pasted pasteObjects(TpgxPage &page);
    static Pasted pasteText(TpgxPage &page, const QString &text, const TpgxPictureCache &pictures);

    // Whether an object of that kind may go onto the page.
    static bool fitsOnto(const TpgxComponent &object, const TpgxPage &page);

private:
    TextClipboard &m_clipboard;
    TpgxPictureCache &m_pictures;
};
