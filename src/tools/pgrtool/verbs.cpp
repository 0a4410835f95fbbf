#include "verb.h"

namespace pgx::tool {

extern const Verb infoVerb;
extern const Verb roundtripVerb;
extern const Verb scriptVerb;
extern const Verb evalVerb;
extern const Verb dataVerb;
extern const Verb layoutVerb;

// Each verb lives in a file of its own; this table is the one place that
// lists them.
const QList<Verb> &verbs()
{
    static const QList<Verb> table = {
        infoVerb, roundtripVerb, scriptVerb, evalVerb, dataVerb, layoutVerb,
    };
    return table;
}

bool needsFonts(const QString &verbName)
{
    return verbName == QLatin1String(layoutVerb.name);
}

}   // namespace pgx::tool
