#include "data_options.h"

#include "report/bands/TpgxDataBand.h"
#include "report/data/TpgxCSVDataSet.h"
#include "report/data/TpgxSQLDataSets.h"
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxView.h"

#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>

namespace pgx::tool {

namespace {

TpgxDataPage *dataPage(TpgxReport &report)
{
    for (TpgxComponent *c : report.objects())
        if (auto *page = qobject_cast<TpgxDataPage *>(c))
            return page;
    auto *page = new TpgxDataPage(&report);
    page->makeUniqueName();
    return page;
}

// The data source a page, band or view is linked to.
TpgxDataSet *dataSetOf(const TpgxComponent *object)
{
    if (const auto *band = qobject_cast<const TpgxDataBand *>(object))
        return band->dataSet();
    if (const auto *page = qobject_cast<const TpgxReportPage *>(object))
        return page->dataSet();
    if (const auto *view = qobject_cast<const TpgxView *>(object))
        return view->dataSet();
    return nullptr;
}

void setDataSetOf(TpgxComponent *object, TpgxDataSet *source)
{
    if (auto *band = qobject_cast<TpgxDataBand *>(object))
        band->setDataSet(source);
    else if (auto *page = qobject_cast<TpgxReportPage *>(object))
        page->setDataSet(source);
    else if (auto *view = qobject_cast<TpgxView *>(object))
        view->setDataSet(source);
}

TpgxDataSet *findOwnDataSet(TpgxReport &report, const QString &name)
{
    for (TpgxComponent *c : report.allObjects())
        if (auto *dataSet = qobject_cast<TpgxDataSet *>(c);
            dataSet && dataSet->referenceName().compare(name, Qt::CaseInsensitive) == 0)
            return dataSet;
    return nullptr;
}

// The component name for a source: the name itself when it can be one.
void nameComponent(TpgxComponent *component, const QString &name)
{
    static const QRegularExpression kIdent(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (kIdent.match(name).hasMatch() && !component->report()->findObject(name))
        component->setName(name);
    else
        component->makeUniqueName();
}

// SQL rather than a table name: anything with a blank in it.
bool isStatement(const QString &text)
{
    return text.trimmed().contains(QRegularExpression(QStringLiteral("\\s")));
}

TpgxDataSet *makeSource(TpgxDataPage *page, const DataOption &option)
{
    const qsizetype colon = option.source.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        auto *csv = new TpgxCSVDataSet(page);
        csv->setFileName(QFileInfo(option.source).absoluteFilePath());
        return csv;
    }
    auto *connection = new TpgxSQLConnection(page);
    nameComponent(connection, option.name + QStringLiteral("Connection"));
    connection->setDatabase(QFileInfo(option.source.left(colon)).absoluteFilePath());
    const QString rest = option.source.mid(colon + 1).trimmed();
    if (isStatement(rest)) {
        auto *query = new TpgxSQLQuery(page);
        query->setConnection(connection);
        query->setSql({rest});
        return query;
    }
    auto *table = new TpgxSQLTable(page);
    table->setConnection(connection);
    table->setTableName(rest);
    return table;
}

}   // namespace

bool takeDataOptions(QStringList &args, QList<DataOption> &options, QString &error)
{
    for (qsizetype i = 0; i < args.size();) {
        if (args[i] != QLatin1String("--data")) {
            ++i;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = QStringLiteral("--data needs NAME=SOURCE");
            return false;
        }
        const QString value = args[i + 1];
        const qsizetype eq = value.indexOf(QLatin1Char('='));
        if (eq <= 0 || eq == value.size() - 1) {
            error = QStringLiteral("--data %1: expected NAME=SOURCE").arg(value);
            return false;
        }
        options.append({value.left(eq).trimmed(), value.mid(eq + 1).trimmed()});
        args.remove(i, 2);
    }
    return true;
}

void applyDataOptions(TpgxReport &report, const QList<DataOption> &options)
{
    for (const DataOption &option : options) {
        TpgxDataPage *page = dataPage(report);
        // What used the replaced source uses the new one.
        TpgxDataSet *replaced = findOwnDataSet(report, option.name);
        QList<TpgxComponent *> users;
        if (replaced) {
            for (TpgxComponent *object : report.allObjects())
                if (dataSetOf(object) == replaced)
                    users.append(object);
        }
        const bool reportUsed = replaced && report.dataSet() == replaced;
        delete replaced;
        TpgxDataSet *source = makeSource(page, option);
        nameComponent(source, option.name);
        source->setUserName(option.name);
        bool listed = false;
        for (TpgxDataSetItem *item : report.dataSets()->items())
            if (item->dataSetName().compare(option.name, Qt::CaseInsensitive) == 0) {
                item->setDataSet(source);
                listed = true;
            }
        if (!listed)
            report.dataSets()->add(source);
        for (TpgxComponent *object : users)
            setDataSetOf(object, source);
        if (reportUsed)
            report.setDataSet(source);
    }
}

}   // namespace pgx::tool
