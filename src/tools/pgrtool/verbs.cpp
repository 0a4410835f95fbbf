#include "verb.h"

namespace pgx::tool {

// Each verb lives in a file of its own; this table is the one place that
// lists them.
const QList<Verb> &verbs()
{
    static const QList<Verb> table = {
    };
    return table;
}

} // namespace pgx::tool
