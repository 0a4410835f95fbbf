#include "script/analyser/ProgramBuilder.h"

#include "script/front/KxMessages.h"
#include "script/runtime/Designator.h"
#include "script/runtime/Expression.h"
#include "script/runtime/Script.h"
#include "script/runtime/Statements.h"
#include "script/value/ScriptError.h"

namespace pgx::script {

QString kxMessageName(const QString &key, const QString &name)
{
    return kxMessage(key) + u'\'' + name + u'\'';
}

namespace {
bool is(const ProgramNode &node, QLatin1StringView name)
{
    return node.name().compare(name, Qt::CaseInsensitive) == 0;
}
}   // namespace

TkxProgramBuilder::DepthGuard::DepthGuard(int &depth) : m_depth(depth)
{
    if (++m_depth > kMaxDepth) {
        --m_depth;
        throw ScriptError(kxMessage(QStringLiteral("SNestingTooDeep")));
    }
}

TkxProgramBuilder::TkxProgramBuilder(TkxScript &program, bool declarationsRequired,
                                     const QStringList &lines)
    : m_program(program), m_declarationsRequired(declarationsRequired), m_lines(lines)
{ }

void TkxProgramBuilder::build(const ProgramNode &root)
{
    m_with.clear();
    m_unit.clear();
    processRoot(root, &m_program);
}

// Procedures are declared before any statement is built, so that a call may
// come before the declaration.
void TkxProgramBuilder::processRoot(const ProgramNode &root, TkxScript *scope)
{
    DepthGuard depth(m_depth);
    const ProgramNode *savedRoot = m_root;
    if (is(root, QLatin1StringView("program")))
        m_root = &root;
    declareProcedures(root, scope);
    TkxStatement *list = scope->mainStatement();
    for (int i = 0; i < root.childCount(); ++i)
        handle(*root.child(i), scope, list);
    m_root = savedRoot;
}

void TkxProgramBuilder::declareProcedures(const ProgramNode &root, TkxScript *scope)
{
    DepthGuard depth(m_depth);
    for (int i = 0; i < root.childCount(); ++i) {
        const ProgramNode &child = *root.child(i);
        if (is(child, QLatin1StringView("procedure")) || is(child, QLatin1StringView("function")))
            declareProcedure(child, scope);
        else if (is(child, QLatin1StringView("compoundstmt")))
            declareProcedures(child, scope);
    }
}

void TkxProgramBuilder::declareProcedure(const ProgramNode &node, TkxScript *scope)
{
    m_errorPos = node.pos().toString();
    const ProgramNode *nameLeaf = node.findChild(u"name");
    if (!nameLeaf)
        return;
    const QString name = nameLeaf->text();
    checkRedeclared(name, scope);
    const bool isFunction = is(node, QLatin1StringView("function"));
    const ProgramNode *typeLeaf = nullptr;
    for (int i = 0; i < node.childCount(); ++i)
        if (is(*node.child(i), QLatin1StringView("type")))
            typeLeaf = node.child(i);
    TypeInfo result{TkxKind::Variant, QStringLiteral("Variant")};
    bool returnsValue = isFunction;
    if (isFunction && typeLeaf) {
        // C++Script writes procedures as functions returning void.
        returnsValue = typeLeaf->text().compare(QLatin1String("void"), Qt::CaseInsensitive) != 0;
        if (returnsValue)
            result = resolveType(typeLeaf->text(), scope);
    }
    TkxProcVariable *proc = scope->addProcedure(name, returnsValue, result.kind, result.name);
    proc->sourcePosition = node.pos().toString();
    proc->unitName = m_unit;
    m_procedures.insert(&node, proc);

    const ProgramNode *params = node.findChild(u"parameters");
    if (!params)
        return;
    TkxScript *local = proc->localScript();
    bool nextByRef = false;
    for (int g = 0; g < params->childCount(); ++g) {
        const ProgramNode &group = *params->child(g);
        if (is(group, QLatin1StringView("varparams"))) {
            nextByRef = true;
            continue;
        }
        if (!is(group, QLatin1StringView("var")))
            continue;
        bool byRef = nextByRef;
        nextByRef = false;
        const ProgramNode *groupType = group.findChild(u"type");
        const TypeInfo type = resolveType(groupType ? groupType->text() : QString(), local);
        const bool typeFirst
            = group.childCount() > 0 && is(*group.child(0), QLatin1StringView("type"));
        for (int i = 0; i < group.childCount(); ++i) {
            const ProgramNode &leaf = *group.child(i);
            if (is(leaf, QLatin1StringView("varparam"))) {
                byRef = true;
                continue;
            }
            if (!is(leaf, QLatin1StringView("ident")))
                continue;
            // The default: the init after this identifier (C++Script) or
            // the group's init.
            const ProgramNode *init = nullptr;
            for (int j = typeFirst ? i + 1 : 0; j < group.childCount(); ++j) {
                const ProgramNode &c = *group.child(j);
                if (typeFirst && is(c, QLatin1StringView("ident")))
                    break;
                if (is(c, QLatin1StringView("init"))) {
                    init = &c;
                    break;
                }
            }
            checkRedeclared(leaf.text(), local);
            Variant defaultValue = Variant::null();
            if (init && init->childCount() > 0) {
                m_errorPos = init->pos().toString();
                TypeInfo valueType{};
                defaultValue = evaluateNow(*init->child(0), local, &valueType);
                checkAssignable(type.kind, type.name, valueType.kind, valueType.name);
            }
            proc->addParameter(leaf.text(), type.kind, type.name, byRef, init != nullptr,
                               defaultValue);
        }
    }
}

void TkxProgramBuilder::checkRedeclared(const QString &name, TkxScript *scope) const
{
    const TkxCustomVariable *existing = scope->findLocal(name);
    if (!existing)
        return;
    QString message = kxMessageName(QStringLiteral("SIdRedeclared"), name);
    // Programs from other dialects often name a local like a library
    // function (dec, inc, pos): say why the name is taken.
    if (existing->owner() == TkxScript::kLibraryOwner)
        message += QStringLiteral(" (a library name: choose another name)");
    throw ScriptError(message);
}

void TkxProgramBuilder::addStatement(TkxStatement *list, std::unique_ptr<TkxStatement> statement)
{
    m_program.addCodeLine(statement->unitName(), statement->sourcePosition());
    list->add(std::move(statement));
}

void TkxProgramBuilder::handleChildren(const ProgramNode &node, TkxScript *scope,
                                       TkxStatement *list, int from, int to)
{
    if (to < 0)
        to = node.childCount();
    for (int i = from; i < to; ++i)
        handle(*node.child(i), scope, list);
}

void TkxProgramBuilder::handle(const ProgramNode &node, TkxScript *scope, TkxStatement *list)
{
    DepthGuard depth(m_depth);
    const QString name = node.name().toLower();
    if (!node.pos().isNull())
        m_errorPos = node.pos().toString();
    const QString pos = node.pos().toString();

    if (name == QLatin1String("assignstmt")) {
        buildAssignment(node, scope, list);
    } else if (name == QLatin1String("callstmt")) {
        buildCall(node, scope, list);
    } else if (name == QLatin1String("ifstmt")) {
        buildIf(node, scope, list);
    } else if (name == QLatin1String("casestmt")) {
        buildCase(node, scope, list);
    } else if (name == QLatin1String("forstmt")) {
        buildFor(node, scope, list, false);
    } else if (name == QLatin1String("vbforstmt")) {
        buildFor(node, scope, list, true);
    } else if (name == QLatin1String("cppforstmt")) {
        buildCppFor(node, scope, list);
    } else if (name == QLatin1String("whilestmt")) {
        buildWhile(node, scope, list);
    } else if (name == QLatin1String("repeatstmt")) {
        buildRepeat(node, scope, list);
    } else if (name == QLatin1String("trystmt")) {
        buildTry(node, scope, list);
    } else if (name == QLatin1String("break")) {
        addStatement(list, std::make_unique<TkxBreakStmt>(scope, pos, m_unit));
    } else if (name == QLatin1String("continue")) {
        addStatement(list, std::make_unique<TkxContinueStmt>(scope, pos, m_unit));
    } else if (name == QLatin1String("exit")) {
        addStatement(list, std::make_unique<TkxExitStmt>(scope, pos, m_unit));
    } else if (name == QLatin1String("return")) {
        buildReturn(node, scope, list);
    } else if (name == QLatin1String("with")) {
        buildWith(node, scope, list);
    } else if (name == QLatin1String("delete")) {
        if (node.childCount() > 0)
            addStatement(list,
                         std::make_unique<TkxCallStmt>(
                             scope, buildDesignator(*node.child(0), scope, Mode::Delete), QString(),
                             pos, m_unit));
    } else if (name == QLatin1String("compoundstmt")) {
        handleChildren(node, scope, list);
    } else if (name == QLatin1String("uses")) {
        buildUses(node, scope, list);
    } else if (name == QLatin1String("var")) {
        declareVariables(node, scope, list);
    } else if (name == QLatin1String("const")) {
        declareConst(node, scope);
    } else if (name == QLatin1String("procedure") || name == QLatin1String("function")) {
        TkxProcVariable *proc = m_procedures.value(&node);
        if (proc)
            processRoot(node, proc->localScript());
    }
    // Anything else (name, type, parameters, types, empty, leaves) builds
    // nothing.
}

// ---- assignments and calls -------------------------------------------------------

void TkxProgramBuilder::buildAssignment(const ProgramNode &node, TkxScript *scope,
                                        TkxStatement *list)
{
    const ProgramNode *dsgn = nullptr;
    const ProgramNode *modificator = nullptr;
    const ProgramNode *value = nullptr;
    for (int i = 0; i < node.childCount(); ++i) {
        const ProgramNode &c = *node.child(i);
        if (!dsgn && is(c, QLatin1StringView("dsgn")))
            dsgn = &c;
        else if (is(c, QLatin1StringView("modificator")))
            modificator = &c;
        else if (is(c, QLatin1StringView("expr")))
            value = &c;
    }
    if (!dsgn || !value)
        return;
    const QString pos = node.pos().toString();
    std::unique_ptr<TkxDesignator> target = buildDesignator(*dsgn, scope);
    std::unique_ptr<TkxExpression> e = buildExpression(*value, scope);
    if (target->readOnly)
        throw ScriptError(kxMessage(QStringLiteral("SLeftCantAssigned")));
    checkAssignable(target->kind(), target->typeName(), e->kind(), e->typeName());

    QString op = modificator ? modificator->text() : QString();
    if (op.isEmpty()) {
        // V := V + E runs as V += E: no copy of the old value is made.
        TkxCustomVariable *simple = target->isLate() ? nullptr : target->simpleVariable();
        if (simple && target->itemCount() == 1) {
            const QString compound = e->compoundForm(simple);
            if (compound != QLatin1String(" "))
                op = compound;
        }
    }
    using Op = TkxAssignmentStmt::Op;
    const Op compound = op == QLatin1String("+") ? Op::Plus
        : op == QLatin1String("-")               ? Op::Minus
        : op == QLatin1String("*")               ? Op::Mul
        : op == QLatin1String("/")               ? Op::Div
                                                 : Op::None;
    addStatement(list,
                 std::make_unique<TkxAssignmentStmt>(scope, std::move(target), std::move(e),
                                                     compound, pos, m_unit));
}

void TkxProgramBuilder::buildCall(const ProgramNode &node, TkxScript *scope, TkxStatement *list)
{
    const ProgramNode *dsgn = node.findChild(u"dsgn");
    if (!dsgn)
        return;
    const ProgramNode *modificator = node.findChild(u"modificator");
    std::unique_ptr<TkxDesignator> d = buildDesignator(*dsgn, scope);
    const QString step = modificator ? modificator->text() : QString();
    if (!step.isEmpty() && d->readOnly)
        throw ScriptError(kxMessage(QStringLiteral("SLeftCantAssigned")));
    addStatement(
        list,
        std::make_unique<TkxCallStmt>(scope, std::move(d), step, node.pos().toString(), m_unit));
}

// ---- control statements ----------------------------------------------------------

void TkxProgramBuilder::buildIf(const ProgramNode &node, TkxScript *scope, TkxStatement *list)
{
    const ProgramNode *condition = node.findChild(u"expr");
    if (!condition)
        return;
    auto statement = std::make_unique<TkxIfStmt>(scope, buildExpression(*condition, scope),
                                                 node.pos().toString(), m_unit);
    TkxIfStmt *raw = statement.get();
    addStatement(list, std::move(statement));
    if (const ProgramNode *thenNode = node.findChild(u"thenstmt"))
        handleChildren(*thenNode, scope, raw->thenList());
    if (const ProgramNode *elseNode = node.findChild(u"elsestmt"))
        handleChildren(*elseNode, scope, raw->elseList());
}

void TkxProgramBuilder::buildCase(const ProgramNode &node, TkxScript *scope, TkxStatement *list)
{
    if (node.childCount() == 0)
        return;
    auto statement = std::make_unique<TkxCaseStmt>(scope, buildExpression(*node.child(0), scope),
                                                   node.pos().toString(), m_unit);
    TkxCaseStmt *raw = statement.get();
    addStatement(list, std::move(statement));
    const int n = node.childCount();
    for (int i = 1; i < n; ++i) {
        const ProgramNode &c = *node.child(i);
        if (is(c, QLatin1StringView("caseselector"))) {
            if (c.childCount() != 2)
                continue;
            m_errorPos = c.pos().toString();
            auto selector = std::make_unique<TkxCaseSelector>(scope, buildSet(*c.child(0), scope),
                                                              c.pos().toString(), m_unit);
            TkxCaseSelector *sel = raw->addSelector(std::move(selector));
            handle(*c.child(1), scope, sel);
        } else if (i == n - 1) {
            handle(c, scope, raw->elseList());
        }
    }
}

void TkxProgramBuilder::buildFor(const ProgramNode &node, TkxScript *scope, TkxStatement *list,
                                 bool vb)
{
    const ProgramNode *ident = node.findChild(u"ident");
    if (!ident)
        return;
    std::vector<const ProgramNode *> exprs;
    const ProgramNode *body = nullptr;
    bool down = false;
    for (int i = 0; i < node.childCount(); ++i) {
        const ProgramNode &c = *node.child(i);
        if (&c == ident)
            continue;
        if (is(c, QLatin1StringView("downto")))
            down = true;
        else if (is(c, QLatin1StringView("expr")) && exprs.size() < (vb ? 3u : 2u))
            exprs.push_back(&c);
        else if (!body)
            body = &c;
    }
    if (exprs.size() < 2)
        return;
    TkxCustomVariable *v = lookUpName(ident->text(), scope, *ident);
    const TkxKind kind = v->kind();
    if (!v->isPlain() || v->readOnly
        || (kind != TkxKind::Integer && kind != TkxKind::Float && kind != TkxKind::Variant))
        throw ScriptError(kxMessage(QStringLiteral("SForError")));
    std::unique_ptr<TkxExpression> start = buildExpression(*exprs[0], scope);
    checkAssignable(kind, v->typeName(), start->kind(), start->typeName());
    std::unique_ptr<TkxExpression> end = buildExpression(*exprs[1], scope);
    checkAssignable(kind, v->typeName(), end->kind(), end->typeName());
    const QString pos = node.pos().toString();
    TkxStatement *raw;
    if (vb) {
        std::unique_ptr<TkxExpression> step;
        if (exprs.size() > 2) {
            step = buildExpression(*exprs[2], scope);
            checkAssignable(kind, v->typeName(), step->kind(), step->typeName());
        }
        auto statement = std::make_unique<TkxVbForStmt>(scope, v, std::move(start), std::move(end),
                                                        std::move(step), pos, m_unit);
        raw = statement.get();
        addStatement(list, std::move(statement));
    } else {
        auto statement = std::make_unique<TkxForStmt>(scope, v, std::move(start), std::move(end),
                                                      down, pos, m_unit);
        raw = statement.get();
        addStatement(list, std::move(statement));
    }
    if (body)
        handle(*body, scope, raw);
}

void TkxProgramBuilder::buildCppFor(const ProgramNode &node, TkxScript *scope, TkxStatement *list)
{
    if (node.childCount() < 3)
        return;
    auto statement = std::make_unique<TkxCppForStmt>(scope, nullptr, node.pos().toString(), m_unit);
    TkxCppForStmt *raw = statement.get();
    // The initialisation may declare the variable the condition reads.
    handle(*node.child(0), scope, raw->initList());
    const ProgramNode &condNode = *node.child(1);
    if (is(condNode, QLatin1StringView("expr")))
        raw->setCondition(buildExpression(condNode, scope));
    addStatement(list, std::move(statement));
    handle(*node.child(2), scope, raw->stepList());
    if (node.childCount() > 3)
        handle(*node.child(3), scope, raw);
}

void TkxProgramBuilder::buildWhile(const ProgramNode &node, TkxScript *scope, TkxStatement *list)
{
    if (node.childCount() == 0)
        return;
    auto statement = std::make_unique<TkxWhileStmt>(scope, buildExpression(*node.child(0), scope),
                                                    node.pos().toString(), m_unit);
    TkxWhileStmt *raw = statement.get();
    addStatement(list, std::move(statement));
    if (node.childCount() > 1)
        handle(*node.child(1), scope, raw);
}

void TkxProgramBuilder::buildRepeat(const ProgramNode &node, TkxScript *scope, TkxStatement *list)
{
    int last = node.childCount() - 1;
    bool inverted = false;
    if (last >= 0 && is(*node.child(last), QLatin1StringView("inverse"))) {
        inverted = true;
        --last;
    }
    if (last < 0)
        return;
    m_errorPos = node.child(last)->pos().toString();
    std::unique_ptr<TkxExpression> condition = buildExpression(*node.child(last), scope);
    auto statement = std::make_unique<TkxRepeatStmt>(scope, std::move(condition), inverted,
                                                     node.pos().toString(), m_unit);
    TkxRepeatStmt *raw = statement.get();
    addStatement(list, std::move(statement));
    handleChildren(node, scope, raw, 0, last);
}

void TkxProgramBuilder::buildTry(const ProgramNode &node, TkxScript *scope, TkxStatement *list)
{
    const ProgramNode *handler = nullptr;
    for (int i = 0; i < node.childCount(); ++i) {
        const ProgramNode &c = *node.child(i);
        if (is(c, QLatin1StringView("exceptstmt")) || is(c, QLatin1StringView("finallystmt")))
            handler = &c;
    }
    const bool isExcept = handler && is(*handler, QLatin1StringView("exceptstmt"));
    auto statement = std::make_unique<TkxTryStmt>(scope, isExcept, node.pos().toString(), m_unit);
    TkxTryStmt *raw = statement.get();
    addStatement(list, std::move(statement));
    for (int i = 0; i < node.childCount(); ++i) {
        const ProgramNode &c = *node.child(i);
        if (&c == handler)
            handleChildren(c, scope, raw->handlerList());
        else
            handle(c, scope, raw);
    }
}

// return E is Result := E followed by exit, one statement.
void TkxProgramBuilder::buildReturn(const ProgramNode &node, TkxScript *scope, TkxStatement *list)
{
    if (node.childCount() == 1) {
        ProgramNode assign(QStringLiteral("assignstmt"));
        assign.setPos(node.pos());
        auto dsgn = std::make_unique<ProgramNode>(QStringLiteral("dsgn"));
        dsgn->setPos(node.pos());
        auto result = std::make_unique<ProgramNode>(QStringLiteral("node"));
        result->setText(QStringLiteral("Result"));
        result->setPos(node.pos());
        dsgn->appendChild(std::move(result));
        assign.appendChild(std::move(dsgn));
        assign.appendChild(node.child(0)->clone());
        const int before = list->count();
        buildAssignment(assign, scope, list);
        auto *assignment = list->count() > before
            ? dynamic_cast<TkxAssignmentStmt *>(list->statement(list->count() - 1))
            : nullptr;
        if (assignment) {
            assignment->setExitAfter();
            return;
        }
    }
    addStatement(list, std::make_unique<TkxExitStmt>(scope, node.pos().toString(), m_unit));
}

void TkxProgramBuilder::buildWith(const ProgramNode &node, TkxScript *scope, TkxStatement *list)
{
    const int n = node.childCount();
    if (n == 0)
        return;
    const size_t pushed = m_with.size();
    for (int i = 0; i < n - 1; ++i) {
        const ProgramNode &c = *node.child(i);
        if (!is(c, QLatin1StringView("dsgn")))
            continue;
        m_errorPos = c.pos().toString();
        std::unique_ptr<TkxDesignator> d = buildDesignator(c, scope);
        if (d->kind() != TkxKind::Class && d->kind() != TkxKind::Variant)
            throw ScriptError(kxMessage(QStringLiteral("SClassRequired")));
        // The hidden variable: the smallest number not yet a name here.
        QString name;
        for (int k = 0;; ++k) {
            name = QString::number(k);
            const bool taken = scope->findLocal(name)
                || std::any_of(m_with.begin(), m_with.end(),
                               [&](const WithEntry &w) { return w.name == name; });
            if (!taken)
                break;
        }
        TkxCustomVariable *hidden = scope->addVariable(name, d->kind(), d->typeName());
        addStatement(
            list,
            std::make_unique<TkxWithStmt>(scope, hidden, std::move(d), c.pos().toString(), m_unit));
        m_with.push_back({name, hidden, scope});
    }
    handle(*node.child(n - 1), scope, list);
    m_with.resize(pushed);
}

void TkxProgramBuilder::buildUses(const ProgramNode &node, TkxScript *scope, TkxStatement *list)
{
    Q_UNUSED(list);
    const QString savedUnit = m_unit;
    m_unit = node.attribute(u"unit");
    QString stored;
    if (m_program.onGetIlUnit)
        m_program.onGetIlUnit(&m_program, m_unit, stored);
    ProgramTree tree;
    if (!stored.isEmpty()) {
        QString error;
        if (!ProgramTree::fromXml(stored, tree, &error))
            throw ScriptError(error);
        processRoot(*tree.root(), scope);
    } else {
        for (int i = 0; i < node.childCount(); ++i)
            processRoot(*node.child(i), scope);
    }
    m_unit = savedUnit;
}

// ---- declarations ----------------------------------------------------------------

void TkxProgramBuilder::declareVariables(const ProgramNode &node, TkxScript *scope,
                                         TkxStatement *list)
{
    const ProgramNode *typeLeaf = node.findChild(u"type");
    const TypeInfo type = resolveType(typeLeaf ? typeLeaf->text() : QString(), scope);
    const bool typeFirst = node.childCount() > 0 && is(*node.child(0), QLatin1StringView("type"));
    for (int i = 0; i < node.childCount(); ++i) {
        const ProgramNode &leaf = *node.child(i);
        if (!is(leaf, QLatin1StringView("ident")))
            continue;
        const QString name = leaf.text();
        checkRedeclared(name, scope);
        // The array and init items of this identifier.
        const ProgramNode *array = nullptr;
        const ProgramNode *init = nullptr;
        for (int j = typeFirst ? i + 1 : 0; j < node.childCount(); ++j) {
            const ProgramNode &c = *node.child(j);
            if (typeFirst && is(c, QLatin1StringView("ident")))
                break;
            if (is(c, QLatin1StringView("array")))
                array = &c;
            else if (is(c, QLatin1StringView("init")))
                init = &c;
        }
        TkxCustomVariable *v;
        if (array) {
            v = declareArray(name, *array, scope);
        } else {
            Variant initial = Variant::null();
            switch (type.kind) {
            case TkxKind::Boolean: initial = Variant(false); break;
            case TkxKind::Char:
            case TkxKind::String: initial = Variant::fromString8(QString()); break;
            case TkxKind::Array:
            case TkxKind::Variant:
            case TkxKind::Constructor: break;
            default: initial = Variant(0); break;
            }
            v = scope->addVariable(name, type.kind, type.name, initial);
        }
        v->sourcePosition = leaf.pos().toString();
        v->unitName = m_unit;
        if (init && init->childCount() > 0) {
            m_errorPos = init->pos().toString();
            std::unique_ptr<TkxExpression> e = buildExpression(*init->child(0), scope);
            checkAssignable(v->kind(), v->typeName(), e->kind(), e->typeName());
            addStatement(
                list,
                std::make_unique<TkxAssignmentStmt>(
                    scope, std::make_unique<TkxVariableDesignator>(scope, v, leaf.pos().toString()),
                    std::move(e), TkxAssignmentStmt::Op::None, init->pos().toString(), m_unit));
        }
    }
}

TkxCustomVariable *TkxProgramBuilder::declareArray(const QString &name, const ProgramNode &array,
                                                   TkxScript *scope)
{
    QList<ArrayBound> bounds;
    for (int i = 0; i < array.childCount(); ++i) {
        const ProgramNode &dim = *array.child(i);
        if (!is(dim, QLatin1StringView("dim")) || dim.childCount() == 0)
            continue;
        m_errorPos = dim.pos().toString();
        const qint64 first = evaluateNow(*dim.child(0), scope).toInt64();
        if (dim.childCount() >= 2)
            bounds.append({first, evaluateNow(*dim.child(1), scope).toInt64()});
        else
            bounds.append({0, first - 1});
    }
    if (bounds.isEmpty())
        bounds.append({0, 0});
    // A declared array has at least one element per dimension: inverted
    // bounds are an error here, and huge ones in Variant::createArray.
    for (const ArrayBound &b : bounds)
        if (b.high < b.low)
            throw ScriptError(QStringLiteral("Invalid variant array bounds"),
                              QStringLiteral("EVariantArrayCreateError"));
    return scope->addArrayVariable(name, bounds);
}

void TkxProgramBuilder::declareConst(const ProgramNode &node, TkxScript *scope)
{
    if (node.childCount() < 2)
        return;
    const QString name = node.child(0)->text();
    checkRedeclared(name, scope);
    TypeInfo type{};
    const Variant value = evaluateNow(*node.child(1), scope, &type);
    TkxCustomVariable *c = scope->addConst(name, type.kind, type.name, value);
    c->sourcePosition = node.pos().toString();
    c->unitName = m_unit;
}

}   // namespace pgx::script
