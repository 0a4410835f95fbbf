#include "platform/printing/CupsPrinterBackend.h"

#include "platform/printing/DriverLists.h"
#include "platform/printing/JobOptions.h"
#include "platform/printing/PaperTable.h"

#include <cups/cups.h>

#include <QtCore/QTemporaryFile>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace pgx {

namespace {

// Media sizes and margins come in hundredths of a millimetre.
double fromHundredths(int value)
{
    return value / 100.0;
}

QString destName(const cups_dest_t &dest)
{
    QString name = QString::fromUtf8(dest.name);
    if (dest.instance && *dest.instance)
        name += QLatin1Char('/') + QString::fromUtf8(dest.instance);
    return name;
}

PrinterPaper paperFromSize(cups_dest_t *dest, cups_dinfo_t *info, cups_size_t &size)
{
    PrinterPaper paper;
    paper.width = fromHundredths(size.width);
    paper.height = fromHundredths(size.length);
    paper.left = fromHundredths(size.left);
    paper.top = fromHundredths(size.top);
    paper.right = fromHundredths(size.right);
    paper.bottom = fromHundredths(size.bottom);
    paper.code = paperCodeForSize(paper.width, paper.height);
    // A driver's sizes are its rounded version of the standard paper (A4 from
    // a PPD is 209.9 mm wide): a paper of the table keeps the table's size.
    lookUpPaperSize(paper.code, paper.width, paper.height);

    // The printer's own name for the paper when it has one; else the common
    // name libcups knows for the media keyword ("A4", "Letter"), else the
    // keyword itself.
    const char *localized
        = cupsLocalizeDestMedia(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &size);
    if (localized && *localized && std::strcmp(localized, size.media) != 0) {
        paper.name = QString::fromUtf8(localized);
    } else if (pwg_media_t *media = pwgMediaForPWG(size.media); media && media->ppd) {
        paper.name = QString::fromUtf8(media->ppd);
    } else {
        paper.name = QString::fromUtf8(size.media);
    }
    return paper;
}

int dotsPerInch(int value, ipp_res_t units)
{
    return units == IPP_RES_PER_CM ? int(std::lrint(value * 2.54)) : value;
}

// The printer's default resolution, else the first it supports.
void readResolution(cups_dest_t *dest, cups_dinfo_t *info, PrinterCapabilities &caps)
{
    ipp_attribute_t *attr
        = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution");
    if (!attr || ippGetValueTag(attr) != IPP_TAG_RESOLUTION)
        attr = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution");
    if (attr && ippGetValueTag(attr) == IPP_TAG_RESOLUTION && ippGetCount(attr) > 0) {
        int yres = 0;
        ipp_res_t units = IPP_RES_PER_INCH;
        const int xres = ippGetResolution(attr, 0, &yres, &units);
        caps.dpiX = dotsPerInch(xres, units);
        caps.dpiY = dotsPerInch(yres, units);
    }
    if (caps.dpiX <= 0 || caps.dpiY <= 0)
        caps.dpiX = caps.dpiY = CupsPrinterBackend::kFallbackDpi;
}

void readDuplex(cups_dest_t *dest, cups_dinfo_t *info, PrinterCapabilities &caps)
{
    ipp_attribute_t *sides = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, CUPS_SIDES);
    for (int i = 0, n = sides ? ippGetCount(sides) : 0; i < n; ++i) {
        const char *value = ippGetString(sides, i, nullptr);
        if (!value)
            continue;
        if (std::strcmp(value, CUPS_SIDES_TWO_SIDED_PORTRAIT) == 0)
            caps.duplexLongEdge = true;
        else if (std::strcmp(value, CUPS_SIDES_TWO_SIDED_LANDSCAPE) == 0)
            caps.duplexShortEdge = true;
    }
}

void readBins(cups_dest_t *dest, cups_dinfo_t *info, PrinterCapabilities &caps)
{
    ipp_attribute_t *sources = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "media-source");
    QStringList keywords;
    QStringList names;
    for (int i = 0, n = sources ? ippGetCount(sources) : 0; i < n; ++i) {
        const char *keyword = ippGetString(sources, i, nullptr);
        if (!keyword || !*keyword)
            continue;
        const char *localized
            = cupsLocalizeDestValue(CUPS_HTTP_DEFAULT, dest, info, "media-source", keyword);
        keywords << QString::fromUtf8(keyword);
        names << (localized && *localized && std::strcmp(localized, keyword) != 0
                      ? QString::fromUtf8(localized)
                      : readableMediaSourceName(keywords.last()));
    }
    const QList<int> codes = binCodesForMediaSources(keywords);
    for (qsizetype i = 0; i < codes.size(); ++i)
        caps.bins.append({names[i], codes[i], keywords[i].toUtf8()});
}

void readPapers(cups_dest_t *dest, cups_dinfo_t *info, PrinterCapabilities &caps)
{
    const int count
        = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT);
    for (int i = 0; i < count; ++i) {
        cups_size_t size{};
        if (cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, CUPS_MEDIA_FLAGS_DEFAULT,
                                    &size)
            && size.width > 0 && size.length > 0)
            appendDriverPaper(caps.papers, paperFromSize(dest, info, size));
    }

    cups_size_t size{};
    PrinterPaper sheet;
    if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &size)
        && size.width > 0 && size.length > 0) {
        sheet = paperFromSize(dest, info, size);
    } else if (!caps.papers.isEmpty()) {
        sheet = caps.papers.first();
    } else {
        sheet.code = kDefaultPaper;
        lookUpPaperSize(kDefaultPaper, sheet.width, sheet.height);
    }
    caps.defaultPaper = sheet.code;
    caps.defaultWidth = sheet.width;
    caps.defaultHeight = sheet.height;
    caps.defaultLeft = sheet.left;
    caps.defaultTop = sheet.top;
    caps.defaultRight = sheet.right;
    caps.defaultBottom = sheet.bottom;
}

bool landscapeByDefault(cups_dest_t *dest, cups_dinfo_t *info)
{
    // A user's or queue's own option beats the printer's default.
    if (const char *option = cupsGetOption(CUPS_ORIENTATION, dest->num_options, dest->options))
        return std::atoi(option) == IPP_ORIENT_LANDSCAPE;
    ipp_attribute_t *attr = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, CUPS_ORIENTATION);
    return attr && ippGetValueTag(attr) == IPP_TAG_ENUM
        && ippGetInteger(attr, 0) == IPP_ORIENT_LANDSCAPE;
}

// The queue of "queue/instance"; jobs go to the queue with the instance's
// options.
QByteArray queueOf(const QString &printerName)
{
    return printerName.section(QLatin1Char('/'), 0, 0).toUtf8();
}

ipp_t *newJobRequest(const QString &printerName, const QString &title, const char *format)
{
    const QByteArray queue = queueOf(printerName);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", queue.constData());
    ipp_t *request = ippNewRequest(IPP_OP_PRINT_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    const QByteArray name = title.isEmpty() ? QByteArrayLiteral("Report") : title.toUtf8();
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, name.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, format);
    return request;
}

void addOverrides(ipp_t *request, const QList<PageOverride> &overrides)
{
    if (overrides.isEmpty())
        return;
    ipp_attribute_t *attr
        = ippAddCollections(request, IPP_TAG_JOB, "page-overrides", int(overrides.size()), nullptr);
    for (int i = 0; i < overrides.size(); ++i) {
        ipp_t *entry = ippNew();
        ippAddRange(entry, IPP_TAG_ZERO, "input-documents", 1, 1);
        ippAddRange(entry, IPP_TAG_ZERO, "pages", overrides[i].firstPage, overrides[i].lastPage);
        ippAddString(entry, IPP_TAG_ZERO, IPP_TAG_KEYWORD, "media-source", nullptr,
                     overrides[i].mediaSource.constData());
        ippSetCollection(request, &attr, i, entry);
        ippDelete(entry);
    }
}

// Sends the request with the file and tells what went wrong, if anything.
QString sendJob(const QString &printerName, ipp_t *request, const QString &file)
{
    const QByteArray resource = "/printers/" + queueOf(printerName);
    const QByteArray path = file.toLocal8Bit();
    ipp_t *response = cupsDoFileRequest(CUPS_HTTP_DEFAULT, request, resource.constData(),
                                        path.constData());   // frees the request
    ippDelete(response);
    if (cupsLastError() > IPP_STATUS_OK_CONFLICTING)
        return QStringLiteral("Printer '%1' did not take the job: %2")
            .arg(printerName, QString::fromUtf8(cupsLastErrorString()));
    return {};
}

}   // namespace

CupsPrinterBackend::CupsPrinterBackend() = default;

CupsPrinterBackend::~CupsPrinterBackend()
{
    freeDests();
}

void CupsPrinterBackend::freeDests()
{
    if (m_dests)
        cupsFreeDests(m_count, m_dests);
    m_dests = nullptr;
    m_count = 0;
}

void CupsPrinterBackend::enumerate()
{
    freeDests();
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    m_dests = dests;
    m_count = count > 0 ? count : 0;
    m_enumerated = true;
}

QStringList CupsPrinterBackend::printerNames()
{
    enumerate();
    QStringList names;
    for (int i = 0; i < m_count; ++i)
        names << destName(m_dests[i]);
    return names;
}

QString CupsPrinterBackend::defaultPrinterName()
{
    if (!m_enumerated)
        enumerate();
    for (int i = 0; i < m_count; ++i)
        if (m_dests[i].is_default)
            return destName(m_dests[i]);
    return {};
}

cups_dest_s *CupsPrinterBackend::findDest(const QString &printerName) const
{
    for (int i = 0; i < m_count; ++i)
        if (destName(m_dests[i]) == printerName)
            return &m_dests[i];
    return nullptr;
}

std::optional<PrinterCapabilities> CupsPrinterBackend::capabilities(const QString &printerName)
{
    if (!m_enumerated)
        enumerate();
    cups_dest_t *dest = findDest(printerName);
    if (!dest)
        return std::nullopt;
    cups_dinfo_t *info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    if (!info)
        return std::nullopt;

    PrinterCapabilities caps;
    readPapers(dest, info, caps);
    readBins(dest, info, caps);
    readDuplex(dest, info, caps);
    readResolution(dest, info, caps);
    caps.defaultLandscape = landscapeByDefault(dest, info);
    cupsFreeDestInfo(info);
    return caps;
}

QString CupsPrinterBackend::submitPdf(const QString &printerName, const QString &pdfFile,
                                     const PrintJobTicket &ticket)
{
    if (!m_enumerated)
        enumerate();
    ipp_t *request = newJobRequest(printerName, ticket.title, "application/pdf");
    // The instance's own options first, so that the job's override them.
    int count = 0;
    cups_option_t *options = nullptr;
    if (cups_dest_t *dest = findDest(printerName))
        for (int i = 0; i < dest->num_options; ++i)
            count = cupsAddOption(dest->options[i].name, dest->options[i].value, count, &options);
    const JobOptions job = jobOptionsFor(ticket);
    for (const JobOption &option : job.options)
        count = cupsAddOption(option.name.constData(), option.value.constData(), count, &options);
    cupsEncodeOptions2(request, count, options, IPP_TAG_OPERATION);
    cupsEncodeOptions2(request, count, options, IPP_TAG_JOB);
    cupsFreeOptions(count, options);
    addOverrides(request, job.overrides);
    return sendJob(printerName, request, pdfFile);
}

QString CupsPrinterBackend::submitRaw(const QString &printerName, const QString &title,
                                     const QByteArray &data)
{
    QTemporaryFile file;
    if (!file.open() || file.write(data) != data.size() || !file.flush())
        return QStringLiteral("Cannot write the job for printer '%1'").arg(printerName);
    return sendJob(printerName, newJobRequest(printerName, title, CUPS_FORMAT_RAW),
                   file.fileName());
}

}   // namespace pgx
