#pragma once

#include "report/root/ReportOptions.h"

#include <QtGui/QIcon>
#include <QtGui/QPixmap>

namespace pgx::preview {

// The small pictures of the print dialog, drawn rather than shipped.

// Sheets numbered 1 to 3 in two stacks as collated copies come out of the
// printer (1 2 3, 1 2 3), or in three stacks of the same page (1 1, 2 2,
// 3 3) when the printer repeats each page.
QPixmap collatePicture(bool collated);
inline constexpr QSize kCollatePictureSize(112, 40);

// 64 x 32: the pages on the left, an arrow, the sheets they print on.
QPixmap printModePicture(TpgxPrintOptions::TpgxPrintMode mode);
inline constexpr QSize kPrintModePictureSize(64, 32);

// The picture before each printer's name.
QIcon printerIcon();

}   // namespace pgx::preview
