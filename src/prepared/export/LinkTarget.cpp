#include "prepared/export/LinkTarget.h"

namespace pgx::prepared {

namespace {

LinkTarget refused(const QString &text)
{
    LinkTarget target;
    target.kind = LinkTarget::Refused;
    target.url = QUrl(text);
    return target;
}

}   // namespace

LinkTarget linkTarget(const QString &url)
{
    const QString text = url.trimmed();
    LinkTarget target;
    if (text.isEmpty())
        return target;

    if (text.startsWith(u'@')) {
        bool ok = false;
        const int page = QStringView(text).mid(1).trimmed().toInt(&ok);
        if (!ok || page < 1)
            return refused(text);
        target.kind = LinkTarget::Page;
        target.page = page;
        return target;
    }
    if (text.startsWith(u'#')) {
        target.anchor = text.mid(1);
        if (target.anchor.isEmpty())
            return refused(text);
        target.kind = LinkTarget::Anchor;
        return target;
    }

    // QUrl lowercases the scheme, so "HTTP://" is http.
    const QUrl parsed(text, QUrl::TolerantMode);
    const QString scheme = parsed.scheme();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    const bool mail = scheme == QLatin1String("mailto");
    if (!parsed.isValid() || (web && parsed.host().isEmpty()) || (mail && parsed.path().isEmpty())
        || !(web || mail))
        return refused(text);
    target.kind = LinkTarget::External;
    target.url = parsed;
    return target;
}

}   // namespace pgx::prepared
