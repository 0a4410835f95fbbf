#include "objects/barcode/FullAscii.h"

#include "objects/barcode/BarcodeErrors.h"

namespace pgx::barcode {

QString fullAsciiSequence(int code, FullAsciiShifts shifts)
{
    const bool c93 = shifts == FullAsciiShifts::Code93;
    const QChar dollar = c93 ? u'[' : u'$';
    const QChar percent = c93 ? u']' : u'%';
    const QChar slash = c93 ? u'{' : u'/';
    const QChar plus = c93 ? u'}' : u'+';
    const auto pair = [](QChar shift, int letter) {
        return QString(shift) + QChar(char16_t(letter));
    };
    if (code == 0)
        return pair(percent, 'U');
    if (code <= 26)
        return pair(dollar, 'A' + code - 1);
    if (code <= 31)
        return pair(percent, 'A' + code - 27);
    if (code == 32 || code == 45 || code == 46 || (code >= 48 && code <= 57)
        || (code >= 65 && code <= 90))
        return QString(QChar(char16_t(code)));
    if (code <= 44)
        return pair(slash, 'A' + code - 33);
    if (code == 47)
        return pair(slash, 'O');
    if (code == 58)
        return pair(slash, 'Z');
    if (code <= 63)
        return pair(percent, 'F' + code - 59);
    if (code == 64)
        return pair(percent, 'V');
    if (code <= 95)
        return pair(percent, 'K' + code - 91);
    if (code == 96)
        return pair(percent, 'W');
    if (code <= 122)
        return pair(plus, 'A' + code - 97);
    return pair(percent, 'P' + code - 123);
}

QString fullAscii(const QString &text, FullAsciiShifts shifts, const QString &symbology)
{
    QString out;
    for (QChar c : text) {
        if (c.unicode() > 127)
            throw badData(symbology, text);
        out += fullAsciiSequence(c.unicode(), shifts);
    }
    return out;
}

}   // namespace pgx::barcode
