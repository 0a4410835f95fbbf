#pragma once

#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>

#include <optional>

namespace pgx::engine {

// One call of SUM, AVG, MIN, MAX or COUNT found in a report expression.
struct AggregateCall
{
    QString name;       // upper-cased
    QStringList args;   // at most three, as written (not trimmed)
    QString text;       // the whole call, trimmed
};

// What the scan needs to know of the report's names.
class AggregateScanNames
{
public:
    virtual ~AggregateScanNames() = default;
    // The text of the report variable of that name (a Null value gives the
    // empty text); none when no variable has the name.
    virtual std::optional<QString> variableText(const QString &name) const = 0;
    virtual bool isFieldReference(const QString &name) const = 0;
};

// The aggregate calls of an expression, left to right. A name of a report
// variable stands for the variable's text, which is scanned in its place;
// a variable that names itself, directly or through others, is scanned
// once. Quoted strings are skipped; parenthesised parts and parts in "<"
// ">" are scanned like a whole expression, to a bounded depth. A call's
// arguments are not scanned for further calls.
QList<AggregateCall> findAggregateCalls(const QString &expression, const AggregateScanNames &names);

}   // namespace pgx::engine
