#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <optional>

namespace pgx::preview {

// The zoom combo: "25%" ... "200%", then the resource texts zmPageWidth
// ("Page width") and zmWholePage ("Whole page").
QStringList zoomChoices();
// What a user typed or chose: "150 %", "150", "1,5" -> 1.5 ("%" and
// blanks ignored, "," or "." as the decimal separator; numbers below 10 are
// factors, from 10 on percentages), held within kMinZoom..kMaxZoom.
// Nothing for text that is no plain number (no exponents, no second
// separator) or not positive.
std::optional<double> parseZoomText(const QString &text);
// The zoom as the combo shows it: a whole percentage (rounded half to
// even) and "%"; a zoom outside kMinZoom..kMaxZoom shows as held there.
QString zoomText(double zoom);

}   // namespace pgx::preview
