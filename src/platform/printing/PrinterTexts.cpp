#include "platform/printing/PrinterTexts.h"

#include <iterator>

namespace pgx {

namespace {

struct TextRow
{
    PrinterText text;
    const char *key;
    const char *builtIn;
};

constexpr TextRow kTexts[] = {
    {PrinterText::prDefault, "prDefault", "Default"},
    {PrinterText::prCustom, "prCustom", "Custom"},
    {PrinterText::prVirtual, "prVirtual", "Virtual"},
};
static_assert(std::size(kTexts) == static_cast<size_t>(PrinterText::prVirtual) + 1,
              "one row per printer text");
static_assert([] {
    for (size_t i = 0; i < std::size(kTexts); ++i)
        if (static_cast<size_t>(kTexts[i].text) != i)
            return false;
    return true;
}(), "rows in the order of the enumeration");

const TextRow &row(PrinterText text)
{
    return kTexts[static_cast<size_t>(text)];
}

PrinterTextLookup &installedLookup()
{
    static PrinterTextLookup lookup;
    return lookup;
}

} // namespace

QString printerTextKey(PrinterText text)
{
    return QString::fromLatin1(row(text).key);
}

QString builtInPrinterText(PrinterText text)
{
    return QString::fromLatin1(row(text).builtIn);
}

QString printerText(PrinterText text)
{
    if (const PrinterTextLookup &lookup = installedLookup()) {
        const QString key = printerTextKey(text);
        const QString found = lookup(key);
        if (!found.isEmpty() && found != key)
            return found;
    }
    return builtInPrinterText(text);
}

void setPrinterTextLookup(PrinterTextLookup lookup)
{
    installedLookup() = std::move(lookup);
}

} // namespace pgx
