#include "script/analyser/ProgramBuilder.h"

#include "script/front/KxMessages.h"
#include "script/registry/Registry.h"
#include "script/runtime/Designator.h"
#include "script/runtime/Expression.h"
#include "script/runtime/Script.h"
#include "script/value/ScriptError.h"

namespace pgx::script {

namespace {
bool is(const ProgramNode &node, QLatin1StringView name)
{
    return node.name().compare(name, Qt::CaseInsensitive) == 0;
}

[[noreturn]] void raiseAt(const QString &message, const ProgramNode &at, const QString &unit)
{
    ScriptError error(message);
    if (!at.pos().isNull())
        error.setPosition(at.pos().toString(), unit);
    throw error;
}

// A designator whose referents could only be known at run time (a member of
// a variant, a name inside `with` over a variant): it keeps its tree node and
// is built again, by a builder of its own, on its first evaluation.
class TkxTreeLateBinding : public TkxLateBinding
{
public:
    TkxTreeLateBinding(std::unique_ptr<ProgramNode> node, TkxCustomVariable *prefix,
                       TkxScript *program, bool declarationsRequired, QString unit)
        : m_node(std::move(node)), m_prefix(prefix), m_program(program),
          m_declarationsRequired(declarationsRequired), m_unit(std::move(unit))
    { }

    void rebuild(TkxDesignator &designator) override
    {
        TkxProgramBuilder builder(*m_program, m_declarationsRequired);
        try {
            builder.rebuildDesignator(designator, *m_node, m_prefix, m_unit);
        } catch (...) {
            // Not resolvable yet (or an error): stay late, so that the next
            // evaluation tries again instead of finding an empty chain.
            designator.clearChain();
            designator.setLateBinding(std::make_unique<TkxTreeLateBinding>(
                m_node->clone(), m_prefix, m_program, m_declarationsRequired, m_unit));
            throw;
        }
    }

private:
    std::unique_ptr<ProgramNode> m_node;
    TkxCustomVariable *m_prefix;
    TkxScript *m_program;
    bool m_declarationsRequired;
    QString m_unit;
};

// The kinds the designator chain reads a value of, to decide what the next
// name means.
bool isStringKind(TkxKind k)
{
    return k == TkxKind::String || k == TkxKind::Char;
}
}   // namespace

TkxCustomVariable *TkxProgramBuilder::lookUpName(const QString &name, TkxScript *scope,
                                                 const ProgramNode &at)
{
    if (TkxCustomVariable *v = scope->find(name))
        return v;
    if (m_declarationsRequired)
        raiseAt(kxMessageName(QStringLiteral("SIdUndeclared"), name), at, m_unit);
    // Languages without declarations: a new global variant, Null at first.
    return m_program.addVariable(name, TkxKind::Variant, QStringLiteral("Variant"));
}

std::unique_ptr<TkxDesignator> TkxProgramBuilder::buildDesignator(const ProgramNode &node,
                                                                  TkxScript *scope, Mode mode)
{
    DepthGuard depth(m_depth);
    auto d = std::make_unique<TkxDesignator>(scope);
    TkxCustomVariable *latePrefix = nullptr;
    if (!buildChain(*d, node, scope, mode, nullptr, false, &latePrefix)) {
        d->clearChain();
        d->setKind(TkxKind::Variant, QStringLiteral("Variant"));
        d->readOnly = false;
        d->setLateBinding(std::make_unique<TkxTreeLateBinding>(node.clone(), latePrefix, &m_program,
                                                               m_declarationsRequired, m_unit));
        return d;
    }
    return simplify(std::move(d), scope);
}

void TkxProgramBuilder::rebuildDesignator(TkxDesignator &designator, const ProgramNode &node,
                                          TkxCustomVariable *prefix, const QString &unit)
{
    m_unit = unit;
    designator.clearChain();
    TkxCustomVariable *unused = nullptr;
    buildChain(designator, node, designator.script(), Mode::Plain, prefix, true, &unused);
}

// Builds the items of a designator node in order. Returns false when a
// referent's meaning depends on a value only known at run time (before the
// run); `latePrefix` then names the with variable the rebuild starts from.
bool TkxProgramBuilder::buildChain(TkxDesignator &d, const ProgramNode &node, TkxScript *scope,
                                   Mode mode, TkxCustomVariable *prefix, bool runTime,
                                   TkxCustomVariable **latePrefix)
{
    const int n = node.childCount();
    // The address of a procedure: its name as a string constant.
    if (n > 0 && is(*node.child(0), QLatin1StringView("addr"))) {
        if (n != 2)
            raiseAt(kxMessage(QStringLiteral("SVarRequired")), node, m_unit);
        auto c = std::make_unique<TkxVariable>(QString(), TkxKind::String, QStringLiteral("String"),
                                               Variant::fromString8(node.child(1)->text()));
        c->readOnly = true;
        TkxVariable *constant = scope->add(QString(), std::move(c));
        d.addItem(std::make_unique<TkxDesignatorItem>(constant, node.pos().toString()));
        return true;
    }

    TkxDesignatorItem *lastItem = nullptr;
    auto addItem = [&](TkxCustomVariable *ref, const ProgramNode &at) {
        auto item = std::make_unique<TkxDesignatorItem>(ref, at.pos().toString());
        lastItem = item.get();
        d.addItem(std::move(item));
    };
    // The value the chain so far stands for; at build time only a plain
    // variable's value is known without running anything.
    auto currentValue = [&](TkxCustomVariable *ref, bool *known) -> Variant {
        *known = true;
        if (ref->isPlain() && d.itemCount() == 1 && lastItem->argumentCount() == 0)
            return ref->value;
        if (runTime)
            return d.getValue();
        *known = false;
        return Variant::null();
    };

    if (prefix)
        addItem(prefix, node);

    for (int i = 0; i < n; ++i) {
        const ProgramNode &c = *node.child(i);
        if (is(c, QLatin1StringView("expr"))) {
            if (lastItem)
                lastItem->addArgument(buildExpression(c, scope));
            continue;
        }
        if (!is(c, QLatin1StringView("node")))
            continue;
        const QString name = c.text();

        if (!lastItem) {
            // The first name: the with statements around it first, innermost
            // first, then the scope chain.
            bool resolved = false;
            for (auto w = m_with.rbegin(); w != m_with.rend() && !resolved; ++w) {
                if (w->scope != scope)
                    continue;
                if (w->hidden->kind() == TkxKind::Variant) {
                    if (scope->find(name))
                        break;
                    *latePrefix = w->hidden;
                    return false;
                }
                if (w->hidden->kind() == TkxKind::Class) {
                    TkxCustomVariable *member
                        = TkxScript::classMember(scope->findClass(w->hidden->typeName()), name);
                    if (member) {
                        addItem(w->hidden, c);
                        addItem(member, c);
                        resolved = true;
                    }
                }
            }
            if (!resolved)
                addItem(lookUpName(name, scope, node), c);
            if (mode == Mode::New) {
                TkxCustomVariable *cls = scope->findClass(name);
                if (!cls)
                    raiseAt(kxMessage(QStringLiteral("SClassRequired")), node, m_unit);
                TkxCustomVariable *ctor = TkxScript::classMember(cls, QStringLiteral("Create"));
                if (!ctor)
                    raiseAt(
                        kxMessageName(QStringLiteral("SIdUndeclared"), QStringLiteral("Create")),
                        node, m_unit);
                addItem(ctor, c);
            }
            continue;
        }

        // A later name, resolved against what the previous item refers to.
        TkxCustomVariable *ref = lastItem->ref();
        TkxKind kind = ref->kind();
        QString typeName = ref->typeName();
        if (kind == TkxKind::Constructor && d.itemCount() >= 2) {
            kind = TkxKind::Class;
            typeName = d.item(d.itemCount() - 2)->ref()->typeName();
        }
        const bool bracket = name == QLatin1String("[");

        // An indexed property takes its index from the brackets after it.
        if (auto *method = dynamic_cast<TkxMethodHelper *>(ref);
            method && method->isIndexProperty && !lastItem->indexTaken) {
            if (!bracket)
                raiseAt(kxMessage(QStringLiteral("SIndexRequired")), node, m_unit);
            lastItem->indexTaken = true;
            continue;
        }

        if (kind == TkxKind::Variant) {
            bool known = false;
            const Variant value = currentValue(ref, &known);
            if (!known || value.isNull() || value.isEmpty()) {
                if (!runTime)
                    return false;
                raiseAt(kxMessageName(QStringLiteral("SIdUndeclared"), name), node, m_unit);
            }
            if (value.isString()) {
                kind = TkxKind::String;
            } else if (value.isArray()) {
                if (!bracket)
                    raiseAt(kxMessage(QStringLiteral("SIndexRequired")), node, m_unit);
                TkxCustomVariable *helper = scope->find(QStringLiteral("__ArrayHelper"));
                if (!helper)
                    raiseAt(kxMessageName(QStringLiteral("SIdUndeclared"),
                                          QStringLiteral("__ArrayHelper")),
                            node, m_unit);
                addItem(helper, c);
                continue;
            } else {
                // Any other value is an object of a registered class.
                kind = TkxKind::Class;
                typeName = TkxScript::objectClassName(value);
                if (typeName.isEmpty())
                    raiseAt(kxMessage(QStringLiteral("SClassRequired")), node, m_unit);
            }
        }

        if (isStringKind(kind)) {
            if (!bracket)
                raiseAt(kxMessage(QStringLiteral("SStringError")), node, m_unit);
            TkxCustomVariable *helper = scope->find(QStringLiteral("__StringHelper"));
            if (!helper)
                raiseAt(kxMessageName(QStringLiteral("SIdUndeclared"),
                                      QStringLiteral("__StringHelper")),
                        node, m_unit);
            addItem(helper, c);
        } else if (kind == TkxKind::Class) {
            TkxCustomVariable *cls = scope->findClass(typeName);
            if (!cls)
                raiseAt(kxMessageName(QStringLiteral("SUnknownType"), typeName), node, m_unit);
            if (bracket) {
                TkxCustomVariable *def = TkxScript::classMember(cls, QString());
                if (!def)
                    raiseAt(kxMessageWith(QStringLiteral("SClassError"), cls->name()), node,
                            m_unit);
                addItem(def, c);
                lastItem->indexTaken = true;
                continue;
            }
            TkxCustomVariable *member = TkxScript::classMember(cls, name);
            if (!member) {
                bool known = false;
                const Variant value = currentValue(ref, &known);
                if (!runTime
                    && (!known || value.isNull() || (value.isInteger() && value.rawInt() == 0)))
                    return false;
                raiseAt(kxMessageName(QStringLiteral("SIdUndeclared"), name), node, m_unit);
            }
            addItem(member, c);
        } else if (kind == TkxKind::Array) {
            TkxCustomVariable *helper
                = ref->refItem ? ref->refItem : scope->find(QStringLiteral("__ArrayHelper"));
            if (!helper)
                raiseAt(kxMessage(QStringLiteral("SArrayRequired")), node, m_unit);
            addItem(helper, c);
        } else {
            raiseAt(kxMessage(QStringLiteral("SArrayRequired")), node, m_unit);
        }
    }

    if (!lastItem)
        raiseAt(kxMessage(QStringLiteral("SVarRequired")), node, m_unit);

    if (mode == Mode::Delete) {
        const TkxKind k = lastItem->ref()->kind();
        if (k != TkxKind::Class && k != TkxKind::Variant)
            raiseAt(kxMessage(QStringLiteral("SClassRequired")), node, m_unit);
        TkxCustomVariable *free = TkxScript::classMember(
            scope->findClass(QStringLiteral("TObject")), QStringLiteral("Free"));
        if (!free)
            raiseAt(kxMessageName(QStringLiteral("SIdUndeclared"), QStringLiteral("Free")), node,
                    m_unit);
        addItem(free, node);
    }

    for (int i = 0; i < d.itemCount(); ++i)
        checkArguments(*d.item(i), scope, node.pos().toString());

    // A constructor gives an object of the class before it.
    if (lastItem->ref()->kind() == TkxKind::Constructor && d.itemCount() >= 2)
        d.setKind(TkxKind::Class, d.item(d.itemCount() - 2)->ref()->typeName());
    return true;
}

// Argument count and kinds against the referent's parameters; missing
// trailing arguments become constants of the parameters' defaults.
void TkxProgramBuilder::checkArguments(TkxDesignatorItem &item, TkxScript *scope,
                                       const QString &where)
{
    TkxCustomVariable *ref = item.ref();
    if (dynamic_cast<TkxDesignator *>(ref))
        return;
    const int given = item.argumentCount();
    auto raise = [&](const QString &message) {
        ScriptError error(message);
        if (!where.isEmpty())
            error.setPosition(where, m_unit);
        throw error;
    };
    if (given < ref->requiredParamCount()) {
        QString message = kxMessage(QStringLiteral("SNotEnoughParams"));
        // `f := value` inside f, as other dialects set a result, reads here
        // as a call of f without its arguments.
        auto *proc = dynamic_cast<TkxProcVariable *>(ref);
        bool ownName = false;
        for (const TkxScript *s = scope; proc && proc->isFunction && s && !ownName;
             s = s->parentScope())
            ownName = s == proc->localScript();
        if (ownName && given == 0)
            message += QStringLiteral(" (a function sets its result through Result or return, "
                                      "not through its own name)");
        raise(message);
    }
    if (given > ref->paramCount())
        raise(kxMessage(QStringLiteral("STooManyParams")));
    for (int i = 0; i < given; ++i) {
        const TkxParamItem *p = ref->param(i);
        const TkxExpression *arg = item.argument(i);
        checkAssignable(p->kind(), p->typeName(), arg->kind(), arg->typeName());
    }
    for (int i = given; i < ref->paramCount(); ++i) {
        auto e = std::make_unique<TkxExpression>(scope);
        e->addConstant(ref->param(i)->defaultValue);
        e->finish();
        item.addArgument(std::move(e));
    }
}

// The direct shapes: a variable alone, a character of a string variable, an
// element of an array variable.
std::unique_ptr<TkxDesignator> TkxProgramBuilder::simplify(std::unique_ptr<TkxDesignator> d,
                                                           TkxScript *scope)
{
    if (d->itemCount() == 1 && d->item(0)->argumentCount() == 0) {
        TkxDesignatorItem *item = d->item(0);
        return std::make_unique<TkxVariableDesignator>(scope, item->ref(), item->sourcePosition);
    }
    if (d->itemCount() == 1 && TkxProcCallDesignator::fits(*d->item(0))) {
        auto item
            = std::make_unique<TkxDesignatorItem>(d->item(0)->ref(), d->item(0)->sourcePosition);
        for (auto &arg : d->item(0)->takeArguments())
            item->addArgument(std::move(arg));
        return std::make_unique<TkxProcCallDesignator>(scope, std::move(item));
    }
    if (d->itemCount() != 2 || d->item(0)->argumentCount() != 0)
        return d;
    TkxCustomVariable *first = d->item(0)->ref();
    TkxDesignatorItem *second = d->item(1);
    if (dynamic_cast<TkxStringVariable *>(first) && dynamic_cast<TkxStringHelper *>(second->ref())
        && second->argumentCount() == 1) {
        auto args = second->takeArguments();
        return std::make_unique<TkxStringDesignator>(scope, first, std::move(args[0]),
                                                     d->item(0)->sourcePosition);
    }
    if (first->kind() == TkxKind::Array && first->refItem && second->ref() == first->refItem
        && dynamic_cast<TkxVariable *>(first)) {
        const QString pos = d->item(0)->sourcePosition;
        return std::make_unique<TkxArrayDesignator>(scope, first, second->takeArguments(), pos);
    }
    return d;
}

}   // namespace pgx::script
