#pragma once

#include "script/runtime/Items.h"

#include <QtCore/QHash>
#include <QtCore/QObject>
#include <QtCore/QStringList>

#include <algorithm>
#include <functional>
#include <memory>

namespace pgx::script {

class TkxStatement;

// The script component, and every scope: the program, each procedure's
// local scope and the temporary scopes of Evaluate, linked by Parent for
// name lookup. Items are kept sorted by upper-cased name; an item added
// under an existing name goes in front of the older ones and is the one
// found. Names are resolved once, when the program is built: at run time
// statements and expressions hold their items.
class TkxScript : public QObject, public TkxItemList
{
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ lines WRITE setLines)
    Q_PROPERTY(QString SyntaxType READ syntaxType WRITE setSyntaxType)

public:
    using RunLineHandler
        = std::function<void(TkxScript *sender, const QString &unitName, const QString &sourcePos)>;
    using UnitHandler
        = std::function<void(TkxScript *sender, const QString &unitName, QString &unitText)>;
    // Compiles a script's Lines into its items and MainStatement, setting
    // ErrorMessage, ErrorPosition and ErrorUnit on failure. The syntax
    // analyser installs it; without one Compile reports that none is there.
    using CompileHandler = std::function<void(TkxScript &script)>;
    // Class questions that only the class registry can answer.
    using ClassInheritsHandler
        = std::function<bool(const QString &className, const QString &ancestor)>;
    using ObjectIsHandler = std::function<bool(const Variant &object, const QString &className)>;
    // A member of a registered class item (its own or inherited); an empty
    // member name asks for the class's default property. None when absent.
    using ClassMemberHandler
        = std::function<TkxCustomVariable *(TkxCustomVariable *classItem, const QString &member)>;
    // The registered class name of an object value, empty when it is none.
    using ObjectClassHandler = std::function<QString(const Variant &object)>;
    // Creates one registration module for a script (added as an unnamed item).
    using ModuleFactory = std::function<std::unique_ptr<TkxItemList>(TkxScript &script)>;

    explicit TkxScript(QObject *parent = nullptr);
    ~TkxScript() override;

    // Published properties.
    QStringList lines() const { return m_lines; }
    void setLines(const QStringList &lines) { m_lines = lines; }
    QString syntaxType() const { return m_syntaxType; }
    void setSyntaxType(const QString &syntaxType) { m_syntaxType = syntaxType; }
    UnitHandler onGetUnit;
    UnitHandler onGetIlUnit;
    const RunLineHandler &onRunLine() const { return m_onRunLine; }
    void setOnRunLine(RunLineHandler handler);

    // Scope state.
    TkxScript *parentScope() const { return m_parent; }
    void setParentScope(TkxScript *parent) { m_parent = parent; }
    TkxStatement *mainStatement() const { return m_mainStatement.get(); }
    QString errorMessage;
    QString errorPosition;
    QString errorUnit;
    qintptr itemOwner = 0;
    // The owner of the items the library modules add (messages tell a
    // script's own names from the library's by it).
    static constexpr qintptr kLibraryOwner = 1;
    bool highCharIdentifiers = false;
    bool modulesAdded() const { return m_modulesAdded; }
    bool running = false;
    bool mainRun = false;
    TkxScript *currentScope = nullptr;

    // Run flags, one bit each so that a statement list tests them at once.
    enum Flag : quint8 {
        TerminatedFlag = 1,
        BreakFlagBit = 2,
        ContinueFlagBit = 4,
        ExitFlagBit = 8
    };
    quint8 flags = 0;
    bool terminated() const { return flags & TerminatedFlag; }
    bool breakFlag() const { return flags & BreakFlagBit; }
    bool continueFlag() const { return flags & ContinueFlagBit; }
    bool exitFlag() const { return flags & ExitFlagBit; }
    void setFlag(Flag f, bool on) { flags = on ? quint8(flags | f) : quint8(flags & ~f); }

    // Operations.
    bool compile();
    // Runs MainStatement on this scope. Errors propagate; the flags and the
    // running state are reset on the way out in every case.
    void execute();
    // Evaluates one expression in the context of the procedure being run
    // (CurrentScope) or of this script; a compile error comes back as its
    // message text.
    Variant evaluate(const QString &expression);
    // The program Evaluate compiles for an expression: a function __f__
    // returning it, in the language's own syntax.
    static QString wrapExpression(const QString &language, const QString &expression);
    // The name that function has once compiled.
    static QString evaluateFunctionName(const QString &language);
    // Calls a procedure of this scope by name; `args`, when an array, gives
    // the parameters in order (only as many as the procedure has). Null when
    // the name is not a procedure.
    Variant callFunction(const QString &name, const Variant &args);
    // As CallFunction, and writes the parameters' values back into `args`.
    Variant callFunctionWithVarParams(const QString &name, Variant &args);
    void setVariable(const QString &name, const Variant &value);
    void terminate();
    void clear() override;
    void clearItems(qintptr owner);
    void addModules();
    void removeModules();

    // Items.
    void addItem(const QString &name, std::unique_ptr<TkxItemList> item);
    template<class T>
    T *add(const QString &name, std::unique_ptr<T> item)
    {
        T *raw = item.get();
        addItem(name, std::move(item));
        return raw;
    }
    TkxCustomVariable *find(const QString &name) const;
    TkxCustomVariable *findLocal(const QString &name) const;
    TkxCustomVariable *findClass(const QString &name) const;
    int count() const { return int(m_items.size()); }
    TkxItemList *items(int i) const { return m_items[size_t(i)].item.get(); }
    QString itemName(int i) const { return m_items[size_t(i)].upperName; }
    // Grows whenever items are added or removed (cached item lists compare it).
    quint64 itemsVersion() const { return m_itemsVersion; }

    // Builders used by the analyser and by tests.
    TkxVariable *addVariable(const QString &name, TkxKind kind, const QString &typeName,
                             const Variant &value = Variant::null());
    TkxVariable *addConst(const QString &name, TkxKind kind, const QString &typeName,
                          const Variant &value);
    // An array variable: kind array, a variant array of variants with these
    // bounds, and an unnamed array helper with one index per dimension
    // attached as its RefItem.
    TkxVariable *addArrayVariable(const QString &name, const QList<ArrayBound> &bounds);
    TkxProcVariable *addProcedure(const QString &name, bool isFunction,
                                  TkxKind resultKind = TkxKind::Variant,
                                  const QString &resultType = QStringLiteral("Variant"));
    // Appends a statement to MainStatement.
    TkxStatement *addStatement(std::unique_ptr<TkxStatement> statement);

    // Debugger support.
    void runLine(const QString &unitName, const QString &sourcePos);
    void addCodeLine(const QString &unitName, const QString &sourcePos);
    bool isExecutableLine(int line, const QString &unitName = QString()) const;
    QList<int> executableLines(const QString &unitName = QString()) const;

    // The first scope from this one upwards on which Execute runs. Inline
    // (defined below): every call asks.
    inline TkxScript *findMainRun();
    TkxScript *program();   // the top of the parent chain

    // Process-wide hooks.
    static void setCompileHandler(CompileHandler handler);
    static void setClassInheritsHandler(ClassInheritsHandler handler);
    static void setObjectIsHandler(ObjectIsHandler handler);
    static void setClassMemberHandler(ClassMemberHandler handler);
    static void setObjectClassHandler(ObjectClassHandler handler);
    static TkxCustomVariable *classMember(TkxCustomVariable *classItem, const QString &member);
    static QString objectClassName(const Variant &object);
    static bool classInherits(const QString &className, const QString &ancestor);
    static bool objectIs(const Variant &object, const QString &className);
    static void registerModule(ModuleFactory factory);

    // Non-zero while any scope has an OnRunLine handler: statements look at
    // this one word and do nothing more when no debugger listens.
    static int lineHookCount() { return sLineHookCount; }

private:
    struct Entry
    {
        QString upperName;
        std::unique_ptr<TkxItemList> item;
        bool isModule = false;
    };
    void removeItemsIf(const std::function<bool(const Entry &)> &predicate);
    void resetProgram();

    QStringList m_lines;
    QString m_syntaxType = QStringLiteral("PascalScript");
    RunLineHandler m_onRunLine;
    TkxScript *m_parent = nullptr;
    std::vector<Entry> m_items;
    std::unique_ptr<TkxStatement> m_mainStatement;
    QHash<QString, QList<int>> m_executableLines;
    bool m_modulesAdded = false;
    quint64 m_itemsVersion = 0;

    static inline int sLineHookCount = 0;
};

TkxScript *TkxScript::findMainRun()
{
    for (TkxScript *s = this; s; s = s->m_parent)
        if (s->mainRun)
            return s;
    return nullptr;
}

const std::vector<TkxCustomVariable *> &TkxProcVariable::localVariables()
{
    if (Q_UNLIKELY(m_localVarsVersion != m_local->itemsVersion()))
        refreshLocalVariables();
    return m_localVars;
}

Q_ALWAYS_INLINE TkxLocalsGuard::TkxLocalsGuard(TkxProcVariable *proc) : m_proc(proc)
{
    const auto &vars = proc->localVariables();
    m_saved.reserve(qsizetype(vars.size()));
    for (const TkxCustomVariable *v : vars)
        m_saved.emplace_back(v->value);
}

// The list is asked again: the call may have added locals (late bindings),
// and only those that were saved are put back. The saved values change
// places with the callee's, which go with the guard.
TkxLocalsGuard::~TkxLocalsGuard()
{
    const auto &vars = m_proc->localVariables();
    const qsizetype n = std::min(qsizetype(vars.size()), m_saved.size());
    for (qsizetype i = 0; i < n; ++i)
        vars[size_t(i)]->value.swap(m_saved[i]);
}

}   // namespace pgx::script
