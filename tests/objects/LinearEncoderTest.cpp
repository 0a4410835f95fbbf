// The linear encoder: texts as encoded and shown, widths in modules, the
// module widths of whole symbols worked out by hand from the standards,
// the ratio limits and the messages for texts a symbology cannot encode.
#include "objects/barcode/CheckDigits.h"
#include "objects/barcode/LinearEncoder.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

using namespace pgx::barcode;
using T = TpgxBarcodeTypes;

namespace {

// Element codes back to module widths ("5" and "0" are 1 ...), so that an
// expectation reads like the standards' tables; short bars as "s<n>".
QString widthsOf(const QString &elements)
{
    QString out;
    for (QChar c : elements) {
        const char16_t u = c.unicode();
        if (u >= u'A' && u <= u'D')
            out += QStringLiteral("s") + QChar(u'1' + (u - u'A'));
        else
            out += QChar(u >= u'5' ? u'1' + (u - u'5') : u'1' + (u - u'0'));
    }
    return out;
}

LinearSymbol encode(TpgxBarcodeType type, const char *text, bool checksum = false,
                    double ratio = 2)
{
    LinearOptions o;
    o.checksum = checksum;
    o.ratio = ratio;
    return encodeLinear(type, QString::fromUtf8(text), o);
}

struct TextCase
{
    TpgxBarcodeType type;
    const char *text;
    bool checksum;
    const char *shown;   // the text as encoded
    int width;           // modules at ratio 2
};

TEST(LinearEncoder, textsAndWidths)
{
    const TextCase cases[] = {
        // Check digits of the standards' own examples.
        {T::bcCodeEAN13, "590123412345", true, "5901234123457", 95},
        {T::bcCodeEAN13, "123", false, "0000000000123", 95},
        {T::bcCodeEAN13, "4006381333931", true, "4006381333931", 95},   // 13 digits: as given
        {T::bcCodeEAN13, " 4006381333931 ", false, "4006381333931", 95},
        {T::bcCodeEAN8, "1234567", true, "12345670", 67},
        {T::bcCodeEAN8, "9638507", true, "96385074", 67},
        {T::bcCodeEAN8, "96385074", true, "96385074", 67},   // eight digits: not shifted
        {T::bcCodeEAN8, "5", false, "00000005", 67},
        {T::bcCodeUPC_A, "03600029145", true, "036000291452", 95},
        {T::bcCodeUPC_A, "036000291450", true, "036000291452", 95},   // 12th replaced
        {T::bcCodeUPC_A, "36000291452", false, "036000291452", 95},
        // UPC-E: the check digit of the UPC-A expansion (04210000526 -> 4).
        {T::bcCodeUPC_E0, "425261", false, "4252614", 51},
        {T::bcCodeUPC_E0, "4252610", true, "4252614", 51},
        {T::bcCodeUPC_E0, "123456", true, "1234565", 51},   // 01234500006 -> 5
        {T::bcCodeUPC_E1, "425261", false, "4252611", 51},  // 14210000526 -> 1
        {T::bcCodeUPC_Supp5, "52495", false, "52495", 47},
        {T::bcCodeUPC_Supp5, "52495", true, "524951", 47},  // 5x3+2x9+4x3+9x9+5x3 = 141
        {T::bcCodeUPC_Supp2, "7", true, "071", 20},         // 0x9+7x3 = 21
        // An odd count gets a leading zero instead of losing a digit.
        {T::bcCode_2_5_interleaved, "12345", false, "012345", 4 + 3 * 14 + 4},
        {T::bcCode_2_5_interleaved, "12", false, "12", 22},
        {T::bcCode_2_5_industrial, "1", false, "1", 28},
        {T::bcCode_2_5_matrix, "1", false, "1", 23},   // ratio at least 2.25
        {T::bcCode39, "A", false, "A", 38},
        {T::bcCode39, "CODE39", true, "CODE39", 9 * 13 - 1},   // start, 6, check, stop
        {T::bcCode39Extended, "a", false, "a", 51},   // "+A"
        {T::bcCode93, "A", false, "A", 46},
        {T::bcCode93Extended, "a", false, "a", 55},   // "(+)A"
        {T::bcCode128B, "A", false, "A", 46},
        {T::bcCode128C, "12345", false, "012345", 68},
        {T::bcCodeEAN128B, "A", false, "A", 57},
        {T::bcCodeEAN128C, "0123456789012", true, "01234567890128", 11 * 10 + 13},
        {T::bcCodeMSI, "1", false, "1", 31},
        {T::bcCodePostNet, "1", false, "1", 19},
        {T::bcCodeCodabar, "1", false, "1", 31},
        {T::bcCodeCodabar, "", false, "", 21},
    };
    for (const TextCase &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " as " + symbologyName(c.type).toStdString());
        const LinearSymbol s = encode(c.type, c.text, c.checksum);
        EXPECT_EQ(s.text, QString::fromLatin1(c.shown));
        EXPECT_EQ(s.width, c.width);
        EXPECT_EQ(s.width, totalWidth(s.elements, s.widths));
    }
}

struct PatternCase
{
    TpgxBarcodeType type;
    const char *text;
    bool checksum;
    const char *widths;   // module widths of the whole symbol
};

TEST(LinearEncoder, wholeSymbolsInModuleWidths)
{
    const PatternCase cases[] = {
        // Code 128 C "12345" pairs as 01 23 45: start C (105) 211232, 01
        // 222122, 23 312131, 45 113123, check (105 + 1 + 2x23 + 3x45) mod 103
        // = 81 121142, stop 2331112.
        {T::bcCode128C, "12345", false, "211232222122312131113123121142" "2331112"},
        // EAN-128 C "10": start C, FNC1 (102) 411131, 10 221312, check (105 +
        // 102 + 2x10) mod 103 = 21 213212, stop.
        {T::bcCodeEAN128C, "10", false, "211232411131221312213212" "2331112"},
        // Code 39 "CODE39" + check W (12+24+13+14+3+9 = 75, 75 mod 43 = 32):
        // ..., then W = WWWNNNNNN as 2 2 2 1 1 1 1 1 1, gap, stop "*".
        {T::bcCode39, "W", true,
         "121121211" "1" "222111111" "1" "222111111" "1" "121121211"},
        // Code 93 "A": start 111141, A 211113, C = 10 (211113), K = 2x10 +
        // 10 = 30 mod 47 = 30 (U 221121), stop 1111411.
        {T::bcCode93, "A", false, "111141211113211113221121" "1111411"},
        // Interleaved 2 of 5 "12": start NNNN; 1 = WNNNW on the bars, 2 =
        // NWNNW on the spaces; stop WNN.
        {T::bcCode_2_5_interleaved, "12", false, "1111" "2112111122" "211"},
        // EAN-8 "12345670": guard 111, 1-4 from set A (2221 2122 1411
        // 1132), centre 11111, 5-8 from set C (1231 1114 1312 3211), guard.
        {T::bcCodeEAN8, "12345670", false,
         "111" "2221212214111132" "11111" "1231111413123211" "111"},
        // UPC-E0 "425261" check 4: parity EoEEoo (B A B B A A): 4 B 1231,
        // 2 A 2122, 5 B 2311... set B is set C reversed: 4 = 1132 reversed
        // 2311, 2 A 2122, 5 B 1321, 2 B 2212, 6 A 1114, 1 A 2221; guard
        // 111111.
        {T::bcCodeUPC_E0, "425261", false,
         "111" "231121221321221211142221" "111111"},
        // Supplement 2 "12": 12 mod 4 = 0, parity AA: start 112, 1 A 2221,
        // separator 11, 2 A 2122.
        {T::bcCodeUPC_Supp2, "12", false, "112" "2221" "11" "2122"},
        // Codabar "1": start A 0011010, gap, 1 0000110, gap, stop B 0101001.
        {T::bcCodeCodabar, "1", false, "1122121" "1" "1111221" "1" "1212112"},
    };
    for (const PatternCase &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " as " + symbologyName(c.type).toStdString());
        EXPECT_EQ(widthsOf(encode(c.type, c.text, c.checksum).elements),
                  QString::fromLatin1(c.widths));
    }
}

// The symbologies neither decoder reads, as golden element strings.
TEST(LinearEncoder, elementStringsOfUnreadSymbologies)
{
    const PatternCase cases[] = {
        // Industrial 2 of 5 "1": start 606050; 1 = WNNNW, each element a
        // bar ("6" wide, "5" narrow) and a narrow space; stop 605060.
        {T::bcCode_2_5_industrial, "1", false, "606050" "6050505060" "605060"},
        // Matrix 2 of 5 "7": start 705050; 7 = NNNWW as bar, space, bar,
        // space, bar: 5 0 5 1 6, then the gap 0; stop 70505.
        {T::bcCode_2_5_matrix, "7", false, "705050" "50516" "0" "70505"},
        // MSI "1234": start 60; each digit four bits, 0 = 51, 1 = 60: 1 =
        // 0001, 2 = 0010, 3 = 0011, 4 = 0100; check 4 (from the right: 4x2 =
        // 8, 3, 2x2 = 4, 1: 16, 10 - 6 = 4); stop 515.
        {T::bcCodeMSI, "1234", false,
         "60" "51515160" "51516051" "51516060" "51605151" "51605151" "515"},
        // MSI "123": 3x2 = 6, 2, 1x2 = 2: 10, check 0 = 0000.
        {T::bcCodeMSI, "123", false, "60" "51515160" "51516051" "51516060" "51515151" "515"},
        // PostNet "12": start 51; 1 = 00011, 2 = 00101, "A1" short, "51"
        // tall; stop 5.
        {T::bcCodePostNet, "12", false, "51" "A1A1A15151" "A1A151A151" "5"},
    };
    for (const PatternCase &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " as " + symbologyName(c.type).toStdString());
        EXPECT_EQ(encode(c.type, c.text, c.checksum).elements, QString::fromLatin1(c.widths));
    }
}

TEST(LinearEncoder, ratioLimits)
{
    struct Case
    {
        TpgxBarcodeType type;
        double ratio;
        int wide;   // w2
    };
    const Case cases[] = {
        {T::bcCode39, 1, 2},          {T::bcCode39, 2.5, 2},   // nint ties to even
        {T::bcCode39, 2.6, 3},        {T::bcCode39, 5, 3},
        {T::bcCode_2_5_matrix, 2, 2}, {T::bcCode_2_5_matrix, 2.9, 3},
        {T::bcCodeMSI, 4, 4},         {T::bcCodePostNet, 1, 1},
        {T::bcCode128B, 3, 2},        {T::bcCodeEAN13, 3, 2},   // module widths need 2
        {T::bcCode93, 1, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(symbologyName(c.type).toStdString() + " " + std::to_string(c.ratio));
        const LinearSymbol s = encode(c.type, "1", false, c.ratio);
        EXPECT_EQ(s.widths.w[1], c.wide);
        EXPECT_EQ(s.widths.w[2], c.wide * 3 / 2);
        EXPECT_EQ(s.widths.w[3], c.wide * 2);
    }
}

TEST(LinearEncoder, textsThatCannotBeEncoded)
{
    struct Case
    {
        TpgxBarcodeType type;
        const char *text;
        bool checksum;
        const char *message;
    };
    const Case cases[] = {
        {T::bcCodeEAN13, "59012A", false, "Barcode must be numeric"},
        {T::bcCodeEAN13, "12345678901234", false, "Invalid Text len (EAN13)"},
        {T::bcCodeEAN8, "123456789", false, "Invalid Text len (EAN8)"},
        {T::bcCodeEAN8, "123456789", true, "Invalid Text len (EAN8)"},
        {T::bcCodeUPC_A, "1234567890123", false, "Invalid Text len (UPC_A)"},
        {T::bcCodeUPC_E0, "12345678", false, "Invalid Text len (UPC_E)"},
        {T::bcCodeUPC_Supp5, "123456", false, "Invalid Text len (UPC Supp5)"},
        {T::bcCodeMSI, "1 2", false, "Barcode must be numeric"},
        {T::bcCodePostNet, "١٢", false, "Barcode must be numeric"},   // Arabic digits
        {T::bcCode39, "abc", false, "TpgxBarcode:Code39 bad Data <abc>"},
        {T::bcCode39, "A*B", false, "TpgxBarcode:Code39 bad Data <A*B>"},
        {T::bcCode39Extended, "é", false, "TpgxBarcode:Code39 Extended bad Data <é>"},
        {T::bcCode93, "a", false, "TpgxBarcode:Code93 bad Data <a>"},
        {T::bcCode128A, "a", false, "TpgxBarcode:Code128A bad Data <a>"},
        {T::bcCode128B, "\t", false, "TpgxBarcode:Code128B bad Data <\t>"},
        {T::bcCode128C, "12a4", false, "TpgxBarcode:Code128C bad Data <12a4>"},
        {T::bcCodeEAN128B, "AB", true, "Barcode must be numeric"},
        {T::bcCodeCodabar, "12A3", false, "TpgxBarcode:Codebar bad Data <12A3>"},
        {T::bcCodeCodabar, "x", false, "TpgxBarcode:Codebar bad Data <x>"},
        {T::bcCodeQR, "x", false, "TpgxBarcode: wrong BarcodeType"},
        {TpgxBarcodeType(99), "x", false, "TpgxBarcode: wrong BarcodeType"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        try {
            encode(c.type, c.text, c.checksum);
            ADD_FAILURE() << "encoded";
        } catch (const pgx::Error &e) {
            EXPECT_EQ(e.message(), QString::fromUtf8(c.message));
        }
    }
}

TEST(LinearEncoder, unknownElementCodeIsTheInternalError)
{
    try {
        totalWidth(QStringLiteral("5x0"), ElementWidths());
        ADD_FAILURE() << "measured";
    } catch (const pgx::Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("TpgxBarcode: internal Error"));
    }
}

TEST(CheckDigits, tables)
{
    struct Case
    {
        const char *digits;
        int modulo10;
        int supplement;
        int msi;
    };
    // Worked by hand: modulo 10 weighs 3, 1 from the right, the supplement
    // 3, 9, MSI doubles every second digit from the rightmost one.
    const Case cases[] = {
        {"", 0, 0, 0},
        {"1234", 8, 4, 4},           // 22; 54; 8+3+4+1 = 16
        {"123", 6, 0, 0},            // 14; 30; 6+2+2 = 10
        {"590123412345", 7, 9, 7},   // -; 219; 43
        {"80523", 0, 6, 4},          // 50; 66; 6+2+1+0+7 = 16
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.digits);
        const QString d = QString::fromLatin1(c.digits);
        EXPECT_EQ(modulo10(d), c.modulo10);
        EXPECT_EQ(supplementCheck(d), c.supplement);
        EXPECT_EQ(msiCheck(d), c.msi);
    }
    // Code 93's K weighs C by 1 and restarts its weights after 15.
    std::vector<int> sixteen(16, 1);
    // C: 1 + 2 + ... + 16 = 136, mod 47 = 42; K: 2 + ... + 15, 1, 2 = 122,
    // + 42 = 164, mod 47 = 23.
    EXPECT_EQ(code93Checks(sixteen), std::make_pair(42, 23));
    EXPECT_EQ(code128Check(104, {33, 34}), (104 + 33 + 68) % 103);
}

}   // namespace
