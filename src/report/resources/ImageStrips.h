#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QString>
#include <QtGui/QImage>

#include <optional>

namespace pgx {

// The program's image strips, compiled in from resources/*.pgxs and
// inflated with zlib on first use (then kept for the process):
// "DesgnButtons", "ObjectButtons", "PreviewButtons" (16 x 16 icons) and
// "WizardButtons" (32 x 32). An unknown name gives a null image.
QImage imageStrip(const QString &name);
// One icon of a strip; null when the index is outside it.
QImage stripIcon(const QString &name, int index);

// Unpacks a strip resource: "PGXS", the 32-bit little-endian size of the
// image, then its zlib stream. Null (with `error` set) for data that is
// damaged, of another size or larger than 16 MiB.
std::optional<QByteArray> inflateStrip(QByteArrayView packed, QString *error = nullptr);

}   // namespace pgx
