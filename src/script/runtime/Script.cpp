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
constexpr qintptr kEngineOwner = TkxScript::kLibraryOwner;
}   // namespace

TkxScript::TkxScript(QObject *parent)
    : QObject(parent), m_mainStatement(std::make_unique<TkxStatement>(this))
{ }

TkxScript::~TkxScript()
{
    setOnRunLine(nullptr);
    // Statements refer to items: free them first.
    m_mainStatement.reset();
    m_items.clear();
}

void TkxScript::setOnRunLine(RunLineHandler handler)
{
    const bool had = bool(m_onRunLine);
    m_onRunLine = std::move(handler);
    sLineHookCount += int(bool(m_onRunLine)) - int(had);
}

// ---- items --------------------------------------------------------------------------

void TkxScript::addItem(const QString &name, std::unique_ptr<TkxItemList> item)
{
    item->setOwner(itemOwner);
    Entry entry{name.toUpper(), std::move(item), false};
    // In front of the items of the same name: the newest one is found.
    auto pos
        = std::lower_bound(m_items.begin(), m_items.end(), entry.upperName,
                           [](const Entry &e, const QString &key) { return e.upperName < key; });
    m_items.insert(pos, std::move(entry));
    ++m_itemsVersion;
}

TkxCustomVariable *TkxScript::findLocal(const QString &name) const
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

TkxCustomVariable *TkxScript::find(const QString &name) const
{
    for (const TkxScript *s = this; s; s = s->m_parent)
        if (TkxCustomVariable *v = s->findLocal(name))
            return v;
    return nullptr;
}

TkxCustomVariable *TkxScript::findClass(const QString &name) const
{
    TkxCustomVariable *v = find(name);
    return v && v->kind() == TkxKind::Class && dynamic_cast<TkxTypeVariable *>(v) ? v : nullptr;
}

TkxVariable *TkxScript::addVariable(const QString &name, TkxKind kind, const QString &typeName,
                                    const Variant &value)
{
    if (kind == TkxKind::String || kind == TkxKind::Char) {
        auto v = std::make_unique<TkxStringVariable>(name, kind, typeName);
        v->setValue(value.isNull() ? Variant::fromString8(QString()) : value);
        return add(name, std::move(v));
    }
    return add(name, std::make_unique<TkxVariable>(name, kind, typeName, value));
}

TkxVariable *TkxScript::addConst(const QString &name, TkxKind kind, const QString &typeName,
                                 const Variant &value)
{
    TkxVariable *v = add(name, std::make_unique<TkxVariable>(name, kind, typeName, value));
    v->readOnly = true;
    return v;
}

TkxVariable *TkxScript::addArrayVariable(const QString &name, const QList<ArrayBound> &bounds)
{
    TkxVariable *v
        = add(name,
              std::make_unique<TkxVariable>(name, TkxKind::Array, QStringLiteral("Array"),
                                            Variant::createArray(bounds)));
    v->refItem
        = add(QString(), std::make_unique<TkxArrayHelper>(QString(), int(bounds.size()), false));
    return v;
}

TkxProcVariable *TkxScript::addProcedure(const QString &name, bool isFunction, TkxKind resultKind,
                                         const QString &resultType)
{
    return add(name,
               std::make_unique<TkxProcVariable>(name, isFunction, resultKind, resultType, this));
}

TkxStatement *TkxScript::addStatement(std::unique_ptr<TkxStatement> statement)
{
    return m_mainStatement->add(std::move(statement));
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

void TkxScript::clear()
{
    resetProgram();
    removeItemsIf([](const Entry &e) { return !e.isModule && e.item->owner() != kEngineOwner; });
    errorMessage.clear();
    errorPosition.clear();
    errorUnit.clear();
}

void TkxScript::clearItems(qintptr owner)
{
    resetProgram();
    removeItemsIf([owner](const Entry &e) { return e.item->owner() == owner; });
}

void TkxScript::addModules()
{
    if (m_modulesAdded)
        return;
    m_modulesAdded = true;
    const qintptr saved = itemOwner;
    itemOwner = kEngineOwner;
    for (const ModuleFactory &factory : hooks().modules) {
        std::unique_ptr<TkxItemList> module = factory(*this);
        if (!module)
            continue;
        addItem(QString(), std::move(module));
        // The module is the newest unnamed entry: first among the empty names.
        auto it = std::find_if(m_items.begin(), m_items.end(),
                               [](const Entry &e) { return e.upperName.isEmpty() && !e.isModule; });
        if (it != m_items.end())
            it->isModule = true;
    }
    itemOwner = saved;
}

void TkxScript::removeModules()
{
    resetProgram();
    removeItemsIf([](const Entry &e) { return e.isModule || e.item->owner() == kEngineOwner; });
    m_modulesAdded = false;
}

// ---- running ----------------------------------------------------------------------

TkxScript *TkxScript::program()
{
    TkxScript *s = this;
    while (s->m_parent)
        s = s->m_parent;
    return s;
}

bool TkxScript::compile()
{
    errorMessage.clear();
    if (hooks().compile) {
        hooks().compile(*this);
    } else {
        errorMessage = QStringLiteral("No syntax analyser is installed");
        errorPosition = QStringLiteral("1:1");
    }
    if (errorMessage.isEmpty())
        errorPosition.clear();
    return errorMessage.isEmpty();
}

void TkxScript::execute()
{
    struct Reset
    {
        TkxScript *s;
        bool savedMainRun;
        TkxScript *savedScope;
        ~Reset()
        {
            s->flags = 0;
            s->running = false;
            s->mainRun = savedMainRun;
            s->currentScope = savedScope;
        }
    } reset{this, mainRun, currentScope};
    flags = 0;
    running = true;
    mainRun = true;
    currentScope = nullptr;
    m_mainStatement->execute();
}

void TkxScript::terminate()
{
    flags |= TerminatedFlag | ExitFlagBit;
    for (const Entry &e : m_items)
        if (auto *proc = dynamic_cast<TkxProcVariable *>(e.item.get()))
            proc->localScript()->terminate();
}

namespace {
QString wrapAsFunction(const QString &language, const QString &expression)
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

QString TkxScript::evaluateFunctionName(const QString &language)
{
    // In BasicScript "_" at the start of a token continues the line, so the
    // analyser reads "__f__" as "f__".
    if (language.compare(QLatin1String("BasicScript"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("f__");
    return QStringLiteral("__f__");
}

QString TkxScript::wrapExpression(const QString &language, const QString &expression)
{
    return wrapAsFunction(language, expression);
}

Variant TkxScript::evaluate(const QString &expression)
{
    TkxScript temp;
    // The parent first, so that modules can tell a child scope.
    temp.setParentScope(currentScope ? currentScope : this);
    temp.addModules();
    temp.setSyntaxType(m_syntaxType);
    temp.highCharIdentifiers = highCharIdentifiers;
    struct HookOff
    {
        TkxScript *s;
        RunLineHandler saved;
        ~HookOff() { s->setOnRunLine(std::move(saved)); }
    } hookOff{this, m_onRunLine};
    setOnRunLine(nullptr);
    temp.setLines(wrapExpression(m_syntaxType, expression).split(QStringLiteral("\r\n")));
    if (!temp.compile())
        return Variant(temp.errorMessage);
    return temp.callFunction(evaluateFunctionName(m_syntaxType), Variant::null());
}

namespace {
// Assigns parameters from an argument array (by position, only as many as
// the procedure has), runs it, and returns its value; the parameters that
// got no argument take their defaults.
Variant callWithArgs(TkxProcVariable *proc, const Variant &args, Variant *writeBack)
{
    std::optional<TkxLocalsGuard> locals;
    if (proc->executing)
        locals.emplace(proc);
    const qint64 given = args.isArray() && args.arrayDimCount() == 1 ? args.arrayTotalCount() : 0;
    const int params = proc->paramCount();
    const Variant *data = given ? args.arrayData() : nullptr;
    for (int i = 0; i < params; ++i) {
        TkxParamItem *p = proc->param(i);
        if (i < given)
            p->value = data[i];
        else if (p->hasDefault)
            p->value = p->defaultValue;
    }
    const Variant result = proc->getValue();
    if (writeBack && given) {
        const qint64 low = args.arrayBound(0).low;
        for (int i = 0; i < params && i < given; ++i) {
            const qint64 index = low + i;
            writeBack->setArrayElement(&index, 1, proc->param(i)->value);
        }
    }
    return result;
}
}   // namespace

Variant TkxScript::callFunction(const QString &name, const Variant &args)
{
    auto *proc = dynamic_cast<TkxProcVariable *>(findLocal(name));
    if (!proc)
        return Variant::null();
    return callWithArgs(proc, args, nullptr);
}

Variant TkxScript::callFunctionWithVarParams(const QString &name, Variant &args)
{
    auto *proc = dynamic_cast<TkxProcVariable *>(findLocal(name));
    if (!proc)
        return Variant::null();
    const Variant in = args;
    return callWithArgs(proc, in, &args);
}

void TkxScript::setVariable(const QString &name, const Variant &value)
{
    if (TkxCustomVariable *v = find(name)) {
        v->setValue(value);
        return;
    }
    addVariable(name, TkxKind::Variant, QStringLiteral("Variant"), value);
}

// ---- debugger support ------------------------------------------------------------

void TkxScript::runLine(const QString &unitName, const QString &sourcePos)
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

void TkxScript::addCodeLine(const QString &unitName, const QString &sourcePos)
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

bool TkxScript::isExecutableLine(int line, const QString &unitName) const
{
    const QList<int> lines = m_executableLines.value(unitName);
    return std::binary_search(lines.begin(), lines.end(), line);
}

QList<int> TkxScript::executableLines(const QString &unitName) const
{
    return m_executableLines.value(unitName);
}

// ---- process-wide hooks ----------------------------------------------------------

void TkxScript::setCompileHandler(CompileHandler handler)
{
    hooks().compile = std::move(handler);
}
void TkxScript::setClassInheritsHandler(ClassInheritsHandler handler)
{
    hooks().classInherits = std::move(handler);
}
void TkxScript::setObjectIsHandler(ObjectIsHandler handler)
{
    hooks().objectIs = std::move(handler);
}
void TkxScript::setClassMemberHandler(ClassMemberHandler handler)
{
    hooks().classMember = std::move(handler);
}
void TkxScript::setObjectClassHandler(ObjectClassHandler handler)
{
    hooks().objectClass = std::move(handler);
}

TkxCustomVariable *TkxScript::classMember(TkxCustomVariable *classItem, const QString &member)
{
    return hooks().classMember && classItem ? hooks().classMember(classItem, member) : nullptr;
}

QString TkxScript::objectClassName(const Variant &object)
{
    return hooks().objectClass ? hooks().objectClass(object) : QString();
}

void TkxScript::registerModule(ModuleFactory factory)
{
    hooks().modules.push_back(std::move(factory));
}

bool TkxScript::classInherits(const QString &className, const QString &ancestor)
{
    if (hooks().classInherits)
        return hooks().classInherits(className, ancestor);
    return className.compare(ancestor, Qt::CaseInsensitive) == 0;
}

bool TkxScript::objectIs(const Variant &object, const QString &className)
{
    return hooks().objectIs ? hooks().objectIs(object, className) : false;
}

}   // namespace pgx::script
