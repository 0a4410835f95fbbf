#include "prepared/export/PdfUpdate.h"

#include <QtCore/QRegularExpression>

#include <algorithm>

namespace pgx::prepared {

namespace {

QString unreadable(const char *what)
{
    return QStringLiteral("Cannot add bookmarks and links to the PDF document: %1 not found")
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

}   // namespace

QByteArray pdfRef(int object)
{
    return QByteArray::number(object) + " 0 R";
}

QByteArray pdfTextString(const QString &text)
{
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : text) {
        bytes += char(c.unicode() >> 8);
        bytes += char(c.unicode() & 0xFF);
    }
    return '<' + bytes.toHex().toUpper() + '>';
}

QByteArray pdfLiteral(const QByteArray &bytes)
{
    QByteArray out = "(";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\' || c == '(' || c == ')') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u > 0x7E) {
            out += '\\';
            out += QByteArray::number(u, 8).rightJustified(3, '0');
        } else {
            out += c;
        }
    }
    return out + ')';
}

QByteArray pdfNumber(double value)
{
    return QByteArray::number(value, 'f', 2);
}

PdfUpdate::PdfUpdate(PdfRecorder &recorder) : m_recorder(recorder) { }

QString PdfUpdate::open()
{
    const QByteArray &tail = m_recorder.tail();
    const qsizetype trailerAt = tail.lastIndexOf("trailer");
    if (m_recorder.tailStart() < 0 || trailerAt < 0)
        return unreadable("the trailer");
    const QByteArray trailer = tail.mid(trailerAt);
    const auto size = numberAfter(trailer, R"(/Size\s+(\d+))");
    const auto root = numberAfter(trailer, R"(/Root\s+(\d+)\s+0\s+R)");
    const auto previous = numberAfter(trailer, R"(startxref\s+(\d+))");
    if (!size || !root || !previous)
        return unreadable("the trailer");
    const auto catalog = objectBody(m_recorder.head(), int(*root));
    if (!catalog || !catalog->startsWith("<<") || !catalog->endsWith(">>"))
        return unreadable("the catalog");
    const auto pagesObject = numberAfter(*catalog, R"(/Pages\s+(\d+)\s+0\s+R)");
    const auto pageTree = pagesObject ? objectBody(tail, int(*pagesObject)) : std::nullopt;
    if (!pageTree)
        return unreadable("the page tree");
    const qsizetype kidsAt = pageTree->indexOf("/Kids");
    const qsizetype open = kidsAt < 0 ? -1 : pageTree->indexOf('[', kidsAt);
    const qsizetype close = open < 0 ? -1 : pageTree->indexOf(']', open);
    if (close < 0)
        return unreadable("the page list");
    const QString kids = QString::fromLatin1(pageTree->mid(open + 1, close - open - 1));
    static const QRegularExpression kidRef(QStringLiteral(R"((\d+)\s+0\s+R)"));
    m_pageObjects.clear();
    for (auto it = kidRef.globalMatch(kids); it.hasNext();)
        m_pageObjects.push_back(it.next().captured(1).toInt());
    m_root = int(*root);
    m_info = numberAfter(trailer, R"(/Info\s+(\d+)\s+0\s+R)");
    m_previous = *previous;
    m_next = int(*size);
    m_catalog = catalog->mid(2, catalog->size() - 4).trimmed();
    return QString();
}

std::optional<QByteArray> PdfUpdate::keptObject(int number) const
{
    return m_recorder.pages().object(number);
}

void PdfUpdate::setObject(int number, const QByteArray &body)
{
    m_objects.emplace_back(number, body);
}

void PdfUpdate::addCatalogEntries(const QByteArray &entries)
{
    m_catalogAdded += entries;
}

QString PdfUpdate::write()
{
    if (!m_catalogAdded.isEmpty())
        setObject(m_root, "<<\n" + m_catalog + '\n' + m_catalogAdded + ">>");
    if (m_objects.empty())
        return QString();
    QByteArray out = "\n";
    std::vector<std::pair<int, qint64>> offsets;
    const qint64 start = m_recorder.written();
    for (const auto &[number, body] : m_objects) {
        offsets.emplace_back(number, start + out.size());
        out += QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n";
    }
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
    out += "trailer\n<<\n/Size " + QByteArray::number(m_next) + "\n/Root " + pdfRef(m_root) + '\n';
    if (m_info)
        out += "/Info " + pdfRef(int(*m_info)) + '\n';
    out += "/Prev " + QByteArray::number(m_previous) + "\n>>\nstartxref\n"
        + QByteArray::number(xref) + "\n%%EOF\n";
    m_objects.clear();
    m_catalogAdded.clear();
    if (m_recorder.write(out) != out.size())
        return QStringLiteral("Cannot add bookmarks and links to the PDF document: %1")
            .arg(m_recorder.target().errorString());
    return QString();
}

}   // namespace pgx::prepared
