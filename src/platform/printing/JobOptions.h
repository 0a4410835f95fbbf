#pragma once

#include "platform/printing/PrintJobTicket.h"

#include <QtCore/QByteArray>
#include <QtCore/QList>

namespace pgx {

struct JobOption
{
    QByteArray name;
    QByteArray value;
    bool operator==(const JobOption &) const = default;
};

// Sheets (1-based, inclusive) that take another paper source than the job.
struct PageOverride
{
    int firstPage = 0;
    int lastPage = 0;
    QByteArray mediaSource;
    bool operator==(const PageOverride &) const = default;
};

// The job attributes of a ticket, as IPP names them: "media" (the first
// sheet's size as a PWG media name), "media-source", "sides", "copies" and
// "multiple-document-handling"; sheets whose source differs from the first
// become page overrides, so that a first page from the letterhead tray and
// the rest from plain paper stay one job.
struct JobOptions
{
    QList<JobOption> options;
    QList<PageOverride> overrides;
};

JobOptions jobOptionsFor(const PrintJobTicket &ticket);

// The PWG self-describing name of a sheet ("iso_a4_210x297mm",
// "na_letter_8.5x11in", "custom_77x123mm_77x123mm" for a size without a name).
QByteArray pwgMediaName(double widthMm, double heightMm);

}   // namespace pgx
