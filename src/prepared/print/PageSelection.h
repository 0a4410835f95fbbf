#pragma once

#include <QtCore/QSet>
#include <QtCore/QString>

#include <optional>

namespace pgx::prepared {

// The pages a print run takes, from a text such as "1,3,5-12" or "7-"
// (1-based page numbers; blanks are ignored). An empty text takes every
// page; a text that selects nothing ("4-2", or only pages beyond the last)
// takes none. Numbers beyond the last page are dropped and ranges end at it,
// so that "1-2000000000" costs no more than the report has pages.
class PageSelection
{
public:
    // Nothing (and the reason in `error`) when a token is not a number, as
    // in "-5" or "1,,2".
    static std::optional<PageSelection> parse(const QString &text, int lastPage, QString &error);
    static PageSelection allPages() { return PageSelection(); }

    bool isAll() const { return m_all; }
    bool contains(int pageNumber) const { return m_all || m_pages.contains(pageNumber); }
    // Not a single page: nothing is to be printed.
    bool selectsNothing() const { return !m_all && m_pages.isEmpty(); }

private:
    PageSelection() = default;

    bool m_all = true;
    QSet<int> m_pages;
};

}   // namespace pgx::prepared
