#include "script/runtime/Script.h"

#include "script/runtime/Statements.h"
#include "script/value/ScriptError.h"

#include <algorithm>

namespace pgx::script {

namespace {
struct Hooks
{
    TkxScript::CompileHandler compile;
    TkxScript::ClassInheritsHandler classInherits;
    TkxScript::ObjectIsHandler objectIs;
    TkxScript::ClassMemberHandler classMember;
    TkxScript::ObjectClassHandler objectClass;
    std::vector<TkxScript::ModuleFactory> modules;
};

Hooks &hooks()
{
    static Hooks h;
    return h;
}

// The owner tag of engine-provided items.
constexpr qintptr kEngineOwner = 1;
}   // namespace

TkxScript::TkxScript(QObject *parent)
    : QObject(parent), m_mainStatement(std::make_unique<TkxStatement>(this))
{ }

TkxScript::~TkxScript()
{
    SetOnRunLine(nullptr);
    // Statements refer to items: free them first.
    m_mainStatement.reset();
    m_items.clear();
}

void TkxScript::SetOnRunLine(RunLineHandler handler)
{
    const bool had = bool(m_onRunLine);
    m_onRunLine = std::move(handler);
    s_lineHookCount += int(bool(m_onRunLine)) - int(had);
}

// ---- items --------------------------------------------------------------------------

void TkxScript::AddItem(const QString &name, std::unique_ptr<TkxItemList> item)
{
    item->SetOwner(ItemOwner);
    Entry entry{name.toUpper(), std::move(item), false};
    // In front of the items of the same name: the newest one is found.
    auto pos
        = std::lower_bound(m_items.begin(), m_items.end(), entry.upperName,
                           [](const Entry &e, const QString &key) { return e.upperName < key; });
    m_items.insert(pos, std::move(entry));
    ++m_itemsVersion;
}

TkxCustomVariable *TkxScript::FindLocal(const QString &name) const
{
    const QString key = name.toUpper();
    auto pos = std::lower_bound(m_items.begin(), m_items.end(), key,
                                [](const Entry &e, const QString &k) { return e.upperName < k; });
    for (; pos != m_items.end() && pos->upperName == key; ++pos) {
        if (auto *v = dynamic_cast<TkxCustomVariable *>(pos->item.get()))
            return v;
    }
    return nullptr;
}

TkxCustomVariable *TkxScript::Find(const QString &name) const
{
    for (const TkxScript *s = this; s; s = s->m_parent)
        if (TkxCustomVariable *v = s->FindLocal(name))
            return v;
    return nullptr;
}

TkxCustomVariable *TkxScript::FindClass(const QString &name) const
{
    TkxCustomVariable *v = Find(name);
    return v && v->Kind() == TkxKind::Class && dynamic_cast<TkxTypeVariable *>(v) ? v : nullptr;
}

TkxVariable *TkxScript::AddVariable(const QString &name, TkxKind kind, const QString &typeName,
                                    const Variant &value)
{
    if (kind == TkxKind::String || kind == TkxKind::Char) {
        auto v = std::make_unique<TkxStringVariable>(name, kind, typeName);
        v->SetValue(value.isNull() ? Variant::fromString8(QString()) : value);
        return Add(name, std::move(v));
    }
    return Add(name, std::make_unique<TkxVariable>(name, kind, typeName, value));
}

TkxVariable *TkxScript::AddConst(const QString &name, TkxKind kind, const QString &typeName,
                                 const Variant &value)
{
    TkxVariable *v = Add(name, std::make_unique<TkxVariable>(name, kind, typeName, value));
    v->ReadOnly = true;
    return v;
}

TkxVariable *TkxScript::AddArrayVariable(const QString &name, const QList<ArrayBound> &bounds)
{
    TkxVariable *v
        = Add(name,
              std::make_unique<TkxVariable>(name, TkxKind::Array, QStringLiteral("Array"),
                                            Variant::createArray(bounds)));
    v->RefItem
        = Add(QString(), std::make_unique<TkxArrayHelper>(QString(), int(bounds.size()), false));
    return v;
}

TkxProcVariable *TkxScript::AddProcedure(const QString &name, bool isFunction, TkxKind resultKind,
                                         const QString &resultType)
{
    return Add(name,
               std::make_unique<TkxProcVariable>(name, isFunction, resultKind, resultType, this));
}

TkxStatement *TkxScript::AddStatement(std::unique_ptr<TkxStatement> statement)
{
    return m_mainStatement->Add(std::move(statement));
}

void TkxScript::removeItemsIf(const std::function<bool(const Entry &)> &predicate)
{
    // Move the doomed items out first: freeing one may free scopes that
    // still point back here.
    std::vector<Entry> doomed;
    auto keep = std::stable_partition(m_items.begin(), m_items.end(),
                                      [&](const Entry &e) { return !predicate(e); });
    std::move(keep, m_items.end(), std::back_inserter(doomed));
    m_items.erase(keep, m_items.end());
    ++m_itemsVersion;
    doomed.clear();
}

void TkxScript::resetProgram()
{
    m_mainStatement = std::make_unique<TkxStatement>(this);
    m_executableLines.clear();
}

void TkxScript::Clear()
{
    resetProgram();
    removeItemsIf([](const Entry &e) { return !e.isModule && e.item->Owner() != kEngineOwner; });
    ErrorMessage.clear();
    ErrorPosition.clear();
    ErrorUnit.clear();
}

void TkxScript::ClearItems(qintptr owner)
{
    resetProgram();
    removeItemsIf([owner](const Entry &e) { return e.item->Owner() == owner; });
}

void TkxScript::AddModules()
{
    if (m_modulesAdded)
        return;
    m_modulesAdded = true;
    const qintptr saved = ItemOwner;
    ItemOwner = kEngineOwner;
    for (const ModuleFactory &factory : hooks().modules) {
        std::unique_ptr<TkxItemList> module = factory(*this);
        if (!module)
            continue;
        AddItem(QString(), std::move(module));
        // The module is the newest unnamed entry: first among the empty names.
        auto it = std::find_if(m_items.begin(), m_items.end(),
                               [](const Entry &e) { return e.upperName.isEmpty() && !e.isModule; });
        if (it != m_items.end())
            it->isModule = true;
    }
    ItemOwner = saved;
}

void TkxScript::RemoveModules()
{
    resetProgram();
    removeItemsIf([](const Entry &e) { return e.isModule || e.item->Owner() == kEngineOwner; });
    m_modulesAdded = false;
}

// ---- running ----------------------------------------------------------------------

TkxScript *TkxScript::Program()
{
    TkxScript *s = this;
    while (s->m_parent)
        s = s->m_parent;
    return s;
}

bool TkxScript::Compile()
{
    ErrorMessage.clear();
    if (hooks().compile) {
        hooks().compile(*this);
    } else {
        ErrorMessage = QStringLiteral("No syntax analyser is installed");
        ErrorPosition = QStringLiteral("1:1");
    }
    if (ErrorMessage.isEmpty())
        ErrorPosition.clear();
    return ErrorMessage.isEmpty();
}

void TkxScript::Execute()
{
    struct Reset
    {
        TkxScript *s;
        bool savedMainRun;
        TkxScript *savedScope;
        ~Reset()
        {
            s->Flags = 0;
            s->Running = false;
            s->MainRun = savedMainRun;
            s->CurrentScope = savedScope;
        }
    } reset{this, MainRun, CurrentScope};
    Flags = 0;
    Running = true;
    MainRun = true;
    CurrentScope = nullptr;
    m_mainStatement->Execute();
}

void TkxScript::Terminate()
{
    Flags |= TerminatedFlag | ExitFlagBit;
    for (const Entry &e : m_items)
        if (auto *proc = dynamic_cast<TkxProcVariable *>(e.item.get()))
            proc->LocalScript()->Terminate();
}

namespace {
QString wrapExpression(const QString &language, const QString &expression)
{
    const QString crlf = QStringLiteral("\r\n");
    if (language.compare(QLatin1String("C++Script"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Variant __f__() { return ") + expression + QStringLiteral("; } {}");
    if (language.compare(QLatin1String("BasicScript"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("function __f__") + crlf + QStringLiteral("return ") + expression
            + crlf + QStringLiteral("end function");
    if (language.compare(QLatin1String("JScript"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("function __f__() { return (") + expression + QStringLiteral("); }");
    return QStringLiteral("function __f__: Variant; begin Result := ") + expression
        + QStringLiteral(" end; begin end.");
}
}   // namespace

QString TkxScript::EvaluateFunctionName(const QString &language)
{
    // In BasicScript "_" at the start of a token continues the line, so the
    // analyser reads "__f__" as "f__".
    if (language.compare(QLatin1String("BasicScript"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("f__");
    return QStringLiteral("__f__");
}

QString TkxScript::WrapExpression(const QString &language, const QString &expression)
{
    return wrapExpression(language, expression);
}

Variant TkxScript::Evaluate(const QString &expression)
{
    TkxScript temp;
    temp.AddModules();
    temp.SetParent(CurrentScope ? CurrentScope : this);
    temp.SetSyntaxType(m_syntaxType);
    temp.HighCharIdentifiers = HighCharIdentifiers;
    struct HookOff
    {
        TkxScript *s;
        RunLineHandler saved;
        ~HookOff() { s->SetOnRunLine(std::move(saved)); }
    } hookOff{this, m_onRunLine};
    SetOnRunLine(nullptr);
    temp.SetLines(WrapExpression(m_syntaxType, expression).split(QStringLiteral("\r\n")));
    if (!temp.Compile())
        return Variant(temp.ErrorMessage);
    return temp.CallFunction(EvaluateFunctionName(m_syntaxType), Variant::null());
}

namespace {
// Assigns parameters from an argument array (by position, only as many as
// the procedure has), runs it, and returns its value; the parameters that
// got no argument take their defaults.
Variant callWithArgs(TkxProcVariable *proc, const Variant &args, Variant *writeBack)
{
    std::optional<TkxLocalsGuard> locals;
    if (proc->Executing)
        locals.emplace(proc);
    const qint64 given = args.isArray() && args.arrayDimCount() == 1 ? args.arrayTotalCount() : 0;
    const int params = proc->ParamCount();
    const Variant *data = given ? args.arrayData() : nullptr;
    for (int i = 0; i < params; ++i) {
        TkxParamItem *p = proc->Param(i);
        if (i < given)
            p->Value = data[i];
        else if (p->HasDefault)
            p->Value = p->DefaultValue;
    }
    const Variant result = proc->GetValue();
    if (writeBack && given) {
        const qint64 low = args.arrayBound(0).low;
        for (int i = 0; i < params && i < given; ++i) {
            const qint64 index = low + i;
            writeBack->setArrayElement(&index, 1, proc->Param(i)->Value);
        }
    }
    return result;
}
}   // namespace

Variant TkxScript::CallFunction(const QString &name, const Variant &args)
{
    auto *proc = dynamic_cast<TkxProcVariable *>(FindLocal(name));
    if (!proc)
        return Variant::null();
    return callWithArgs(proc, args, nullptr);
}

Variant TkxScript::CallFunctionWithVarParams(const QString &name, Variant &args)
{
    auto *proc = dynamic_cast<TkxProcVariable *>(FindLocal(name));
    if (!proc)
        return Variant::null();
    const Variant in = args;
    return callWithArgs(proc, in, &args);
}

void TkxScript::SetVariable(const QString &name, const Variant &value)
{
    if (TkxCustomVariable *v = Find(name)) {
        v->SetValue(value);
        return;
    }
    AddVariable(name, TkxKind::Variant, QStringLiteral("Variant"), value);
}

// ---- debugger support ------------------------------------------------------------

void TkxScript::RunLine(const QString &unitName, const QString &sourcePos)
{
    for (TkxScript *s = this; s; s = s->m_parent) {
        if (s->m_onRunLine) {
            // A copy: the handler may replace itself.
            const RunLineHandler handler = s->m_onRunLine;
            handler(this, unitName, sourcePos);
            return;
        }
    }
}

void TkxScript::AddCodeLine(const QString &unitName, const QString &sourcePos)
{
    bool ok = false;
    const int line = sourcePos.section(QLatin1Char(':'), 0, 0).toInt(&ok);
    if (!ok)
        return;
    QList<int> &lines = m_executableLines[unitName];
    auto pos = std::lower_bound(lines.begin(), lines.end(), line);
    if (pos == lines.end() || *pos != line)
        lines.insert(pos, line);
}

bool TkxScript::IsExecutableLine(int line, const QString &unitName) const
{
    const QList<int> lines = m_executableLines.value(unitName);
    return std::binary_search(lines.begin(), lines.end(), line);
}

QList<int> TkxScript::ExecutableLines(const QString &unitName) const
{
    return m_executableLines.value(unitName);
}

// ---- process-wide hooks ----------------------------------------------------------

void TkxScript::SetCompileHandler(CompileHandler handler)
{
    hooks().compile = std::move(handler);
}
void TkxScript::SetClassInheritsHandler(ClassInheritsHandler handler)
{
    hooks().classInherits = std::move(handler);
}
void TkxScript::SetObjectIsHandler(ObjectIsHandler handler)
{
    hooks().objectIs = std::move(handler);
}
void TkxScript::SetClassMemberHandler(ClassMemberHandler handler)
{
    hooks().classMember = std::move(handler);
}
void TkxScript::SetObjectClassHandler(ObjectClassHandler handler)
{
    hooks().objectClass = std::move(handler);
}

TkxCustomVariable *TkxScript::ClassMember(TkxCustomVariable *classItem, const QString &member)
{
    return hooks().classMember && classItem ? hooks().classMember(classItem, member) : nullptr;
}

QString TkxScript::ObjectClassName(const Variant &object)
{
    return hooks().objectClass ? hooks().objectClass(object) : QString();
}

void TkxScript::RegisterModule(ModuleFactory factory)
{
    hooks().modules.push_back(std::move(factory));
}

bool TkxScript::ClassInherits(const QString &className, const QString &ancestor)
{
    if (hooks().classInherits)
        return hooks().classInherits(className, ancestor);
    return className.compare(ancestor, Qt::CaseInsensitive) == 0;
}

bool TkxScript::ObjectIs(const Variant &object, const QString &className)
{
    return hooks().objectIs ? hooks().objectIs(object, className) : false;
}

}   // namespace pgx::script
