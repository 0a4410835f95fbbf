#pragma once

#include "script/front/ProgramTree.h"
#include "script/runtime/Kinds.h"
#include "script/value/Variant.h"

#include <QtCore/QHash>
#include <QtCore/QString>
#include <QtCore/QStringList>

#include <memory>
#include <vector>

namespace pgx::script {

class TkxCustomVariable;
class TkxDesignator;
class TkxDesignatorItem;
class TkxExpression;
class TkxProcVariable;
class TkxScript;
class TkxSetExpression;
class TkxStatement;

// Stage 2 of the syntax analyser: walks a program tree and builds the
// runtime program inside a TkxScript. All four languages share it; what it
// knows of a language is the set of node names the grammars produce. Every
// name is resolved here, so at run time statements and expressions hold the
// items themselves. Errors are thrown (ScriptError) and caught by the
// caller, which stores message, position and unit in the program.
class TkxProgramBuilder
{
public:
    // `declarationsRequired` is the grammar's declarevars setting; `lines`
    // is the main script's text (source texts of expressions for macros).
    TkxProgramBuilder(TkxScript &program, bool declarationsRequired,
                      const QStringList &lines = QStringList());

    // Processes a tree root into the program. Throws on the first error.
    void build(const ProgramNode &root);

    // Where the last statement node began, and its unit: the error position
    // when an error carries none of its own.
    const QString &errorPosition() const { return m_errorPos; }
    const QString &unitName() const { return m_unit; }

    // The designator of a program-tree node, built again at run time by a
    // late binding. `prefix`, when set, stands before the node's first name
    // (a with statement's hidden variable of kind variant).
    void rebuildDesignator(TkxDesignator &designator, const ProgramNode &node,
                           TkxCustomVariable *prefix, const QString &unit);

    // Declaration and nesting limits: a program tree comes from input.
    static constexpr int kMaxDepth = 2000;

private:
    enum class Mode { Plain, New, Delete };
    struct WithEntry
    {
        QString name;
        TkxCustomVariable *hidden;
        TkxScript *scope;
    };
    struct TypeInfo
    {
        TkxKind kind;
        QString name;
    };
    // Stage 1 bounds the nesting of what it produces, but a stored unit
    // tree comes from a file: the builder's own recursion is bounded too.
    class DepthGuard
    {
    public:
        explicit DepthGuard(int &depth);
        ~DepthGuard() { --m_depth; }
        DepthGuard(const DepthGuard &) = delete;
        DepthGuard &operator=(const DepthGuard &) = delete;

    private:
        int &m_depth;
    };

    // Roots and statements (ProgramBuilder.cpp).
    void processRoot(const ProgramNode &root, TkxScript *scope);
    void declareProcedures(const ProgramNode &root, TkxScript *scope);
    void declareProcedure(const ProgramNode &node, TkxScript *scope);
    void handle(const ProgramNode &node, TkxScript *scope, TkxStatement *list);
    void handleChildren(const ProgramNode &node, TkxScript *scope, TkxStatement *list, int from = 0,
                        int to = -1);
    void addStatement(TkxStatement *list, std::unique_ptr<TkxStatement> statement);
    void buildAssignment(const ProgramNode &node, TkxScript *scope, TkxStatement *list);
    void buildCall(const ProgramNode &node, TkxScript *scope, TkxStatement *list);
    void buildIf(const ProgramNode &node, TkxScript *scope, TkxStatement *list);
    void buildCase(const ProgramNode &node, TkxScript *scope, TkxStatement *list);
    void buildFor(const ProgramNode &node, TkxScript *scope, TkxStatement *list, bool vb);
    void buildCppFor(const ProgramNode &node, TkxScript *scope, TkxStatement *list);
    void buildWhile(const ProgramNode &node, TkxScript *scope, TkxStatement *list);
    void buildRepeat(const ProgramNode &node, TkxScript *scope, TkxStatement *list);
    void buildTry(const ProgramNode &node, TkxScript *scope, TkxStatement *list);
    void buildReturn(const ProgramNode &node, TkxScript *scope, TkxStatement *list);
    void buildWith(const ProgramNode &node, TkxScript *scope, TkxStatement *list);
    void buildUses(const ProgramNode &node, TkxScript *scope, TkxStatement *list);
    void declareVariables(const ProgramNode &node, TkxScript *scope, TkxStatement *list);
    void declareConst(const ProgramNode &node, TkxScript *scope);
    TkxCustomVariable *declareArray(const QString &name, const ProgramNode &array,
                                    TkxScript *scope);
    void checkRedeclared(const QString &name, TkxScript *scope) const;

    // Designators (DesignatorBuilder.cpp).
    std::unique_ptr<TkxDesignator> buildDesignator(const ProgramNode &node, TkxScript *scope,
                                                   Mode mode = Mode::Plain);
    // Builds the chain into `d`; false when the designator must be built
    // late (the node is then kept by a late binding).
    bool buildChain(TkxDesignator &d, const ProgramNode &node, TkxScript *scope, Mode mode,
                    TkxCustomVariable *prefix, bool runTime, TkxCustomVariable **latePrefix);
    TkxCustomVariable *lookUpName(const QString &name, TkxScript *scope, const ProgramNode &at);
    void checkArguments(TkxDesignatorItem &item, TkxScript *scope, const QString &where);
    std::unique_ptr<TkxDesignator> simplify(std::unique_ptr<TkxDesignator> d, TkxScript *scope);

    // Expressions and types (ExpressionBuilder.cpp).
    std::unique_ptr<TkxExpression> buildExpression(const ProgramNode &node, TkxScript *scope);
    void addExpressionItems(TkxExpression &e, const ProgramNode &node, TkxScript *scope);
    std::unique_ptr<TkxSetExpression> buildSet(const ProgramNode &node, TkxScript *scope);
    Variant evaluateNow(const ProgramNode &exprNode, TkxScript *scope, TypeInfo *type = nullptr);
    TypeInfo resolveType(const QString &typeName, TkxScript *scope) const;
    void checkAssignable(TkxKind targetKind, const QString &targetType, TkxKind valueKind,
                         const QString &valueType) const;
    QString sourceText(TextPos from, TextPos to) const;

    TkxScript &m_program;
    bool m_declarationsRequired;
    QStringList m_lines;
    const ProgramNode *m_root = nullptr;   // for type aliases
    QString m_unit;
    QString m_errorPos;
    std::vector<WithEntry> m_with;
    QHash<const ProgramNode *, TkxProcVariable *> m_procedures;
    int m_depth = 0;
};

// The message of a keyed text followed by a name in single quotes.
QString kxMessageName(const QString &key, const QString &name);

}   // namespace pgx::script
