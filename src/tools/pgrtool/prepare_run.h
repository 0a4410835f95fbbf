#pragma once

#include "data_options.h"

#include <QtCore/QList>
#include <QtCore/QPair>
#include <QtCore/QString>
#include <QtCore/QTextStream>

class TpgxPreviewPages;
class TpgxReport;

namespace pgx::tool {

// What a batch run of a template may be given: data sources and variables.
struct RunOptions
{
    QList<DataOption> data;
    QList<QPair<QString, QString>> variables;
};

// Takes every "--data NAME=SOURCE" and "--var NAME=VALUE" out of `args`;
// false with `error` for a malformed one.
bool takeRunOptions(QStringList &args, RunOptions &options, QString &error);

// Loads a template, applies the options and runs it into `pages`, with a
// progress line when stderr is a terminal. Load and run errors go to `err`
// prefixed by "pgrtool <verb>: "; false when the template could not be
// loaded or the report failed.
bool prepareTemplate(const QString &path, const RunOptions &options, TpgxReport &report,
                     TpgxPreviewPages &pages, QTextStream &err, const QString &verb);

}   // namespace pgx::tool
