#include "objects/barcode/LinearEncoder.h"

#include "objects/barcode/BarcodeErrors.h"
#include "objects/barcode/CheckDigits.h"
#include "objects/barcode/FullAscii.h"
#include "objects/barcode/SymbolTables.h"

#include <vector>

namespace pgx::barcode {

namespace {

using T = TpgxBarcodeTypes;

int digit(QChar c)
{
    return c.unicode() - u'0';
}

QString padded(const QString &text, qsizetype n)
{
    return text.size() >= n ? text : QString(n - text.size(), u'0') + text;
}

// The text with its modulo-10 check digit (unchanged with csmNone).
QString withModulo10(const QString &digits, const LinearOptions &o)
{
    if (!o.modulo10)
        return digits;
    for (QChar c : digits)
        if (!c.isDigit() || c.unicode() > 127)
            throw notNumeric();
    return digits + QChar(u'0' + modulo10(digits));
}

// --- 2 of 5 ------------------------------------------------------------------

QString interleaved(QString &text)
{
    // An odd count gets a leading zero: dropping the last digit would print
    // a different number.
    if (text.size() % 2 != 0)
        text.prepend(u'0');
    QString out = QStringLiteral("5050");
    for (qsizetype i = 0; i < text.size(); i += 2) {
        const std::string_view bars = kTwoOfFive[size_t(digit(text[i]))];
        const std::string_view spaces = kTwoOfFive[size_t(digit(text[i + 1]))];
        for (size_t k = 0; k < 5; ++k) {
            out += QChar(bars[k] == 'W' ? '6' : '5');
            out += QChar(spaces[k] == 'W' ? '1' : '0');
        }
    }
    return out + QStringLiteral("605");
}

QString industrial(const QString &text)
{
    QString out = QStringLiteral("606050");
    for (QChar c : text)
        for (char e : kTwoOfFive[size_t(digit(c))])
            out += e == 'W' ? QStringLiteral("60") : QStringLiteral("50");
    return out + QStringLiteral("605060");
}

QString matrix(const QString &text)
{
    QString out = QStringLiteral("705050");
    for (QChar c : text) {
        const std::string_view p = kTwoOfFive[size_t(digit(c))];
        for (size_t k = 0; k < 5; ++k)
            out += QChar(k % 2 == 0 ? (p[k] == 'W' ? '6' : '5') : (p[k] == 'W' ? '1' : '0'));
        out += u'0';
    }
    return out + QStringLiteral("70505");
}

// --- Code 39 -----------------------------------------------------------------

const Code39Row *code39Row(QChar c)
{
    for (const Code39Row &r : kCode39)
        if (QChar(r.character) == c)
            return &r;
    return nullptr;
}

QString code39(const QString &text, const LinearOptions &o, const QString &shown,
               const QString &name)
{
    const Code39Row *star = code39Row(u'*');
    QString out = fromNarrowWide(star->pattern) + u'0';
    std::vector<int> values;
    for (QChar c : text) {
        const Code39Row *r = code39Row(c);
        // "*" would end the symbol early; lower case has no pattern.
        if (!r || r->value < 0)
            throw badData(name, shown);
        values.push_back(r->value);
        out += fromNarrowWide(r->pattern) + u'0';
    }
    if (o.checksum) {
        const int check = code39Check(values);
        for (const Code39Row &r : kCode39)
            if (r.value == check)
                out += fromNarrowWide(r.pattern) + u'0';
    }
    return out + fromNarrowWide(star->pattern);
}

// --- Code 93 -----------------------------------------------------------------

QString code93(const QString &text, const QString &shown, const QString &name)
{
    QString out = fromModuleWidths(kCode93Start);
    std::vector<int> values;
    for (QChar c : text) {
        int value = -1;
        for (size_t v = 0; v < kCode93.size(); ++v)
            if (QChar(kCode93[v].character) == c)
                value = int(v);
        if (value < 0)
            throw badData(name, shown);
        values.push_back(value);
        out += fromModuleWidths(kCode93[size_t(value)].widths);
    }
    const auto [c, k] = code93Checks(values);
    out += fromModuleWidths(kCode93[size_t(c)].widths);
    out += fromModuleWidths(kCode93[size_t(k)].widths);
    return out + fromModuleWidths(kCode93Stop);
}

// --- Code 128 and EAN-128 ------------------------------------------------------

QString code128(QString &text, TpgxBarcodeType type, const LinearOptions &o)
{
    const bool ean = type == T::bcCodeEAN128A || type == T::bcCodeEAN128B
        || type == T::bcCodeEAN128C;
    const int set = (type == T::bcCode128A || type == T::bcCodeEAN128A)   ? 0
        : (type == T::bcCode128B || type == T::bcCodeEAN128B)              ? 1
                                                                           : 2;
    const QString name = symbologyName(type);
    if (ean && o.checksum)
        text = withModulo10(text, o);
    const QString shown = text;

    std::vector<int> values;
    if (ean)
        values.push_back(kCode128Fnc1);
    if (set == 2) {
        if (text.size() % 2 != 0)
            text.prepend(u'0');
        for (qsizetype i = 0; i < text.size(); i += 2) {
            const QChar a = text[i];
            const QChar b = text[i + 1];
            if (a < u'0' || a > u'9' || b < u'0' || b > u'9')
                throw badData(name, shown);
            values.push_back(digit(a) * 10 + digit(b));
        }
    } else {
        const char16_t last = set == 0 ? u'_' : u'~';
        for (QChar c : text) {
            if (c.unicode() < u' ' || c.unicode() > last)
                throw badData(name, shown);
            values.push_back(c.unicode() - u' ');
        }
    }
    const int start = 103 + set;
    const std::string_view startWidths
        = set == 0 ? kCode128StartA : (set == 1 ? kCode128StartB : kCode128StartC);
    QString out = fromModuleWidths(startWidths);
    for (int v : values)
        out += fromModuleWidths(kCode128[size_t(v)]);
    out += fromModuleWidths(kCode128[size_t(code128Check(start, values))]);
    return out + fromModuleWidths(kCode128Stop);
}

// --- MSI, PostNet, Codabar -------------------------------------------------------

QString msiDigit(int d)
{
    QString out;
    for (int bit = 3; bit >= 0; --bit)
        out += (d >> bit) & 1 ? QStringLiteral("60") : QStringLiteral("51");
    return out;
}

QString msi(const QString &text)
{
    QString out = QStringLiteral("60");
    for (QChar c : text)
        out += msiDigit(digit(c));
    out += msiDigit(msiCheck(text));
    return out + QStringLiteral("515");
}

QString postNet(const QString &text)
{
    QString out = QStringLiteral("51");
    for (QChar c : text)
        for (char bar : kPostNet[size_t(digit(c))])
            out += bar == '1' ? QStringLiteral("51") : QStringLiteral("A1");
    return out + u'5';
}

QString codabarPattern(qsizetype index)
{
    QString out;
    const std::string_view p = kCodabar[size_t(index)];
    for (size_t k = 0; k < p.size(); ++k)
        out += QChar(k % 2 == 0 ? (p[k] == '1' ? '6' : '5') : (p[k] == '1' ? '1' : '0'));
    return out;
}

QString codabar(const QString &text, const QString &name)
{
    const auto indexOf = [](QChar c) {
        return c.unicode() < 128 ? qsizetype(kCodabarCharacters.find(char(c.unicode())))
                                 : qsizetype(-1);
    };
    QString out = codabarPattern(indexOf(u'A')) + u'0';
    for (QChar c : text) {
        const qsizetype i = indexOf(c);
        // A-D are start and stop characters: inside the data they would end
        // the symbol for a reader.
        if (i < 0 || i >= 16)
            throw badData(name, text);
        out += codabarPattern(i) + u'0';
    }
    return out + codabarPattern(indexOf(u'B'));
}

// --- EAN/UPC -----------------------------------------------------------------------

enum class EanSet { A, B, C };

QString eanDigit(int d, EanSet set)
{
    const std::string_view w = kEanWidths[size_t(d)];
    QString out;
    for (size_t k = 0; k < 4; ++k) {
        // A: space, bar, space, bar; C: bar, space, bar, space; B: C reversed.
        const size_t from = set == EanSet::B ? 3 - k : k;
        const bool bar = set == EanSet::A ? k % 2 == 1 : (set == EanSet::C ? k % 2 == 0 : k % 2 == 1);
        const int modules = w[from] - '0';
        out += QChar(bar ? '5' + modules - 1 : '0' + modules - 1);
    }
    return out;
}

QString ean8(QString &text, const LinearOptions &o)
{
    if (o.checksum && text.size() != 8) {
        text = padded(text, 7);
        if (text.size() != 7)
            throw invalidLength(QStringLiteral("EAN8"));
        text = withModulo10(text, o);
    } else {
        text = padded(text, 8);
    }
    if (text.size() != 8)
        throw invalidLength(QStringLiteral("EAN8"));
    QString out = QStringLiteral("505");
    for (int i = 0; i < 4; ++i)
        out += eanDigit(digit(text[i]), EanSet::A);
    out += QStringLiteral("05050");
    for (int i = 4; i < 8; ++i)
        out += eanDigit(digit(text[i]), EanSet::C);
    return out + QStringLiteral("505");
}

QString ean13Symbol(const QString &data)
{
    const std::string_view parity = kEan13Parity[size_t(digit(data[0]))];
    QString out = QStringLiteral("505");
    for (int i = 1; i < 7; ++i)
        out += eanDigit(digit(data[i]), parity[size_t(i - 1)] == 'A' ? EanSet::A : EanSet::B);
    out += QStringLiteral("05050");
    for (int i = 7; i < 13; ++i)
        out += eanDigit(digit(data[i]), EanSet::C);
    return out + QStringLiteral("505");
}

QString ean13(QString &text, const LinearOptions &o)
{
    if (text.size() != 13) {
        text = padded(text, 13);
        if (o.checksum)
            text = withModulo10(text.mid(1), o);
    }
    if (text.size() != 13)
        throw invalidLength(QStringLiteral("EAN13"));
    return ean13Symbol(text);
}

QString upcA(QString &text, const LinearOptions &o)
{
    // With the check digit the data is the first eleven digits; padding to
    // twelve first would push the last of eleven given digits out.
    if (o.checksum) {
        if (text.size() == 12)
            text.chop(1);
        text = padded(text, 11);
        if (text.size() != 11)
            throw invalidLength(QStringLiteral("UPC_A"));
        text = withModulo10(text, o);
    } else {
        text = padded(text, 12);
    }
    if (text.size() != 12)
        throw invalidLength(QStringLiteral("UPC_A"));
    return ean13Symbol(u'0' + text);
}

// The UPC-A number a UPC-E symbol stands for (number system, six digits),
// without its check digit: the check digit of a UPC-E symbol is that of
// this number.
QString upcEExpansion(QChar system, const QString &d)
{
    const QString m = d.left(5);
    const QChar last = d[5];
    QString body;
    if (last <= u'2')
        body = d.left(2) + last + QStringLiteral("0000") + d.mid(2, 3);
    else if (last == u'3')
        body = d.left(3) + QStringLiteral("00000") + d.mid(3, 2);
    else if (last == u'4')
        body = d.left(4) + QStringLiteral("00000") + d[4];
    else
        body = m + QStringLiteral("0000") + last;
    return system + body;
}

QString upcE(QString &text, TpgxBarcodeType type)
{
    // Six data digits, and optionally the check digit as a seventh; a text
    // of up to six digits is the data itself, not data with a check digit.
    if (text.size() > 7)
        throw invalidLength(QStringLiteral("UPC_E"));
    const bool system1 = type == T::bcCodeUPC_E1;
    const QString data = padded(text.left(6), 6);
    const int check = modulo10(upcEExpansion(system1 ? u'1' : u'0', data));
    // The symbol carries the check digit in its parity whether or not it
    // is asked for, so the text shows the one it carries.
    text = data + QChar(u'0' + check);
    const std::string_view parity = kUpcEParity[size_t(check)];
    QString out = QStringLiteral("505");
    for (int i = 0; i < 6; ++i) {
        const bool even = (parity[size_t(i)] == 'E') != system1;
        out += eanDigit(digit(data[i]), even ? EanSet::B : EanSet::A);
    }
    return out + QStringLiteral("050505");
}

QString supplement(QString &text, int length, const LinearOptions &o)
{
    text = padded(text, length);
    const QString name = length == 5 ? QStringLiteral("UPC Supp5") : QStringLiteral("UPC Supp2");
    if (text.size() != length)
        throw invalidLength(name);
    const int check = supplementCheck(text);
    std::string_view parity;
    if (length == 5) {
        parity = kUpcEParity[size_t(check)].substr(1);
    } else {
        static constexpr std::array<std::string_view, 4> kTwo = {"oo", "oE", "Eo", "EE"};
        parity = kTwo[size_t((digit(text[0]) * 10 + digit(text[1])) % 4)];
    }
    QString out = QStringLiteral("506");
    for (int i = 0; i < length; ++i) {
        if (i > 0)
            out += QStringLiteral("05");
        out += eanDigit(digit(text[i]), parity[size_t(i)] == 'E' ? EanSet::B : EanSet::A);
    }
    if (o.checksum)
        text += QChar(u'0' + check);
    return out;
}

}   // namespace

double limitedRatio(TpgxBarcodeType type, double ratio)
{
    switch (type) {
    case T::bcCode_2_5_matrix:
        return qBound(2.25, ratio, 3.0);
    case T::bcCodeMSI:
    case T::bcCodePostNet:
        return ratio;
    case T::bcCode128A:
    case T::bcCode128B:
    case T::bcCode128C:
    case T::bcCode93:
    case T::bcCode93Extended:
    case T::bcCodeEAN128A:
    case T::bcCodeEAN128B:
    case T::bcCodeEAN128C:
    case T::bcCodeEAN8:
    case T::bcCodeEAN13:
    case T::bcCodeUPC_A:
    case T::bcCodeUPC_E0:
    case T::bcCodeUPC_E1:
    case T::bcCodeUPC_Supp2:
    case T::bcCodeUPC_Supp5:
        return 2;
    default:
        return qBound(2.0, ratio, 3.0);
    }
}

LinearSymbol encodeLinear(TpgxBarcodeType type, const QString &text, const LinearOptions &o)
{
    if (int(type) < 0 || int(type) >= kLinearTypeCount)
        throw wrongType();
    LinearSymbol s;
    s.widths = ElementWidths::from(qMax(1, o.module), limitedRatio(type, o.ratio));
    s.text = text;
    if (isDigitsOnly(type)) {
        s.text = s.text.trimmed();
        for (QChar c : s.text)
            if (c < u'0' || c > u'9')
                throw notNumeric();
    }
    const QString name = symbologyName(type);
    switch (type) {
    case T::bcCode_2_5_interleaved:
        s.elements = interleaved(s.text);
        break;
    case T::bcCode_2_5_industrial:
        s.elements = industrial(s.text);
        break;
    case T::bcCode_2_5_matrix:
        s.elements = matrix(s.text);
        break;
    case T::bcCode39:
        s.elements = code39(s.text, o, s.text, name);
        break;
    case T::bcCode39Extended:
        s.elements = code39(fullAscii(s.text, FullAsciiShifts::Code39, name), o, s.text, name);
        break;
    case T::bcCode93:
        s.elements = code93(s.text, s.text, name);
        break;
    case T::bcCode93Extended:
        s.elements = code93(fullAscii(s.text, FullAsciiShifts::Code93, name), s.text, name);
        break;
    case T::bcCode128A:
    case T::bcCode128B:
    case T::bcCode128C:
    case T::bcCodeEAN128A:
    case T::bcCodeEAN128B:
    case T::bcCodeEAN128C:
        s.elements = code128(s.text, type, o);
        break;
    case T::bcCodeMSI:
        s.elements = msi(s.text);
        break;
    case T::bcCodePostNet:
        s.elements = postNet(s.text);
        break;
    case T::bcCodeCodabar:
        s.elements = codabar(s.text, name);
        break;
    case T::bcCodeEAN8:
        s.elements = ean8(s.text, o);
        break;
    case T::bcCodeEAN13:
        s.elements = ean13(s.text, o);
        break;
    case T::bcCodeUPC_A:
        s.elements = upcA(s.text, o);
        break;
    case T::bcCodeUPC_E0:
    case T::bcCodeUPC_E1:
        s.elements = upcE(s.text, type);
        break;
    case T::bcCodeUPC_Supp2:
        s.elements = supplement(s.text, 2, o);
        break;
    case T::bcCodeUPC_Supp5:
        s.elements = supplement(s.text, 5, o);
        break;
    default:
        throw wrongType();
    }
    s.width = totalWidth(s.elements, s.widths);
    return s;
}

}   // namespace pgx::barcode
