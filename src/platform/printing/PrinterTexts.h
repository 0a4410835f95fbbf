#pragma once

#include <QtCore/QString>
#include <functional>

namespace pgx {

// The user-visible texts of the printer layer, by their resource keys.
// They come from the report's resource table once that exists; until a
// lookup is installed, and for keys the table does not know, the built-in
// English texts below are used.
enum class PrinterText {
    prDefault, // "Default": the first bin (code 7), and the report's printer choice
    prCustom,  // "Custom": the first paper (code 256)
    prVirtual, // "Virtual": the printer used when the system has none
};

// The resource key ("prDefault", ...) and the built-in text of a printer text.
QString printerTextKey(PrinterText text);
QString builtInPrinterText(PrinterText text);

// The text to show: the installed lookup's answer for the key, unless it is
// empty or the key itself (an unknown key returns itself), else the built-in.
QString printerText(PrinterText text);

// The hook for the resource table: it is given a key and returns its text.
// Printers read their texts when they are (re)initialised, so a lookup
// installed after that takes effect on the next refill of the printer list.
using PrinterTextLookup = std::function<QString(const QString &key)>;
void setPrinterTextLookup(PrinterTextLookup lookup);

} // namespace pgx
