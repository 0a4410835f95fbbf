#include "platform/printing/JobOptions.h"

#include <gtest/gtest.h>

namespace pgx {
namespace {

QByteArray optionsText(const JobOptions &job)
{
    QByteArray text;
    for (const JobOption &option : job.options)
        text += option.name + '=' + option.value + ' ';
    for (const PageOverride &o : job.overrides)
        text += "pages " + QByteArray::number(o.firstPage) + '-' + QByteArray::number(o.lastPage)
            + ':' + o.mediaSource + ' ';
    return text.trimmed();
}

PrintSheet sheet(double w, double h, QByteArray source = {}, int duplex = 0, int copies = 1)
{
    return {w, h, std::move(source), duplex, copies};
}

TEST(JobOptions, FromTheTicket)
{
    struct Case
    {
        const char *name;
        PrintJobTicket ticket;
        const char *expected;
    };
    const Case cases[] = {
        {"no sheets", {}, ""},
        {"A4 two-sided, collated copies in the document",
         {QStringLiteral("t"), {sheet(210, 297, {}, 2), sheet(210, 297, {}, 2)}, true},
         "media=iso_a4_210x297mm sides=two-sided-long-edge copies=1 "
         "multiple-document-handling=separate-documents-collated-copies"},
        {"landscape Letter, the printer repeats each sheet",
         {QStringLiteral("t"), {sheet(279.4, 215.9, "tray-1", 1, 3)}, false},
         "media=na_letter_8.5x11in media-source=tray-1 sides=one-sided copies=3 "
         "multiple-document-handling=separate-documents-uncollated-copies"},
        {"a size without a name",
         {QStringLiteral("t"), {sheet(123, 77)}, false},
         "media=custom_77x123mm_77x123mm copies=1 "
         "multiple-document-handling=separate-documents-collated-copies"},
        {"first page from its tray, the rest from another",
         {QStringLiteral("t"),
          {sheet(210, 297, "tray-1"), sheet(210, 297, "tray-2"), sheet(210, 297, "tray-2"),
           sheet(210, 297, "tray-1"), sheet(210, 297)},
          false},
         "media=iso_a4_210x297mm media-source=tray-1 copies=1 "
         "multiple-document-handling=separate-documents-collated-copies "
         "pages 2-3:tray-2 pages 5-5:auto"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(optionsText(jobOptionsFor(c.ticket)).toStdString(), c.expected) << c.name;
}

}   // namespace
}   // namespace pgx
