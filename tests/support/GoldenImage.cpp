#include "support/GoldenImage.h"

#include "support/GoldenFile.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

#include <cstdlib>

namespace pgx::test {

qsizetype differingPixelCount(const QImage &a, const QImage &b, int channel)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    qsizetype count = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            if (std::abs(qRed(p[col]) - qRed(q[col])) > channel
                || std::abs(qGreen(p[col]) - qGreen(q[col])) > channel
                || std::abs(qBlue(p[col]) - qBlue(q[col])) > channel
                || std::abs(qAlpha(p[col]) - qAlpha(q[col])) > channel)
                ++count;
        }
    }
    return count;
}

::testing::AssertionResult matchesGoldenImage(const QImage &actual, const QString &path,
                                              ImageTolerance tolerance)
{
    if (goldenUpdateRequested() && !actual.save(path, "PNG"))
        return ::testing::AssertionFailure()
            << "cannot rewrite the golden image " << path.toStdString();
    const QImage expected(path);
    if (expected.isNull())
        return ::testing::AssertionFailure() << "no golden image " << path.toStdString()
                                             << " (PGX_UPDATE_GOLDEN=1 writes it from the output)";
    const QString look
        = QDir::temp().filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".actual.png"));
    if (expected.size() != actual.size()) {
        actual.save(look, "PNG");
        return ::testing::AssertionFailure()
            << "the rendering is " << actual.width() << "x" << actual.height()
            << ", the golden image " << path.toStdString() << " " << expected.width() << "x"
            << expected.height() << "; the rendering is in " << look.toStdString();
    }
    const qsizetype differing = differingPixelCount(actual, expected, tolerance.channel);
    const qsizetype allowed
        = qsizetype(tolerance.pixelShare * double(actual.width()) * double(actual.height()));
    if (differing <= allowed)
        return ::testing::AssertionSuccess();
    actual.save(look, "PNG");
    return ::testing::AssertionFailure()
        << differing << " pixels differ from the golden image " << path.toStdString() << " ("
        << allowed << " may; PGX_UPDATE_GOLDEN=1 rewrites it); the rendering is in "
        << look.toStdString();
}

}   // namespace pgx::test
