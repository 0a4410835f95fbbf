#pragma once

#include "engine/expressions/ExpressionCache.h"

#include <QtCore/QSet>
#include <QtCore/QVariant>

#include <functional>
#include <memory>
#include <optional>

class TpgxBand;
class TpgxReport;

namespace pgx::engine {

// What the engine counts while it runs, for the system variables.
struct SystemValues
{
    double startDate = 0;   // the report dates of the run (days since 30.12.1899)
    double startTime = 0;
    int page = 0;           // as the prepared pages count it
    int pageIndex = 0;      // Page#: the current page index + 1
    int totalPages = 0;     // as the prepared pages count it
    int totalPagesNo = 0;   // TotalPages#: the engine's count
    int line = 0;
    int lineNo = 0;
};

// A report's expression side: its script (with Get, Set and the macro
// functions IIF, SUM, AVG, MIN, MAX and COUNT), the name
// resolution every expression and Get use, and the expression cache.
class ReportEvaluation
{
public:
    explicit ReportEvaluation(TpgxReport &report);
    ~ReportEvaluation();

    // The one evaluation of `report`, made on first use and dropped with it.
    static ReportEvaluation &of(TpgxReport &report);

    // Names first: a field Alias."Field", a system variable, a report
    // variable (a string without a line break is itself an expression), a
    // global variable, a script variable. Anything else goes through the
    // expression cache; a failure is added to the report's errors, prefixed
    // by the object being processed, and raised as pgx::Error.
    QVariant calc(const QString &expression);
    // The name resolution alone; none when the name is unknown.
    std::optional<QVariant> resolveName(const QString &name);
    // Alias."Field" of a data source in the report's data-set list.
    bool isFieldReference(const QString &name) const;
    // The script function Get: resolveName, aggregate calls through calc,
    // else "Unknown variable or datafield: <name>" in the errors and null.
    QVariant get(const QString &name);

    // The script variable "Value": the value an object just fetched.
    void setCurrentValue(const QVariant &value);
    script::TkxScript &script() { return *m_script; }
    SystemValues &systemValues() { return m_system; }
    // The object whose data is being fetched, for error messages.
    void setCurrentObjectName(const QString &name) { m_currentObject = name; }
    const ExpressionCache &cache() const { return *m_cache; }
    TpgxReport &report() const { return m_report; }

    // Where SUM, AVG, MIN, MAX and COUNT go: the running engine answers
    // them for the band it calculates. `band` is the data band the call
    // names (none for 0), `expression` the call's first argument as
    // written (empty for COUNT).
    using AggregateHandler = std::function<QVariant(const QString &name, const QString &expression,
                                                    TpgxBand *band, int flags)>;
    void setAggregateHandler(AggregateHandler handler) { m_aggregateHandler = std::move(handler); }
    // Null while no handler is installed.
    QVariant computeAggregate(const QString &name, const QString &expression, TpgxBand *band,
                              int flags);

    // Drops every compiled expression; the cache starts again in the
    // report's ScriptLanguage (a run's preparation does this).
    void resetCache();

    // Runs the script procedure an event property names, with the object as
    // its one argument; nothing for a name that is empty once trimmed (or
    // names no procedure). `values`, when given, follow the object, and
    // what the procedure assigns to its by-reference parameters comes back
    // in them. Errors of the procedure propagate as the runtime raises them.
    void fireEvent(const QString &handler, QObject *object, QVariantList *values = nullptr);

private:
    static QString languageOf(const TpgxReport &report);
    std::optional<QVariant> fieldValue(const QString &name) const;
    std::optional<QVariant> systemValue(const QString &name) const;
    std::optional<QVariant> variableValue(const QString &name);
    void fail(const QString &message);

    TpgxReport &m_report;
    std::unique_ptr<script::TkxScript> m_script;
    std::unique_ptr<ExpressionCache> m_cache;
    SystemValues m_system;
    QString m_currentObject;
    AggregateHandler m_aggregateHandler;
    QSet<QString>
        m_evaluatingVariables;   // upper-cased, against variables that refer to each other
    // An expression evaluated inside another (IIF's branches, a variable's
    // text) fails through both: the failure is reported once, by the
    // innermost, and passes the outer ones unchanged.
    int m_calcDepth = 0;
    QString m_reportedFailure;
};

// Installs the report's calc: from then on every report evaluates its
// expressions through its ReportEvaluation. Start-up code calls it once,
// after the script engine is set up.
void installReportEvaluation();

}   // namespace pgx::engine
