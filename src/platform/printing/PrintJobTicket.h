#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>

namespace pgx {

// How one sheet of a job is to come out of the printer.
struct PrintSheet
{
    // Millimetres, as the sheet lies: a landscape sheet is wider than high.
    double width = 0;
    double height = 0;
    // The printing system's name of the paper source; empty leaves the
    // printer's own choice.
    QByteArray mediaSource;
    // 0 leaves the printer's own setting; else 1 one-sided, 2 two-sided on
    // the long edge, 3 on the short edge.
    int duplex = 0;
    // How often the printer repeats the sheet itself.
    int copies = 1;
};

// What a job hands to the printing system besides its document.
struct PrintJobTicket
{
    QString title;
    QList<PrintSheet> sheets;   // in document order
    // The document already holds every copy one after the other.
    bool collated = false;
};

}   // namespace pgx
