#include "prepared/export/PdfOutline.h"

#include <QtCore/QRegularExpression>

#include <algorithm>
#include <optional>

namespace pgx::prepared {

namespace {

// The catalog stands right after the document information, whose title can
// be any length: the start is kept until the catalog has been written.
const QByteArray kCatalogType = QByteArrayLiteral("/Type /Catalog");

QString unreadable(const char *what)
{
    return QStringLiteral("Cannot add the outline to the PDF document: %1 not found")
        .arg(QLatin1String(what));
}

// The text between "N 0 obj" and its "endobj"; nullopt when `data` does not
// hold object N.
std::optional<QByteArray> objectBody(const QByteArray &data, int number)
{
    const QByteArray start = QByteArray::number(number) + " 0 obj";
    qsizetype at = 0;
    for (;;) {
        at = data.indexOf(start, at);
        if (at < 0)
            return std::nullopt;
        // A whole number: at the start of a line.
        if (at == 0 || data[at - 1] == '\n' || data[at - 1] == '\r')
            break;
        at += start.size();
    }
    at += start.size();
    const qsizetype end = data.indexOf("endobj", at);
    if (end < 0)
        return std::nullopt;
    return data.mid(at, end - at).trimmed();
}

std::optional<qint64> numberAfter(const QByteArray &text, const char *pattern)
{
    const QRegularExpression re{QLatin1String(pattern)};
    const QRegularExpressionMatch m = re.match(QString::fromLatin1(text));
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 value = m.captured(1).toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// A PDF text string that holds any text: UTF-16BE with its byte order mark,
// written in hexadecimal so that nothing needs escaping.
QByteArray textString(const QString &text)
{
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : text) {
        bytes += char(c.unicode() >> 8);
        bytes += char(c.unicode() & 0xFF);
    }
    return '<' + bytes.toHex().toUpper() + '>';
}

QByteArray ref(int object)
{
    return QByteArray::number(object) + " 0 R";
}

}   // namespace

PdfRecorder::PdfRecorder(QIODevice &target) : m_target(target)
{
    open(QIODevice::WriteOnly);
}

void PdfRecorder::keepTail()
{
    m_tail.clear();
    m_tailStart = m_written;
}

qint64 PdfRecorder::readData(char *, qint64)
{
    return -1;
}

qint64 PdfRecorder::writeData(const char *data, qint64 size)
{
    const qint64 done = m_target.write(data, size);
    if (done <= 0)
        return done;
    if (!m_headComplete) {
        const qsizetype from = std::max<qsizetype>(0, m_head.size() - kCatalogType.size());
        m_head.append(data, done);
        if (m_catalogAt < 0)
            m_catalogAt = m_head.indexOf(kCatalogType, from);
        m_headComplete = m_catalogAt >= 0 && m_head.indexOf("endobj", m_catalogAt) >= 0;
    }
    if (m_tailStart >= 0)
        m_tail.append(data, done);
    m_written += done;
    return done;
}

QString appendPdfOutline(PdfRecorder &recorder, const std::vector<PdfBookmark> &bookmarks)
{
    if (bookmarks.empty())
        return QString();
    const QByteArray &tail = recorder.tail();
    const qsizetype trailerAt = tail.lastIndexOf("trailer");
    if (recorder.tailStart() < 0 || trailerAt < 0)
        return unreadable("the trailer");
    const QByteArray trailer = tail.mid(trailerAt);
    const auto size = numberAfter(trailer, R"(/Size\s+(\d+))");
    const auto root = numberAfter(trailer, R"(/Root\s+(\d+)\s+0\s+R)");
    const auto info = numberAfter(trailer, R"(/Info\s+(\d+)\s+0\s+R)");
    const auto previous = numberAfter(trailer, R"(startxref\s+(\d+))");
    if (!size || !root || !previous)
        return unreadable("the trailer");
    const auto catalog = objectBody(recorder.head(), int(*root));
    if (!catalog || !catalog->startsWith("<<") || !catalog->endsWith(">>"))
        return unreadable("the catalog");
    const auto pagesObject = numberAfter(*catalog, R"(/Pages\s+(\d+)\s+0\s+R)");
    const auto pageTree = pagesObject ? objectBody(tail, int(*pagesObject)) : std::nullopt;
    if (!pageTree)
        return unreadable("the page tree");
    std::vector<int> pageObjects;
    const qsizetype kidsAt = pageTree->indexOf("/Kids");
    const qsizetype open = kidsAt < 0 ? -1 : pageTree->indexOf('[', kidsAt);
    const qsizetype close = open < 0 ? -1 : pageTree->indexOf(']', open);
    if (close < 0)
        return unreadable("the page list");
    const QString kids = QString::fromLatin1(pageTree->mid(open + 1, close - open - 1));
    static const QRegularExpression kidRef(QStringLiteral(R"((\d+)\s+0\s+R)"));
    for (auto it = kidRef.globalMatch(kids); it.hasNext();)
        pageObjects.push_back(it.next().captured(1).toInt());

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
        return page >= 0 && page < int(pageObjects.size());
    };
    std::vector<bool> kept(size_t(n), false);
    for (int i = n - 1; i >= 0; --i) {
        kept[size_t(i)] = kept[size_t(i)] || hasPage(i);
        if (kept[size_t(i)] && parent[size_t(i)] >= 0)
            kept[size_t(parent[size_t(i)])] = true;
    }
    const int outlines = int(*size);
    std::vector<int> object(size_t(n), 0);
    int next = outlines + 1;
    for (int i = 0; i < n; ++i)
        if (kept[size_t(i)])
            object[size_t(i)] = next++;
    if (next == outlines + 1)
        return QString();
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

    QByteArray out = "\n";
    std::vector<std::pair<int, qint64>> offsets;
    const qint64 start = recorder.written();
    const auto beginObject = [&](int number) {
        offsets.emplace_back(number, start + out.size());
        out += QByteArray::number(number) + " 0 obj\n<<\n";
    };
    const auto endObject = [&] { out += ">>\nendobj\n"; };
    const auto writeFamily = [&](const std::vector<int> &kids, int count) {
        if (kids.empty())
            return;
        out += "/First " + ref(object[size_t(kids.front())]) + "\n/Last "
            + ref(object[size_t(kids.back())]) + "\n/Count " + QByteArray::number(count) + '\n';
    };

    beginObject(outlines);
    out += "/Type /Outlines\n";
    writeFamily(children[size_t(n)], int(children[size_t(n)].size()));
    endObject();
    for (int i = 0; i < n; ++i) {
        if (!kept[size_t(i)])
            continue;
        const PdfBookmark &b = bookmarks[size_t(i)];
        const std::vector<int> &siblings
            = children[size_t(parent[size_t(i)] < 0 ? n : parent[size_t(i)])];
        const size_t at = place[size_t(i)];
        beginObject(object[size_t(i)]);
        out += "/Title " + textString(b.title) + "\n/Parent "
            + ref(parent[size_t(i)] < 0 ? outlines : object[size_t(parent[size_t(i)])]) + '\n';
        if (at > 0)
            out += "/Prev " + ref(object[size_t(siblings[at - 1])]) + '\n';
        if (at + 1 < siblings.size())
            out += "/Next " + ref(object[size_t(siblings[at + 1])]) + '\n';
        // Entries with children start closed.
        writeFamily(children[size_t(i)], -int(children[size_t(i)].size()));
        if (hasPage(i))
            out += "/Dest [" + ref(pageObjects[size_t(b.page)]) + " /XYZ null "
                + QByteArray::number(std::max(0.0, b.y), 'f', 2) + " null]\n";
        endObject();
    }
    // The catalog again, now with the outline, shown when the file opens.
    const QByteArray entries = catalog->mid(2, catalog->size() - 4).trimmed();
    beginObject(int(*root));
    out += entries + "\n/Outlines " + ref(outlines) + "\n/PageMode /UseOutlines\n";
    endObject();

    const qint64 xref = start + out.size();
    std::sort(offsets.begin(), offsets.end());
    out += "xref\n";
    for (size_t i = 0; i < offsets.size();) {
        size_t run = i + 1;
        while (run < offsets.size() && offsets[run].first == offsets[run - 1].first + 1)
            ++run;
        out += QByteArray::number(offsets[i].first) + ' ' + QByteArray::number(qint64(run - i))
            + '\n';
        for (; i < run; ++i)
            out += QByteArray::number(offsets[i].second).rightJustified(10, '0') + " 00000 n \n";
    }
    out += "trailer\n<<\n/Size " + QByteArray::number(next) + "\n/Root " + ref(int(*root)) + '\n';
    if (info)
        out += "/Info " + ref(int(*info)) + '\n';
    out += "/Prev " + QByteArray::number(*previous) + "\n>>\nstartxref\n" + QByteArray::number(xref)
        + "\n%%EOF\n";
    if (recorder.write(out) != out.size())
        return QStringLiteral("Cannot add the outline to the PDF document: %1")
            .arg(recorder.target().errorString());
    return QString();
}

}   // namespace pgx::prepared
