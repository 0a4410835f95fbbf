#include "prepared/export/PdfOutline.h"

#include <algorithm>

namespace pgx::prepared {

void addPdfOutline(PdfUpdate &update, const std::vector<PdfBookmark> &bookmarks)
{
    // The tree from the levels: each entry's parent (-1: the outline root),
    // kept when it or something below it leads to a page of this document.
    const int n = int(bookmarks.size());
    std::vector<int> parent(size_t(n), -1);
    std::vector<int> stack;
    for (int i = 0; i < n; ++i) {
        const int level = std::max(0, bookmarks[size_t(i)].level);
        while (int(stack.size()) > level)
            stack.pop_back();
        parent[size_t(i)] = stack.empty() ? -1 : stack.back();
        stack.push_back(i);
    }
    const auto hasPage = [&](int i) {
        const int page = bookmarks[size_t(i)].page;
        return page >= 0 && page < update.pageCount();
    };
    std::vector<bool> kept(size_t(n), false);
    for (int i = n - 1; i >= 0; --i) {
        kept[size_t(i)] = kept[size_t(i)] || hasPage(i);
        if (kept[size_t(i)] && parent[size_t(i)] >= 0)
            kept[size_t(parent[size_t(i)])] = true;
    }
    if (std::find(kept.cbegin(), kept.cend(), true) == kept.cend())
        return;
    const int outlines = update.newObject();
    std::vector<int> object(size_t(n), 0);
    for (int i = 0; i < n; ++i)
        if (kept[size_t(i)])
            object[size_t(i)] = update.newObject();
    // Children of each entry (index n: the root) in order, and the place of
    // each among its siblings.
    std::vector<std::vector<int>> children(size_t(n) + 1);
    std::vector<size_t> place(size_t(n), 0);
    for (int i = 0; i < n; ++i) {
        if (!kept[size_t(i)])
            continue;
        std::vector<int> &family = children[size_t(parent[size_t(i)] < 0 ? n : parent[size_t(i)])];
        place[size_t(i)] = family.size();
        family.push_back(i);
    }
    const auto family = [&](const std::vector<int> &kids, int count) -> QByteArray {
        if (kids.empty())
            return {};
        return "/First " + pdfRef(object[size_t(kids.front())]) + "\n/Last "
            + pdfRef(object[size_t(kids.back())]) + "\n/Count " + QByteArray::number(count) + '\n';
    };

    update.setObject(outlines,
                     "<<\n/Type /Outlines\n"
                         + family(children[size_t(n)], int(children[size_t(n)].size())) + ">>");
    for (int i = 0; i < n; ++i) {
        if (!kept[size_t(i)])
            continue;
        const PdfBookmark &b = bookmarks[size_t(i)];
        const std::vector<int> &siblings
            = children[size_t(parent[size_t(i)] < 0 ? n : parent[size_t(i)])];
        const size_t at = place[size_t(i)];
        QByteArray body = "<<\n/Title " + pdfTextString(b.title) + "\n/Parent "
            + pdfRef(parent[size_t(i)] < 0 ? outlines : object[size_t(parent[size_t(i)])]) + '\n';
        if (at > 0)
            body += "/Prev " + pdfRef(object[size_t(siblings[at - 1])]) + '\n';
        if (at + 1 < siblings.size())
            body += "/Next " + pdfRef(object[size_t(siblings[at + 1])]) + '\n';
        // Entries with children start closed.
        body += family(children[size_t(i)], -int(children[size_t(i)].size()));
        if (hasPage(i))
            body += "/Dest [" + pdfRef(update.pageObject(b.page)) + " /XYZ null "
                + pdfNumber(std::max(0.0, b.y)) + " null]\n";
        update.setObject(object[size_t(i)], body + ">>");
    }
    update.addCatalogEntries("/Outlines " + pdfRef(outlines) + "\n/PageMode /UseOutlines\n");
}

}   // namespace pgx::prepared
