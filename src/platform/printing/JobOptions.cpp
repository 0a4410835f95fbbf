#include "platform/printing/JobOptions.h"

#include <cups/cups.h>

#include <algorithm>
#include <cmath>

namespace pgx {

QByteArray pwgMediaName(double widthMm, double heightMm)
{
    // Media names are portrait; the page's own orientation is in the document.
    const double shortSide = std::min(widthMm, heightMm);
    const double longSide = std::max(widthMm, heightMm);
    const int width = int(std::lround(shortSide * 100));
    const int length = int(std::lround(longSide * 100));
    if (width <= 0 || length <= 0)
        return {};
    // A size without a name comes back as a self-describing custom one.
    pwg_media_t *media = pwgMediaForSize(width, length);
    return media && media->pwg ? QByteArray(media->pwg) : QByteArray();
}

namespace {

const char *sidesKeyword(int duplex)
{
    switch (duplex) {
    case 1: return CUPS_SIDES_ONE_SIDED;
    case 2: return CUPS_SIDES_TWO_SIDED_PORTRAIT;
    case 3: return CUPS_SIDES_TWO_SIDED_LANDSCAPE;
    default: return nullptr;
    }
}

}   // namespace

JobOptions jobOptionsFor(const PrintJobTicket &ticket)
{
    JobOptions result;
    if (ticket.sheets.isEmpty())
        return result;
    const PrintSheet &first = ticket.sheets.first();
    const QByteArray media = pwgMediaName(first.width, first.height);
    if (!media.isEmpty())
        result.options.append({"media", media});
    if (!first.mediaSource.isEmpty())
        result.options.append({"media-source", first.mediaSource});
    if (const char *sides = sidesKeyword(first.duplex))
        result.options.append(JobOption{"sides", sides});
    const int copies = std::max(1, first.copies);
    result.options.append({"copies", QByteArray::number(copies)});
    const bool printerCollates = ticket.collated || copies == 1;
    result.options.append(JobOption{"multiple-document-handling",
                                    printerCollates ? "separate-documents-collated-copies"
                                                    : "separate-documents-uncollated-copies"});

    for (int i = 1; i < ticket.sheets.size(); ++i) {
        QByteArray source = ticket.sheets[i].mediaSource;
        if (source == first.mediaSource)
            continue;
        if (source.isEmpty())
            source = "auto";
        // Sheet i is page i + 1; runs of sheets from one source share an entry.
        if (!result.overrides.isEmpty() && result.overrides.last().lastPage == i
            && result.overrides.last().mediaSource == source)
            result.overrides.last().lastPage = i + 1;
        else
            result.overrides.append({i + 1, i + 1, source});
    }
    return result;
}

}   // namespace pgx
