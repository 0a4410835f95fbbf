#include "preview/find/PageTextFinder.h"

#include "prepared/TpgxPreviewPages.h"
#include "preview/find/NullPaintDevice.h"
#include "report/text/TextCapture.h"

#include <QtGui/QPainter>

#include <algorithm>

namespace pgx::preview {

QList<PageTextLine> pageText(TpgxPreviewPages &pages, int index)
{
    QList<PageTextLine> lines;
    if (index < 0 || index >= pages.count())
        return lines;
    NullPaintDevice device;
    text::TextCapture capture;
    {
        QPainter painter(&device);
        pages.drawPage(index, &painter, 1, 1, 0, 0);
    }
    const QList<text::CapturedLine> captured = capture.takeLines();
    lines.reserve(captured.size());
    for (const text::CapturedLine &line : captured)
        lines.append({line.text, line.rect});
    return lines;
}

std::optional<TextMatch> PageTextFinder::find(const QString &text, bool caseSensitive, int fromPage)
{
    m_text = text;
    m_caseSensitive = caseSensitive;
    m_last.reset();
    // An empty text is in every line: it finds nothing rather than all.
    if (!text.isEmpty())
        m_last = search(std::max(fromPage, 0), -1);
    return m_last;
}

std::optional<TextMatch> PageTextFinder::findNext()
{
    if (m_last)
        m_last = search(m_last->page, m_last->line);
    return m_last;
}

void PageTextFinder::reset()
{
    m_cachedPage = -1;
    m_cachedLines.clear();
}

std::optional<TextMatch> PageTextFinder::search(int page, int afterLine)
{
    const Qt::CaseSensitivity cs = m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int p = page; p < m_pages.count(); ++p) {
        if (p != m_cachedPage) {
            m_cachedLines = pageText(m_pages, p);
            m_cachedPage = p;
        }
        for (int l = p == page ? afterLine + 1 : 0; l < m_cachedLines.size(); ++l)
            if (m_cachedLines[l].text.contains(m_text, cs))
                return TextMatch{p, l, m_cachedLines[l].rect};
    }
    return std::nullopt;
}

}   // namespace pgx::preview
