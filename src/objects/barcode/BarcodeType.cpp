#include "objects/barcode/BarcodeType.h"

#include <array>

namespace pgx::barcode {

namespace {

struct TypeRow
{
    const char *name;
    bool digitsOnly;
};

// In TpgxBarcodeType order.
constexpr std::array<TypeRow, 26> kTypes = {{
    {"2_5_interleaved", true}, {"2_5_industrial", true}, {"2_5_matrix", true},
    {"Code39", false},         {"Code39 Extended", false}, {"Code128A", false},
    {"Code128B", false},       {"Code128C", false},      {"Code93", false},
    {"Code93 Extended", false}, {"MSI", true},           {"PostNet", true},
    {"Codebar", false},        {"EAN8", true},           {"EAN13", true},
    {"UPC_A", true},           {"UPC_E0", true},         {"UPC_E1", true},
    {"UPC Supp2", true},       {"UPC Supp5", true},      {"EAN128A", false},
    {"EAN128B", false},        {"EAN128C", true},        {"QR", false},
    {"DataMatrix", false},     {"PDF417", false},
}};
static_assert(kTypes.size() == TpgxBarcodeTypes::bcCodePDF417 + 1);

}   // namespace

QString symbologyName(TpgxBarcodeType type)
{
    const int i = int(type);
    return i >= 0 && i < int(kTypes.size()) ? QString::fromLatin1(kTypes[size_t(i)].name)
                                             : QString();
}

bool isDigitsOnly(TpgxBarcodeType type)
{
    const int i = int(type);
    return i >= 0 && i < int(kTypes.size()) && kTypes[size_t(i)].digitsOnly;
}

}   // namespace pgx::barcode
