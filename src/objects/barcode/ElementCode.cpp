#include "objects/barcode/ElementCode.h"

#include "objects/barcode/BarcodeErrors.h"
#include "report/views/DeviceBox.h"

namespace pgx::barcode {

ElementWidths ElementWidths::from(int module, double ratio)
{
    ElementWidths e;
    const int w2 = pgx::views::roundPixel(module * ratio);
    e.w = {module, w2, w2 * 3 / 2, w2 * 2};
    return e;
}

Element elementOf(QChar code, const ElementWidths &widths)
{
    const char16_t c = code.unicode();
    if (c >= u'0' && c <= u'3')
        return {ElementKind::Space, widths.w[size_t(c - u'0')]};
    if (c >= u'5' && c <= u'8')
        return {ElementKind::Bar, widths.w[size_t(c - u'5')]};
    if (c >= u'A' && c <= u'D')
        return {ElementKind::ShortBar, widths.w[size_t(c - u'A')]};
    throw internalError();
}

int totalWidth(const QString &elements, const ElementWidths &widths)
{
    int sum = 0;
    for (QChar c : elements)
        sum += elementOf(c, widths).width;
    return sum;
}

QString fromModuleWidths(std::string_view widths)
{
    QString out;
    out.reserve(qsizetype(widths.size()));
    for (size_t i = 0; i < widths.size(); ++i) {
        const int modules = widths[i] - '0';
        out += QChar(i % 2 == 0 ? '5' + modules - 1 : '0' + modules - 1);
    }
    return out;
}

QString fromNarrowWide(std::string_view pattern)
{
    QString out;
    out.reserve(qsizetype(pattern.size()));
    for (size_t i = 0; i < pattern.size(); ++i) {
        const bool wide = pattern[i] == 'W';
        out += QChar(i % 2 == 0 ? (wide ? '6' : '5') : (wide ? '1' : '0'));
    }
    return out;
}

}   // namespace pgx::barcode
