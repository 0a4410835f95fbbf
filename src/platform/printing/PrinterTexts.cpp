#include "platform/printing/PrinterTexts.h"

#include <iterator>
#include <string_view>

namespace pgx {

namespace {

constexpr bool keyIs(PrinterText text, std::string_view key)
{
    return kPrinterTexts[static_cast<size_t>(text)].key == key;
}
static_assert(std::size(kPrinterTexts) == static_cast<size_t>(PrinterText::prVirtual) + 1,
              "one row per printer text");
static_assert(keyIs(PrinterText::prDefault, "prDefault") && keyIs(PrinterText::prCustom, "prCustom")
                  && keyIs(PrinterText::prVirtual, "prVirtual"),
              "rows in the order of the enumeration");

}   // namespace

KeyedTexts &printerTexts()
{
    static KeyedTexts texts(kPrinterTexts);
    return texts;
}

QString printerTextKey(PrinterText text)
{
    return QString::fromLatin1(kPrinterTexts[static_cast<size_t>(text)].key);
}

QString printerText(PrinterText text)
{
    return printerTexts().text(printerTextKey(text));
}

}   // namespace pgx
