#pragma once

#include <QtCore/QString>
#include <QtCore/QUrl>

namespace pgx::prepared {

// Where a click on an object's URL leads, in the preview and in an exported
// PDF. Prepared files come from strangers: only http, https and mailto ever
// reach the desktop or become a PDF link; anything else is shown, never run.
struct LinkTarget
{
    enum Kind {
        None,       // empty or blanks
        Page,       // "@3": page 3 (1-based; beyond the last page the caller clamps)
        Anchor,     // "#total": the anchor added under that text
        External,   // http or https with a host, mailto with an address
        Refused,    // anything else, "@", "@0", "@x" and "#" among them:
                    // shown in the status bar only, a click does nothing
    };
    Kind kind = None;
    int page = 0;
    QString anchor;
    QUrl url;
};

// Blanks around the URL are ignored.
LinkTarget linkTarget(const QString &url);

}   // namespace pgx::prepared
