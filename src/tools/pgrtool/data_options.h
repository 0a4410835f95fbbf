#pragma once

#include <QtCore/QList>
#include <QtCore/QString>

class TpgxReport;

namespace pgx::tool {

// One --data NAME=SOURCE option: a data source for this run.
struct DataOption
{
    QString name;
    QString source;
};

// Takes every "--data NAME=SOURCE" pair out of `args`; false with `error`
// for a malformed one.
bool takeDataOptions(QStringList &args, QList<DataOption> &options, QString &error);

// Makes the data sources the options name on the report's data page: a CSV
// file ("people.csv"), or an SQLite file, a colon and a table name or an
// SQL statement ("shop.db:orders", "shop.db:SELECT * FROM orders"). A
// source of the same name in the template is replaced, and every data-set
// list entry of that name points to the new one; otherwise it is added to
// the data-set list. Relative file names are taken from the working folder.
void applyDataOptions(TpgxReport &report, const QList<DataOption> &options);

}   // namespace pgx::tool
