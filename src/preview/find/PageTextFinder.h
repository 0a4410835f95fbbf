#pragma once

#include <QtCore/QList>
#include <QtCore/QRectF>
#include <QtCore/QString>

#include <optional>

class TpgxPreviewPages;

namespace pgx::preview {

// One line of text as a page draws it, with its box in the page's pixels
// at zoom 1 (report units).
struct PageTextLine
{
    QString text;
    QRectF rect;
};

// The text lines page `index` draws, in drawing order: the page is drawn
// once with text capture on (report/text/TextCapture.h).
QList<PageTextLine> pageText(TpgxPreviewPages &pages, int index);

struct TextMatch
{
    int page = -1;   // 0-based
    int line = -1;   // in that page's lines
    QRectF rect;     // of the line, page pixels at zoom 1
};

// Find and find-next over the pages' text: a line matches when it contains
// the text (case ignored unless asked). The next search starts after the
// last match, on the same page first; after the last page nothing more is
// found. The last page searched is kept, so walking its matches draws it
// once.
class PageTextFinder
{
public:
    explicit PageTextFinder(TpgxPreviewPages &pages) : m_pages(pages) { }

    // A new search from page `fromPage` (0-based). An empty text finds
    // nothing.
    std::optional<TextMatch> find(const QString &text, bool caseSensitive, int fromPage);
    // After the last match; nothing once a search or find-next found
    // nothing, until the next find.
    std::optional<TextMatch> findNext();
    const QString &text() const { return m_text; }
    // The store changed: forget the kept page.
    void reset();

private:
    std::optional<TextMatch> search(int page, int afterLine);

    TpgxPreviewPages &m_pages;
    QString m_text;
    bool m_caseSensitive = false;
    std::optional<TextMatch> m_last;
    int m_cachedPage = -1;
    QList<PageTextLine> m_cachedLines;
};

}   // namespace pgx::preview
