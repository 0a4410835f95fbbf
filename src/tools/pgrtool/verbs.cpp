#include "verb.h"

namespace pgx::tool {

extern const Verb kInfoVerb;
extern const Verb kRoundtripVerb;
extern const Verb kScriptVerb;
extern const Verb kEvalVerb;
extern const Verb kDataVerb;
extern const Verb kLayoutVerb;
extern const Verb kBarcodeVerb;
extern const Verb kExportVerb;
extern const Verb kPrepareVerb;
extern const Verb kPrintVerb;

// Each verb lives in a file of its own; this table is the one place that
// lists them.
const QList<Verb> &verbs()
{
    static const QList<Verb> kTable = {
        kInfoVerb,   kRoundtripVerb, kScriptVerb,  kEvalVerb,   kDataVerb,
        kLayoutVerb, kBarcodeVerb,   kPrepareVerb, kExportVerb, kPrintVerb,
    };
    return kTable;
}

bool needsFonts(const QString &verbName)
{
    return verbName == QLatin1String(kLayoutVerb.name)
        || verbName == QLatin1String(kBarcodeVerb.name)
        || verbName == QLatin1String(kPrepareVerb.name)
        || verbName == QLatin1String(kExportVerb.name)
        || verbName == QLatin1String(kPrintVerb.name);
}

}   // namespace pgx::tool
