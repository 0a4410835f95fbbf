#pragma once

// The bar and space patterns of the one-dimensional symbologies, as their
// published standards give them. Tables are either element codes (see
// ElementCode.h) or module-width strings (the widths of bar, space, bar ...
// in modules); the compile-time checks below catch a mistyped row (a wrong
// length, a wrong number of wide elements, a pattern of the wrong total
// width) before any symbol is printed.

#include <array>
#include <string_view>

namespace pgx::barcode {

// 2 of 5: narrow/wide per element, "N" or "W", digits 0-9; two of five wide.
inline constexpr std::array<std::string_view, 10> kTwoOfFive = {
    "NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW", "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN",
};

// Code 39: character, nine elements (bar, space, bar ... narrow or wide,
// three of them wide) and check value. "*" is start and stop and has no
// check value (-1).
struct Code39Row
{
    char character;
    std::string_view pattern;
    int value;
};
inline constexpr std::array<Code39Row, 44> kCode39 = {{
    {'0', "NNNWWNWNN", 0},  {'1', "WNNWNNNNW", 1},  {'2', "NNWWNNNNW", 2},
    {'3', "WNWWNNNNN", 3},  {'4', "NNNWWNNNW", 4},  {'5', "WNNWWNNNN", 5},
    {'6', "NNWWWNNNN", 6},  {'7', "NNNWNNWNW", 7},  {'8', "WNNWNNWNN", 8},
    {'9', "NNWWNNWNN", 9},  {'A', "WNNNNWNNW", 10}, {'B', "NNWNNWNNW", 11},
    {'C', "WNWNNWNNN", 12}, {'D', "NNNNWWNNW", 13}, {'E', "WNNNWWNNN", 14},
    {'F', "NNWNWWNNN", 15}, {'G', "NNNNNWWNW", 16}, {'H', "WNNNNWWNN", 17},
    {'I', "NNWNNWWNN", 18}, {'J', "NNNNWWWNN", 19}, {'K', "WNNNNNNWW", 20},
    {'L', "NNWNNNNWW", 21}, {'M', "WNWNNNNWN", 22}, {'N', "NNNNWNNWW", 23},
    {'O', "WNNNWNNWN", 24}, {'P', "NNWNWNNWN", 25}, {'Q', "NNNNNNWWW", 26},
    {'R', "WNNNNNWWN", 27}, {'S', "NNWNNNWWN", 28}, {'T', "NNNNWNWWN", 29},
    {'U', "WWNNNNNNW", 30}, {'V', "NWWNNNNNW", 31}, {'W', "WWWNNNNNN", 32},
    {'X', "NWNNWNNNW", 33}, {'Y', "WWNNWNNNN", 34}, {'Z', "NWWNWNNNN", 35},
    {'-', "NWNNNNWNW", 36}, {'.', "WWNNNNWNN", 37}, {' ', "NWWNNNWNN", 38},
    {'*', "NWNNWNWNN", -1}, {'$', "NWNWNWNNN", 39}, {'/', "NWNWNNNWN", 40},
    {'+', "NWNNNWNWN", 41}, {'%', "NNNWNWNWN", 42},
}};

// Code 93: the 47 characters in value order, each as a module-width string
// of three bars and three spaces, nine modules. The last four are the
// shift characters ($), (%), (/), (+), written "[", "]", "{", "}".
struct Code93Row
{
    char character;
    std::string_view widths;
};
inline constexpr std::array<Code93Row, 47> kCode93 = {{
    {'0', "131112"}, {'1', "111213"}, {'2', "111312"}, {'3', "111411"}, {'4', "121113"},
    {'5', "121212"}, {'6', "121311"}, {'7', "111114"}, {'8', "131211"}, {'9', "141111"},
    {'A', "211113"}, {'B', "211212"}, {'C', "211311"}, {'D', "221112"}, {'E', "221211"},
    {'F', "231111"}, {'G', "112113"}, {'H', "112212"}, {'I', "112311"}, {'J', "122112"},
    {'K', "132111"}, {'L', "111123"}, {'M', "111222"}, {'N', "111321"}, {'O', "121122"},
    {'P', "131121"}, {'Q', "212112"}, {'R', "212211"}, {'S', "211122"}, {'T', "211221"},
    {'U', "221121"}, {'V', "222111"}, {'W', "112122"}, {'X', "112221"}, {'Y', "122121"},
    {'Z', "123111"}, {'-', "121131"}, {'.', "311112"}, {' ', "311211"}, {'$', "321111"},
    {'/', "112131"}, {'+', "113121"}, {'%', "211131"}, {'[', "121221"}, {']', "312111"},
    {'{', "311121"}, {'}', "122211"},
}};
inline constexpr std::string_view kCode93Start = "111141";
inline constexpr std::string_view kCode93Stop = "1111411";

// Code 128: the module-width strings of values 0-102 (three bars, three
// spaces, eleven modules); code set A is the characters from blank to "_"
// at values 0-63, set B those from blank to "~" at 0-94, set C the pairs
// "00"-"99" at 0-99.
inline constexpr std::array<std::string_view, 103> kCode128 = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131",
};
inline constexpr std::string_view kCode128StartA = "211412";   // value 103
inline constexpr std::string_view kCode128StartB = "211214";   // value 104
inline constexpr std::string_view kCode128StartC = "211232";   // value 105
inline constexpr std::string_view kCode128Stop = "2331112";
inline constexpr int kCode128Fnc1 = 102;

// Codabar: "0123456789-$:/.+ABCD", seven elements each (bar, space ...),
// "1" wide, "0" narrow.
inline constexpr std::string_view kCodabarCharacters = "0123456789-$:/.+ABCD";
inline constexpr std::array<std::string_view, 20> kCodabar = {
    "0000011", "0000110", "0001001", "1100000", "0010010", "1000010", "0100001",
    "0100100", "0110000", "1001000", "0001100", "0011000", "1000101", "1010001",
    "1010100", "0010101", "0011010", "0101001", "0001011", "0001110",
};

// PostNet: five bars per digit, "1" tall, "0" short; two tall in each.
inline constexpr std::array<std::string_view, 10> kPostNet = {
    "11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100",
};

// EAN/UPC: the module widths of set A (odd parity, left-hand: space, bar,
// space, bar) and of set C (right-hand: bar, space, bar, space, same
// widths); set B (even parity) is set C reversed, beginning with a space.
inline constexpr std::array<std::string_view, 10> kEanWidths = {
    "3211", "2221", "2122", "1411", "1132", "1231", "1114", "1312", "1213", "3112",
};

// EAN-13: the parity of digits 2-7 chosen by digit 1.
inline constexpr std::array<std::string_view, 10> kEan13Parity = {
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
    "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA",
};

// UPC-E (number system 0) parity by check digit: "E" set B, "o" set A.
// Characters 2-6 are also the parity of the five-digit supplement.
inline constexpr std::array<std::string_view, 10> kUpcEParity = {
    "EEEooo", "EEoEoo", "EEooEo", "EEoooE", "EoEEoo",
    "EooEEo", "EoooEE", "EoEoEo", "EoEooE", "EooEoE",
};

// --- compile-time checks ---------------------------------------------------
namespace detail {

constexpr int countOf(std::string_view s, char c)
{
    int n = 0;
    for (char x : s)
        n += x == c;
    return n;
}

constexpr int moduleSum(std::string_view widths)
{
    int n = 0;
    for (char x : widths)
        n += x - '0';
    return n;
}

constexpr int barModules(std::string_view widths)
{
    int n = 0;
    for (size_t i = 0; i < widths.size(); i += 2)
        n += widths[i] - '0';
    return n;
}

template<size_t N>
constexpr bool allRows(const std::array<std::string_view, N> &rows, size_t length, char wide,
                       int wideCount)
{
    for (std::string_view r : rows)
        if (r.size() != length || countOf(r, wide) != wideCount)
            return false;
    return true;
}

constexpr bool code39Rows()
{
    for (const Code39Row &r : kCode39)
        if (r.pattern.size() != 9 || countOf(r.pattern, 'W') != 3)
            return false;
    return true;
}

constexpr bool code93Rows()
{
    for (const Code93Row &r : kCode93)
        if (r.widths.size() != 6 || moduleSum(r.widths) != 9)
            return false;
    return true;
}

constexpr bool code128Rows()
{
    // Eleven modules, the bars' modules even: the parity check of the
    // symbology itself.
    for (std::string_view r : kCode128)
        if (r.size() != 6 || moduleSum(r) != 11 || barModules(r) % 2 != 0)
            return false;
    return true;
}

constexpr bool eanRows()
{
    // Seven modules, set A's bars (the 2nd and 4th widths) odd.
    for (std::string_view r : kEanWidths)
        if (r.size() != 4 || moduleSum(r) != 7 || (r[1] - '0' + r[3] - '0') % 2 != 1)
            return false;
    return true;
}

template<size_t N>
constexpr bool distinct(const std::array<std::string_view, N> &rows)
{
    for (size_t i = 0; i < N; ++i)
        for (size_t j = i + 1; j < N; ++j)
            if (rows[i] == rows[j])
                return false;
    return true;
}

}   // namespace detail

static_assert(detail::allRows(kTwoOfFive, 5, 'W', 2) && detail::distinct(kTwoOfFive));
static_assert(detail::code39Rows());
static_assert(detail::code93Rows() && detail::moduleSum(kCode93Start) == 9);
static_assert(detail::code128Rows() && detail::distinct(kCode128));
static_assert(detail::moduleSum(kCode128StartA) == 11 && detail::moduleSum(kCode128StartB) == 11
              && detail::moduleSum(kCode128StartC) == 11 && detail::moduleSum(kCode128Stop) == 13);
static_assert(kCodabarCharacters.size() == kCodabar.size() && detail::distinct(kCodabar));
static_assert(detail::allRows(kPostNet, 5, '1', 2) && detail::distinct(kPostNet));
static_assert(detail::eanRows() && detail::distinct(kEanWidths));
static_assert(kEan13Parity[0] == "AAAAAA" && detail::distinct(kEan13Parity));
static_assert(detail::allRows(kUpcEParity, 6, 'E', 3));

}   // namespace pgx::barcode
