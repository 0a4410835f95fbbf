#include "script/runtime/Designator.h"

#include "script/runtime/CallFrame.h"
#include "script/runtime/Expression.h"
#include "script/runtime/Script.h"
#include "script/value/ScriptError.h"

#include <QtCore/QVarLengthArray>

#include <optional>

namespace pgx::script {

TkxDesignatorItem::TkxDesignatorItem(TkxCustomVariable *ref, const QString &sourcePos)
    : sourcePosition(sourcePos), m_ref(ref)
{
    // Classified once here so that evaluation needs no casts.
    if (dynamic_cast<TkxDesignator *>(ref))
        m_refKind = RefKind::Designator;
    else if (dynamic_cast<TkxProcVariable *>(ref))
        m_refKind = RefKind::Procedure;
    else if (dynamic_cast<TkxCustomHelper *>(ref))
        m_refKind = RefKind::Helper;
    else
        m_refKind = RefKind::Plain;
}

TkxDesignatorItem::~TkxDesignatorItem() = default;

void TkxDesignatorItem::addArgument(std::unique_ptr<TkxExpression> argument)
{
    m_args.push_back(std::move(argument));
}

TkxDesignator::TkxDesignator(TkxScript *script)
    : TkxCustomVariable(QString(), TkxKind::Variant, QStringLiteral("Variant")), m_script(script)
{ }

TkxDesignator::~TkxDesignator() = default;

void TkxDesignator::addItem(std::unique_ptr<TkxDesignatorItem> item)
{
    m_chain.push_back(std::move(item));
    const TkxCustomVariable *last = m_chain.back()->ref();
    setKind(last->kind(), last->typeName());
    readOnly = last->readOnly;
}

void TkxDesignator::rebuildIfLate()
{
    if (m_late) {
        std::unique_ptr<TkxLateBinding> late = std::move(m_late);
        late->rebuild(*this);
    }
}

Variant TkxDesignator::getValue()
{
    rebuildIfLate();
    return walk(nullptr);
}

void TkxDesignator::setValue(const Variant &value)
{
    rebuildIfLate();
    walk(&value);
}

// The call protocol, item by item: read a designator referent; save the
// locals of a procedure that is already executing; evaluate and assign the
// arguments; tell a helper what stands before the dot; read (or, for the
// last item of a write, store); write by-reference parameters back through
// their argument expressions once the locals are restored.
Variant TkxDesignator::walk(const Variant *valueToSet)
{
    Variant current = Variant::null();
    TkxCustomVariable *previous = nullptr;
    const size_t n = m_chain.size();
    for (size_t k = 0; k < n; ++k) {
        TkxDesignatorItem *item = m_chain[k].get();
        TkxCustomVariable *ref = item->m_ref;
        const bool last = k + 1 == n;
        if (item->m_refKind == TkxDesignatorItem::RefKind::Designator) {
            if (last && valueToSet)
                ref->setValue(*valueToSet);
            else
                current = ref->getValue();
            previous = ref;
            continue;
        }

        QVarLengthArray<Variant, 4> writeBack;
        QVarLengthArray<TkxExpression *, 4> writeTargets;
        {
            std::optional<TkxLocalsGuard> locals;
            if (item->m_refKind == TkxDesignatorItem::RefKind::Procedure
                && static_cast<TkxProcVariable *>(ref)->executing)
                locals.emplace(static_cast<TkxProcVariable *>(ref));

            const int argCount = qMin(int(item->m_args.size()), ref->paramCount());
            if (argCount > 0) {
                // All arguments first, then the assignments: an argument may
                // read a parameter of the same procedure.
                QVarLengthArray<Variant, 4> args;
                for (int i = 0; i < argCount; ++i) {
                    TkxExpression *arg = item->m_args[size_t(i)].get();
                    args.append(ref->isMacro ? Variant(arg->sourceText) : arg->getValue());
                }
                for (int i = 0; i < argCount; ++i)
                    ref->param(i)->value = args[i];
            }
            if (item->m_refKind == TkxDesignatorItem::RefKind::Helper)
                static_cast<TkxCustomHelper *>(ref)->setContext(previous, current, m_script);

            if (last && valueToSet) {
                ref->setValue(*valueToSet);
            } else {
                ref->needResult = !last || needResult;
                current = ref->getValue();
            }

            for (int i = 0; i < argCount; ++i) {
                if (ref->param(i)->isVarParam) {
                    writeBack.append(ref->param(i)->value);
                    writeTargets.append(item->m_args[size_t(i)].get());
                }
            }
        }
        for (int i = 0; i < writeBack.size(); ++i)
            writeTargets[i]->setValue(writeBack[i]);
        previous = ref;
    }
    return current;
}

// ---- simple shapes ------------------------------------------------------------

TkxVariableDesignator::TkxVariableDesignator(TkxScript *script, TkxCustomVariable *variable,
                                             const QString &pos)
    : TkxDesignator(script), m_variable(variable)
{
    addItem(std::make_unique<TkxDesignatorItem>(variable, pos));
}

// Plain variables directly; anything else (a string variable, a procedure
// called without arguments) through the full protocol, so that a recursive
// call still saves its locals.
Variant TkxVariableDesignator::getValue()
{
    if (m_variable->isPlain())
        return m_variable->value;
    return walk(nullptr);
}

void TkxVariableDesignator::setValue(const Variant &value)
{
    if (m_variable->isPlain()) {
        if (!m_variable->readOnly)
            m_variable->value = value;
        return;
    }
    walk(&value);
}

TkxProcCallDesignator::TkxProcCallDesignator(TkxScript *script,
                                             std::unique_ptr<TkxDesignatorItem> item)
    : TkxDesignator(script), m_proc(static_cast<TkxProcVariable *>(item->ref()))
{
    const int argCount = qMin(item->argumentCount(), m_proc->paramCount());
    for (int i = 0; i < argCount; ++i)
        m_args.append(item->argument(i));
    addItem(std::move(item));
}

bool TkxProcCallDesignator::fits(const TkxDesignatorItem &item)
{
    auto *proc = dynamic_cast<TkxProcVariable *>(item.ref());
    if (!proc || proc->isMacro || item.argumentCount() > kMaxArgs)
        return false;
    for (int i = 0; i < proc->paramCount(); ++i)
        if (proc->param(i)->isVarParam)
            return false;
    return true;
}

Variant TkxProcCallDesignator::getValue()
{
    return invoke();
}

TkxStringDesignator::TkxStringDesignator(TkxScript *script, TkxCustomVariable *variable,
                                         std::unique_ptr<TkxExpression> index, const QString &pos)
    : TkxDesignator(script), m_variable(variable), m_index(index.get())
{
    auto item = std::make_unique<TkxDesignatorItem>(variable, pos);
    addItem(std::move(item));
    // The index lives on an item of its own (as the string helper's
    // argument would) so that the chain owns every expression.
    auto indexItem = std::make_unique<TkxDesignatorItem>(variable, pos);
    indexItem->addArgument(std::move(index));
    m_chain.push_back(std::move(indexItem));
    setKind(TkxKind::Char, QStringLiteral("Char"));
    readOnly = variable->readOnly;
}

Variant TkxStringDesignator::getValue()
{
    const qint64 i = m_index->getValue().toInt64();
    return stringCharAt(m_variable->getValue(), i);
}

void TkxStringDesignator::setValue(const Variant &value)
{
    const qint64 i = m_index->getValue().toInt64();
    m_variable->setValue(stringWithCharAt(m_variable->getValue(), i, value));
}

TkxArrayDesignator::TkxArrayDesignator(TkxScript *script, TkxCustomVariable *variable,
                                       std::vector<std::unique_ptr<TkxExpression>> indices,
                                       const QString &pos)
    : TkxDesignator(script), m_variable(variable)
{
    addItem(std::make_unique<TkxDesignatorItem>(variable, pos));
    auto indexItem = std::make_unique<TkxDesignatorItem>(
        variable->refItem ? variable->refItem : variable, pos);
    for (auto &index : indices) {
        m_indices.push_back(index.get());
        indexItem->addArgument(std::move(index));
    }
    m_chain.push_back(std::move(indexItem));
    setKind(TkxKind::Variant, QStringLiteral("Variant"));
    readOnly = variable->readOnly;
}

TkxArrayHelper::Indices TkxArrayDesignator::indexValues() const
{
    TkxArrayHelper::Indices out;
    const int n = qMin(int(m_indices.size()), TkxArrayHelper::kMaxIndices);
    for (int i = 0; i < n; ++i)
        out.append(m_indices[size_t(i)]->getValue().toInt64());
    return out;
}

Variant TkxArrayDesignator::getValue()
{
    const TkxArrayHelper::Indices idx = indexValues();
    if (m_indices.size() > size_t(TkxArrayHelper::kMaxIndices))
        return Variant::null();
    const Variant &array = m_variable->value;
    if (!array.isArray())
        throwNotAnArrayError();
    const Variant *element = array.arrayElement(idx.data(), int(idx.size()));
    if (!element)
        throwArrayIndexError();
    return *element;
}

void TkxArrayDesignator::setValue(const Variant &value)
{
    const TkxArrayHelper::Indices idx = indexValues();
    if (m_indices.size() > size_t(TkxArrayHelper::kMaxIndices) || m_variable->readOnly)
        return;
    Variant &array = m_variable->value;
    if (!array.isArray())
        throwNotAnArrayError();
    array.setArrayElement(idx.data(), int(idx.size()), value);
}

}   // namespace pgx::script
