#pragma once

#include "platform/KeyedTexts.h"

#include <QtCore/QString>

namespace pgx {

// The user-visible texts of the printer layer, by their resource keys.
enum class PrinterText {
    prDefault,   // "Default": the first bin (code 7), and the report's printer choice
    prCustom,    // "Custom": the first paper (code 256)
    prVirtual,   // "Virtual": the printer used when the system has none
};

// The built-in texts in the order of PrinterText. The report's resources
// hold them too, so that a language file translates them.
inline constexpr KeyedText kPrinterTexts[] = {
    {"prDefault", "Default"},
    {"prCustom", "Custom"},
    {"prVirtual", "Virtual"},
};

// The printer layer's table; the report's resources are its translation
// hook. Printers read their texts when they are (re)initialised, so a hook
// installed after that takes effect on the next refill of the printer list.
KeyedTexts &printerTexts();

// The resource key ("prDefault", ...) of a printer text, and the text to show.
QString printerTextKey(PrinterText text);
QString printerText(PrinterText text);

}   // namespace pgx
