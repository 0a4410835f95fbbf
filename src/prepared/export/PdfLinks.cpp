#include "prepared/export/PdfLinks.h"

#include <QtCore/QRegularExpression>

#include <algorithm>
#include <map>

namespace pgx::prepared {

namespace {

QByteArray annotation(const PdfLink &link, PdfUpdate &update)
{
    const QRectF r = link.rect.normalized();
    QByteArray body = "<<\n/Type /Annot\n/Subtype /Link\n/Rect [" + pdfNumber(r.left()) + ' '
        + pdfNumber(r.top()) + ' ' + pdfNumber(r.right()) + ' ' + pdfNumber(r.bottom())
        + "]\n/Border [0 0 0]\n";
    if (!link.uri.isEmpty())
        body += "/A << /S /URI /URI " + pdfLiteral(link.uri) + " >>\n";
    else
        body += "/Dest [" + pdfRef(update.pageObject(link.targetPage)) + " /XYZ null "
            + pdfNumber(std::max(0.0, link.targetY)) + " null]\n";
    return body + ">>";
}

const QRegularExpression &annotsEntry()
{
    static const QRegularExpression re(
        QStringLiteral(R"(/Annots\s*(?:(\d+)\s+0\s+R|\[([^\]]*)\])\s*)"));
    return re;
}

}   // namespace

QByteArray withAnnotations(const QByteArray &pageDict, const QByteArray &annotations)
{
    QString dict = QString::fromLatin1(pageDict).trimmed();
    QString list = QString::fromLatin1(annotations);
    const QRegularExpressionMatch m = annotsEntry().match(dict);
    if (m.hasMatch()) {
        if (m.capturedLength(2) > 0 && !m.captured(2).trimmed().isEmpty())
            list = m.captured(2).trimmed() + u' ' + list;
        dict.remove(m.capturedStart(), m.capturedLength());
    }
    if (dict.endsWith(QLatin1String(">>")))
        dict.chop(2);
    return (dict.trimmed() + QLatin1String("\n/Annots [") + list + QLatin1String("]\n>>"))
        .toLatin1();
}

QString addPdfLinks(PdfUpdate &update, const std::vector<PdfLink> &links)
{
    const auto onPage = [&update](int page) { return page >= 0 && page < update.pageCount(); };
    std::map<int, QByteArray> annotationsOf;   // page -> references, in order
    for (const PdfLink &link : links) {
        if (!onPage(link.page) || (link.uri.isEmpty() && !onPage(link.targetPage)))
            continue;
        const int object = update.newObject();
        update.setObject(object, annotation(link, update));
        QByteArray &list = annotationsOf[link.page];
        list += (list.isEmpty() ? "" : " ") + pdfRef(object);
    }
    for (const auto &[page, list] : annotationsOf) {
        const int pageObject = update.pageObject(page);
        const std::optional<QByteArray> dict = update.keptObject(pageObject);
        if (!dict)
            return QStringLiteral("Cannot add links to the PDF document: page %1 not found")
                .arg(page + 1);
        // Qt names an array of its own: written again, the page stays as it is.
        const QRegularExpressionMatch m = annotsEntry().match(QString::fromLatin1(*dict));
        const std::optional<QByteArray> array = m.hasMatch() && m.capturedLength(1) > 0
            ? update.keptObject(m.captured(1).toInt())
            : std::nullopt;
        if (array && array->startsWith('[') && array->endsWith(']')) {
            const QByteArray before = array->mid(1, array->size() - 2).trimmed();
            update.setObject(m.captured(1).toInt(),
                             "[" + before + (before.isEmpty() ? "" : " ") + list + "]");
        } else {
            update.setObject(pageObject, withAnnotations(*dict, list));
        }
    }
    return QString();
}

}   // namespace pgx::prepared
