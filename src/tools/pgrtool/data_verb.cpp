// pgrtool data TEMPLATE [--data NAME=SOURCE]... [--rows N]: the data
// sources a template reads, their fields with types and their first rows,
// so that a report author can see what the report will get before running
// it, and a batch job can check that every source can be read.

#include "verb.h"

#include "data_options.h"

#include "platform/Error.h"
#include "objects/RegisterObjects.h"
#include "report/data/TpgxDBDataSet.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

namespace pgx::tool {

namespace {

const char kUsage[] = "Usage: pgrtool data TEMPLATE [--data NAME=SOURCE]... [--rows N]\n"
                      "Loads the template TEMPLATE and lists each of its data sources: its name\n"
                      "and class, its fields with their types, and its first N rows (10 unless\n"
                      "--rows says; values separated by \" | \"). A detail source shows the rows\n"
                      "of its master's first record.\n"
                      "--data NAME=SOURCE makes a data source NAME for this run, replacing the\n"
                      "template's source of that name or adding one to the report's data-set\n"
                      "list. SOURCE is a CSV file (people.csv), or an SQLite file, a colon and a\n"
                      "table name or an SQL statement (shop.db:orders,\n"
                      "\"shop.db:SELECT * FROM orders WHERE total > 5\"); relative names are\n"
                      "taken from the working folder.\n"
                      "Exit code 1 when the template or a data source cannot be read (the\n"
                      "messages on stderr; what could be read is still listed).\n";

constexpr int kDefaultRows = 10;

QString typeName(const TpgxDataSet *source, const QString &field)
{
    if (const auto *db = qobject_cast<const TpgxDBDataSet *>(source); db && db->table()) {
        const int index = db->table()->fieldIndex(db->fieldNameOf(field));
        if (index >= 0)
            return pgx::data::fieldTypeName(db->table()->fields()[index].type);
    }
    switch (source->getFieldType(field)) {
    case TpgxDataSet::fftString: return QStringLiteral("text");
    case TpgxDataSet::fftBoolean: return QStringLiteral("boolean");
    case TpgxDataSet::fftNumeric: break;
    }
    return QStringLiteral("numeric");
}

void listSource(QTextStream &out, TpgxDataSet *source, int rows)
{
    source->open();
    out << source->referenceName() << ": " << source->metaObject()->className();
    if (const auto *db = qobject_cast<const TpgxDBDataSet *>(source); db && !db->isOpen()) {
        out << ", not readable\n";
        return;
    }
    const int count = source->recordCount();
    out << ", " << count << (count == 1 ? " record\n" : " records\n");
    const QStringList fields = source->getFieldList();
    out << "  Fields:\n";
    if (fields.isEmpty())
        out << "    none\n";
    for (const QString &field : fields)
        out << "    " << field << ": " << typeName(source, field) << '\n';
    out << "  Rows:\n";
    if (fields.isEmpty() || rows == 0)
        return;
    out << "    " << fields.join(QStringLiteral(" | ")) << '\n';
    int shown = 0;
    for (source->first(); !source->eof() && shown < rows; source->next(), ++shown) {
        QStringList values;
        for (const QString &field : fields)
            values.append(
                source->getDisplayText(field).replace(QLatin1Char('\n'), QLatin1String("\\n")));
        out << "    " << values.join(QStringLiteral(" | ")) << '\n';
    }
    // Back on the first record, so that a detail source listed after its
    // master shows the rows of the master's first record.
    source->first();
}

int runData(VerbContext &ctx)
{
    QStringList args = ctx.args;
    QList<DataOption> dataOptions;
    QString error;
    if (!takeDataOptions(args, dataOptions, error)) {
        ctx.err << "pgrtool data: " << error << '\n' << kUsage;
        return ExitUsage;
    }
    int rows = kDefaultRows;
    if (const qsizetype i = args.indexOf(QLatin1String("--rows")); i >= 0) {
        bool ok = false;
        rows = i + 1 < args.size() ? args[i + 1].toInt(&ok) : -1;
        if (!ok || rows < 0) {
            ctx.err << "pgrtool data: --rows needs a number of rows\n" << kUsage;
            return ExitUsage;
        }
        args.remove(i, 2);
    }
    if (args.size() != 1 || args[0].startsWith(QLatin1Char('-'))) {
        ctx.err << kUsage;
        return ExitUsage;
    }
    registerReportClasses();
    registerObjectClasses();

    TpgxReport report;
    report.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
    try {
        report.loadFromFile(args[0], true);
    } catch (const Error &e) {
        ctx.err << "pgrtool data: " << e.message() << '\n';
        return ExitInputFault;
    }
    try {
        applyDataOptions(report, dataOptions);
    } catch (const Error &e) {
        ctx.err << "pgrtool data: " << e.message() << '\n';
        return ExitInputFault;
    }

    QList<TpgxDataSet *> sources;
    for (TpgxComponent *c : report.allObjects())
        if (auto *source = qobject_cast<TpgxDataSet *>(c))
            sources.append(source);
    if (sources.isEmpty())
        ctx.out << "No data sources.\n";
    // Every source on its first record before any is listed, so that a
    // detail reads its master's first record wherever the two stand.
    for (TpgxDataSet *source : sources)
        source->first();
    for (TpgxDataSet *source : sources)
        listSource(ctx.out, source, rows);
    for (TpgxDataSet *source : sources)
        source->close();

    // Load messages and the sources' own (which go to the same list).
    for (const QString &message : report.errors())
        ctx.err << "pgrtool data: " << message << '\n';
    return report.errors().isEmpty() ? ExitOk : ExitInputFault;
}

}   // namespace

extern const Verb kDataVerb;
const Verb kDataVerb
    = {"data", "list a template's data sources, their fields and first rows", kUsage, runData};

}   // namespace pgx::tool
