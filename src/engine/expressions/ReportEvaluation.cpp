#include "engine/expressions/ReportEvaluation.h"

#include "engine/bindings/ReportModule.h"
#include "engine/expressions/MacroFunctions.h"
#include "platform/Error.h"
#include "platform/format/DateTime.h"
#include "report/data/TpgxDataSet.h"
#include "report/resources/TpgxResources.h"
#include "report/root/TpgxReport.h"
#include "report/root/TpgxVariables.h"
#include "script/registry/ObjectTable.h"
#include "script/registry/Registry.h"
#include "script/registry/VariantBridge.h"
#include "script/runtime/Script.h"

#include <QtCore/QHash>

namespace pgx::engine {

using script::Variant;

namespace {

QHash<TpgxReport *, ReportEvaluation *> &evaluations()
{
    static QHash<TpgxReport *, ReportEvaluation *> map;
    return map;
}

// Alias."Field": the alias and the field, or nothing for another name.
std::optional<std::pair<QString, QString>> splitFieldRef(const QString &name)
{
    const qsizetype dot = name.indexOf(QLatin1String(".\""));
    if (dot <= 0 || !name.endsWith(QLatin1Char('"')) || name.size() < dot + 3)
        return std::nullopt;
    return std::make_pair(name.left(dot), name.mid(dot + 2, name.size() - dot - 3));
}

// "SUM(", "AVG(" ... after trimming and upper-casing the part before "(".
bool isAggregateCall(const QString &name)
{
    const qsizetype paren = name.indexOf(QLatin1Char('('));
    if (paren < 0)
        return false;
    const QString head = name.left(paren).trimmed().toUpper();
    return head == QLatin1String("SUM") || head == QLatin1String("MIN")
        || head == QLatin1String("MAX") || head == QLatin1String("AVG")
        || head == QLatin1String("COUNT");
}

bool holdsLineBreak(const QVariant &value)
{
    return value.toString().contains(QLatin1String("\r\n"));
}

}   // namespace

ReportEvaluation::ReportEvaluation(TpgxReport &report)
    : m_report(report), m_script(std::make_unique<script::TkxScript>())
{
    resetCache();
    m_system.startDate = format::currentDate();
    m_system.startTime = format::currentTime();
    script::TkxScript &s = *m_script;
    s.setSyntaxType(m_cache->language());
    s.addModules();
    script::declareVariable(s, QStringLiteral("Value"), QStringLiteral("Variant"), Variant::null());
    script::declareMethodArray(
        s, QStringLiteral("function Get(Name: String): Variant"),
        [this](QObject *, script::TkxClassVariable *, QList<Variant> &args, const QString &) {
            return script::fromQVariant(get(args.value(0).toString()));
        });
    script::declareMethodArray(
        s, QStringLiteral("procedure Set(Name: String; Value: Variant)"),
        [this](QObject *, script::TkxClassVariable *, QList<Variant> &args, const QString &) {
            m_report.variables()->setValue(args.value(0).toString(),
                                           script::toQVariant(args.value(1)));
            return Variant::null();
        });
    declareMacroFunctions(*this);
    evaluations().insert(&m_report, this);
}

ReportEvaluation::~ReportEvaluation()
{
    evaluations().remove(&m_report);
}

QString ReportEvaluation::languageOf(const TpgxReport &report)
{
    return report.scriptLanguage().isEmpty() ? QStringLiteral("PascalScript")
                                             : report.scriptLanguage();
}

void ReportEvaluation::resetCache()
{
    m_cache = std::make_unique<ExpressionCache>(languageOf(m_report),
                                                pgxResources().get(QStringLiteral("clExprError")));
}

void ReportEvaluation::fireEvent(const QString &handler, QObject *object, QVariantList *values)
{
    const QString name = handler.trimmed();
    if (name.isEmpty())
        return;
    QList<Variant> args{script::TkxObjectTable::toVariant(object)};
    if (!values) {
        m_script->callFunction(name, Variant::arrayOf(args));
        return;
    }
    for (const QVariant &v : std::as_const(*values))
        args.append(script::fromQVariant(v));
    Variant inOut = Variant::arrayOf(args);
    m_script->callFunctionWithVarParams(name, inOut);
    for (qsizetype i = 0; i < values->size(); ++i) {
        const qint64 index = i + 1;
        if (const Variant *element = inOut.arrayElement(&index, 1))
            (*values)[i] = script::toQVariant(*element);
    }
}

ReportEvaluation &ReportEvaluation::of(TpgxReport &report)
{
    if (ReportEvaluation *existing = evaluations().value(&report))
        return *existing;
    // Owned by the report's lifetime: dropped when the report goes.
    auto *made = new ReportEvaluation(report);
    QObject::connect(&report, &QObject::destroyed, [made] { delete made; });
    return *made;
}

std::optional<QVariant> ReportEvaluation::fieldValue(const QString &name) const
{
    const auto ref = splitFieldRef(name);
    if (!ref || ref->second.isEmpty())
        return std::nullopt;
    const TpgxDataSet *source = m_report.getDataset(ref->first);
    if (!source)
        return std::nullopt;
    QVariant value = source->getValue(ref->second);
    if (value.isNull() && m_report.engineOptions()->convertNulls) {
        switch (source->getFieldType(ref->second)) {
        case TpgxDataSet::fftNumeric: value = 0; break;
        case TpgxDataSet::fftString: value = QString(); break;
        case TpgxDataSet::fftBoolean: value = false; break;
        }
    }
    return value;
}

bool ReportEvaluation::isFieldReference(const QString &name) const
{
    const auto ref = splitFieldRef(name);
    return ref && !ref->second.isEmpty() && m_report.getDataset(ref->first);
}

std::optional<QVariant> ReportEvaluation::systemValue(const QString &name) const
{
    const QString n = name.toUpper();
    const SystemValues &s = m_system;
    if (n == QLatin1String("DATE"))
        return format::dateTimeOfDays(s.startDate);
    if (n == QLatin1String("TIME"))
        return format::dateTimeOfDays(s.startTime);
    if (n == QLatin1String("PAGE"))
        return s.page;
    if (n == QLatin1String("PAGE#"))
        return s.pageIndex;
    if (n == QLatin1String("TOTALPAGES"))
        return s.totalPages;
    if (n == QLatin1String("TOTALPAGES#"))
        return s.totalPagesNo;
    if (n == QLatin1String("LINE"))
        return s.line;
    if (n == QLatin1String("LINE#"))
        return s.lineNo;
    if (n == QLatin1String("COPYNAME#"))
        return pgxGlobalVariables().value(QStringLiteral("CopyName0"));
    return std::nullopt;
}

std::optional<QVariant> ReportEvaluation::variableValue(const QString &name)
{
    const TpgxVariables *variables = m_report.variables();
    const int index = variables->indexOf(name);
    if (index < 0 || variables->items(index)->isCategory())
        return std::nullopt;
    const QVariant value = variables->items(index)->value();
    const bool isText
        = value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray;
    if (!isText || holdsLineBreak(value))
        return value;
    // A variable's text is an expression; variables that refer to each
    // other would never end.
    const QString key = name.toUpper();
    if (m_evaluatingVariables.contains(key))
        fail(QStringLiteral("Variable '%1' refers to itself").arg(name));
    m_evaluatingVariables.insert(key);
    struct Leave
    {
        QSet<QString> &set;
        QString key;
        ~Leave() { set.remove(key); }
    } leave{m_evaluatingVariables, key};
    return calc(value.toString());
}

std::optional<QVariant> ReportEvaluation::resolveName(const QString &name)
{
    if (auto v = fieldValue(name))
        return v;
    if (auto v = systemValue(name))
        return v;
    if (auto v = variableValue(name))
        return v;
    if (pgxGlobalVariables().indexOf(name) >= 0)
        return pgxGlobalVariables().value(name);
    if (script::TkxCustomVariable *item = m_script->find(name)) {
        if (dynamic_cast<script::TkxVariable *>(item))
            return script::toQVariant(item->getValue());
    }
    return std::nullopt;
}

void ReportEvaluation::fail(const QString &message)
{
    if (!m_reportedFailure.isEmpty() && message == m_reportedFailure)
        throw pgx::Error(message);
    const QString full
        = m_currentObject.isEmpty() ? message : m_currentObject + QLatin1String(": ") + message;
    m_report.addError(full);
    m_reportedFailure = full;
    throw pgx::Error(full);
}

QVariant ReportEvaluation::calc(const QString &expression)
{
    if (m_calcDepth == 0)
        m_reportedFailure.clear();
    struct Depth
    {
        int &depth;
        explicit Depth(int &d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    } depth{m_calcDepth};
    if (auto v = resolveName(expression))
        return *v;
    const ExpressionCache::Result result = m_cache->calc(expression, *m_script);
    if (!result.error.isEmpty())
        fail(result.error);
    return script::toQVariant(result.value);
}

QVariant ReportEvaluation::get(const QString &name)
{
    if (auto v = resolveName(name))
        return *v;
    if (isAggregateCall(name))
        return calc(name);
    m_report.addError(pgxResources().get(QStringLiteral("clUnknownVar")) + QLatin1Char(' ') + name);
    return {};
}

QVariant ReportEvaluation::computeAggregate(const QString &name, const QString &expression,
                                            TpgxBand *band, int flags)
{
    if (!m_aggregateHandler)
        return {};
    return m_aggregateHandler(name, expression, band, flags);
}

void ReportEvaluation::setCurrentValue(const QVariant &value)
{
    m_script->setVariable(QStringLiteral("Value"), script::fromQVariant(value));
}

void installReportEvaluation()
{
    // Every report script is made with the report module among its modules.
    registerReportModules();
    TpgxReport::setValueHook([](TpgxReport &report, const QVariant &value) {
        ReportEvaluation::of(report).setCurrentValue(value);
    });
    TpgxReport::setCalcHook([](TpgxReport &report, const QString &expression) {
        return ReportEvaluation::of(report).calc(expression);
    });
}

}   // namespace pgx::engine
