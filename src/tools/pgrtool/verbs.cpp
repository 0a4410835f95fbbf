#include "verb.h"

namespace pgx::tool {

extern const Verb kInfoVerb;
extern const Verb kRoundtripVerb;
extern const Verb kScriptVerb;
extern const Verb kEvalVerb;
extern const Verb kDataVerb;

// Each verb lives in a file of its own; this table is the one place that
// lists them.
const QList<Verb> &verbs()
{
    static const QList<Verb> kTable = {
        kInfoVerb, kRoundtripVerb, kScriptVerb, kEvalVerb, kDataVerb,
    };
    return kTable;
}

}   // namespace pgx::tool
