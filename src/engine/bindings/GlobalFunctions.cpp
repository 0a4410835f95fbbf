#include "engine/bindings/BindingFamilies.h"

#include "platform/format/DateTime.h"
#include "script/runtime/Script.h"

namespace pgx::engine::bindings {

using script::declareFn;

namespace {

// A date part as its picture prints it.
Variant datePart(const Variant &date, const char *picture)
{
    const QString text = format::formatDateTime(QString::fromLatin1(picture), date.toDouble());
    return Variant(text.toInt());
}

}   // namespace

void declareGlobalFunctions(TkxScript &s)
{
    const QString date = QStringLiteral("ctDate");
    declareFn(s, "function DayOf(Date: TDateTime): Integer", date,
              [](H &h) { return datePart(h.params(0), "d"); });
    declareFn(s, "function MonthOf(Date: TDateTime): Integer", date,
              [](H &h) { return datePart(h.params(0), "m"); });
    declareFn(s, "function YearOf(Date: TDateTime): Integer", date,
              [](H &h) { return datePart(h.params(0), "yyyy"); });

    // The report's script declares IIF and the aggregates again as macro
    // functions, found before these; these serve the function list and
    // scripts of their own. A child scope (an expression's program, a
    // debugger's evaluation) would find its own copies before its parent's
    // macro functions, so it gets none and finds the parent's.
    if (s.parentScope())
        return;
    // IIF works on values here.
    declareFn(s, "function IIF(Expr: Boolean; TrueValue, FalseValue: Variant): Variant",
              QStringLiteral("ctOther"),
              [](H &h) { return h.params(0).toBool() ? h.params(1) : h.params(2); });
    static const char *const kAggregates[] = {
        "function SUM(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant",
        "function AVG(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant",
        "function MIN(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant",
        "function MAX(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant",
        "function COUNT(Band: Variant = 0; Flags: Integer = 0): Variant",
    };
    for (const char *declaration : kAggregates) {
        const QString name = QString::fromLatin1(declaration)
                                 .section(QLatin1Char(' '), 1, 1)
                                 .section(QLatin1Char('('), 0, 0);
        declareFn(s, declaration, QStringLiteral("ctAggregate"), [name](H &) -> Variant {
            throw script::ScriptError(
                QStringLiteral("%1 is calculated only while a report runs").arg(name),
                QStringLiteral("EInvalidOperation"));
        });
    }
}

}   // namespace pgx::engine::bindings
