#include "script/runtime/Expression.h"

#include "script/runtime/CallFrame.h"

#include "script/runtime/Script.h"
#include "script/value/ScriptError.h"
#include "script/value/VariantOps.h"

namespace pgx::script {

bool operatorFromText(const QString &text, TkxOperator *out)
{
    for (const TkxOperatorInfo &info : kTkxOperators) {
        if (text.compare(QLatin1String(info.text), Qt::CaseInsensitive) == 0) {
            *out = info.op;
            return true;
        }
    }
    return false;
}

// ---- nodes --------------------------------------------------------------------

TkxExpressionNode::TkxExpressionNode(TkxKind kind, const QString &typeName)
    : TkxCustomVariable(QString(), kind, typeName)
{ }

TkxExpressionNode::~TkxExpressionNode() = default;

namespace {
TkxKind kindOfConstant(const Variant &v)
{
    switch (v.type()) {
    case varBoolean: return TkxKind::Boolean;
    case varSingle:
    case varDouble:
    case varCurrency: return TkxKind::Float;
    case varString:
    case varOleStr: return TkxKind::String;
    default: return TkxKind::Integer;
    }
}

QString typeNameOfKind(TkxKind kind)
{
    return kindTypeText(kind, QString());
}
}   // namespace

TkxOperandNode::TkxOperandNode(const Variant &value)
    : TkxExpressionNode(kindOfConstant(value), typeNameOfKind(kindOfConstant(value)))
{
    this->value = value;
    readOnly = true;
    direct = &this->value;
}

TkxDesignatorNode::TkxDesignatorNode(std::unique_ptr<TkxDesignator> designator)
    : TkxOperandNode(designator->kind(), designator->typeName()),
      m_designator(std::move(designator)),
      m_direct(m_designator->isLate() ? nullptr : m_designator->directVariable())
{
    readOnly = m_designator->readOnly;
    direct = m_direct ? &m_direct->value : nullptr;
}

TkxProcCallNode::TkxProcCallNode(std::unique_ptr<TkxProcCallDesignator> designator)
    : TkxDesignatorNode(std::move(designator)),
      m_call(static_cast<TkxProcCallDesignator *>(this->designator()))
{ }

Variant TkxProcCallNode::getValue()
{
    return m_call->invoke();
}

TkxSetExpression::TkxSetExpression()
    : TkxCustomVariable(QString(), TkxKind::Variant, QStringLiteral("Variant"))
{ }

TkxSetExpression::~TkxSetExpression() = default;

void TkxSetExpression::addEntry(std::unique_ptr<TkxExpression> entry)
{
    m_entries.push_back(std::move(entry));
}

void TkxSetExpression::addRange()
{
    m_entries.push_back(nullptr);
}

Variant TkxSetExpression::getValue()
{
    Variant array = Variant::createArray({ArrayBound{0, qint64(m_entries.size()) - 1}});
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const qint64 index = qint64(i);
        array.setArrayElement(&index, 1, m_entries[i] ? m_entries[i]->getValue() : Variant::null());
    }
    return array;
}

bool TkxSetExpression::contains(const Variant &value)
{
    const size_t n = m_entries.size();
    for (size_t i = 0; i < n; ++i) {
        if (!m_entries[i])
            continue;   // a marker without a first entry
        if (i + 2 < n && !m_entries[i + 1] && m_entries[i + 2]) {
            const Variant low = m_entries[i]->getValue();
            const Variant high = m_entries[i + 2]->getValue();
            if (vop::compare(value, low) >= 0 && vop::compare(value, high) <= 0)
                return true;
            i += 2;
            continue;
        }
        if (vop::equals(value, m_entries[i]->getValue()))
            return true;
    }
    return false;
}

bool arrayContains(const Variant &array, const Variant &value)
{
    if (!array.isArray() || array.arrayDimCount() != 1)
        throwNotAnArrayError();
    const Variant *data = array.arrayData();
    const qint64 n = array.arrayTotalCount();
    for (qint64 i = 0; i < n; ++i) {
        if (i + 2 < n && data[i + 1].isNull()) {
            if (vop::compare(value, data[i]) >= 0 && vop::compare(value, data[i + 2]) <= 0)
                return true;
            i += 2;
            continue;
        }
        if (vop::equals(value, data[i]))
            return true;
    }
    return false;
}

TkxSetNode::TkxSetNode(std::unique_ptr<TkxSetExpression> set)
    : TkxOperandNode(TkxKind::Variant, QStringLiteral("Variant")), m_set(std::move(set))
{ }

TkxOperatorNode::TkxOperatorNode(TkxOperator op)
    : TkxExpressionNode(TkxKind::Variant, QStringLiteral("Variant")), m_op(op)
{
    setName(QString::fromLatin1(operatorInfo(op).text));
}

namespace {

inline Variant valueOf(const std::unique_ptr<TkxExpressionNode> &node)
{
    return node ? node->getValue() : Variant::null();
}

// The operands of a binary operator, read left to right. The left one is
// read in place only when the right one cannot change it (the right one
// is itself read in place); otherwise it is copied before the right one
// runs, so that `x + f()` sees x as it was before f.
struct Operands
{
    Variant leftCopy, rightCopy;
    const Variant *l, *r;
    Operands(const std::unique_ptr<TkxExpressionNode> &left,
             const std::unique_ptr<TkxExpressionNode> &right)
    {
        if (right && right->direct) {
            r = right->direct;
            if (left && left->direct) {
                l = left->direct;
            } else {
                leftCopy = valueOf(left);
                l = &leftCopy;
            }
        } else {
            leftCopy = valueOf(left);
            l = &leftCopy;
            rightCopy = valueOf(right);
            r = &rightCopy;
        }
    }
};

#define KX_OPERATOR_NODE(ClassName, Op, Body) \
    class ClassName final : public TkxOperatorNode \
    { \
    public: \
        ClassName() : TkxOperatorNode(TkxOperator::Op) { } \
        Variant getValue() override { Body } \
    };

// Two operands read in place (constants and plain variables) take the
// short road; otherwise the left value is taken before the right one runs
// (the rule of Operands, which serves a missing operand).
#define KX_BINARY(ClassName, Op, Expr) \
    KX_OPERATOR_NODE(ClassName, Op, { \
        const auto combine = [](const Variant &l, const Variant &r) { return Expr; }; \
        if (left && right) { \
            if (right->direct) { \
                if (left->direct) \
                    return combine(*left->direct, *right->direct); \
                const Variant l = left->getValue(); \
                return combine(l, *right->direct); \
            } \
            const Variant l = left->getValue(); \
            const Variant r = right->getValue(); \
            return combine(l, r); \
        } \
        const Operands operands(left, right); \
        return combine(*operands.l, *operands.r); \
    })

KX_OPERATOR_NODE(TNoneNode, None, { return valueOf(left); })
KX_BINARY(TGreatNode, Great, Variant(vop::compareFast(l, r) > 0))
KX_BINARY(TLessNode, Less, Variant(vop::compareFast(l, r) < 0))
KX_BINARY(TLessEqNode, LessEq, Variant(vop::compareFast(l, r) <= 0))
KX_BINARY(TGreatEqNode, GreatEq, Variant(vop::compareFast(l, r) >= 0))
KX_BINARY(TNonEqNode, NonEq, Variant(!vop::equals(l, r)))
KX_BINARY(TEqNode, Eq, Variant(vop::equals(l, r)))
KX_BINARY(TPlusNode, Plus, vop::addFast(l, r))
// Concatenation when the left value is a string of either kind; otherwise
// the operands are added like "+".
KX_BINARY(TStrCatNode, StrCat, l.isString() ? vop::concat(l, r) : vop::add(l, r))
KX_BINARY(TMinusNode, Minus, vop::subFast(l, r))
KX_OPERATOR_NODE(TOrNode, Or, {
    const Variant l = valueOf(left);
    if (shortCircuit && l.toBool())
        return l;
    if (shortCircuit)
        return valueOf(right);
    return vop::logicalOr(l, valueOf(right));
})
KX_BINARY(TXorNode, Xor, vop::logicalXor(l, r))
KX_BINARY(TMulNode, Mul, vop::mul(l, r))
KX_BINARY(TDivFloatNode, DivFloat, vop::divide(l, r))
KX_BINARY(TDivIntNode, DivInt, vop::intDiv(l, r))
KX_BINARY(TModNode, Mod, vop::mod(l, r))
KX_OPERATOR_NODE(TAndNode, And, {
    const Variant l = valueOf(left);
    if (shortCircuit && !l.toBool())
        return l;
    if (shortCircuit)
        return valueOf(right);
    return vop::logicalAnd(l, valueOf(right));
})
KX_BINARY(TShlNode, Shl, vop::shl(l, r))
KX_BINARY(TShrNode, Shr, vop::shr(l, r))
KX_OPERATOR_NODE(TLeftBracketNode, LeftBracket, { return valueOf(left ? left : right); })
KX_OPERATOR_NODE(TRightBracketNode, RightBracket, { return Variant::null(); })
KX_OPERATOR_NODE(TNotNode, Not, { return vop::logicalNot(valueOf(left ? left : right)); })
KX_OPERATOR_NODE(TUnMinusNode, UnMinus, { return vop::negate(valueOf(left ? left : right)); })
KX_OPERATOR_NODE(TInNode, In, {
    const Variant l = valueOf(left);
    if (auto *set = dynamic_cast<TkxSetNode *>(right.get()))
        return Variant(set->set()->contains(l));
    return Variant(arrayContains(valueOf(right), l));
})
KX_OPERATOR_NODE(TIsNode, Is, {
    const Variant l = valueOf(left);
    // The right operand names a class: a designator whose first item is the
    // registered class.
    auto *node = dynamic_cast<TkxDesignatorNode *>(right.get());
    if (!node || node->designator()->itemCount() == 0)
        return Variant(false);
    const TkxCustomVariable *cls = node->designator()->item(0)->ref();
    return Variant(
        TkxScript::objectIs(l, cls->typeName().isEmpty() ? cls->name() : cls->typeName()));
})

#undef KX_BINARY
#undef KX_OPERATOR_NODE

bool isComparison(TkxOperator op)
{
    switch (op) {
    case TkxOperator::Great:
    case TkxOperator::Less:
    case TkxOperator::LessEq:
    case TkxOperator::GreatEq:
    case TkxOperator::NonEq:
    case TkxOperator::Eq: return true;
    default: return false;
    }
}

// Which operators a left operand of each kind allows.
bool operatorAllowed(TkxKind leftKind, TkxOperator op)
{
    switch (leftKind) {
    case TkxKind::Boolean:
        return op == TkxOperator::NonEq || op == TkxOperator::Eq || op == TkxOperator::Or
            || op == TkxOperator::Xor || op == TkxOperator::And || op == TkxOperator::Not;
    case TkxKind::Char:
    case TkxKind::String:
        return isComparison(op) || op == TkxOperator::Plus || op == TkxOperator::StrCat
            || op == TkxOperator::In;
    case TkxKind::Class:
    case TkxKind::Array: return op == TkxOperator::Eq || op == TkxOperator::NonEq;
    default: return true;
    }
}

struct KindAndType
{
    TkxKind kind;
    QString type;
};

// Bottom-up kind computation; the first failing operator's position goes
// to *error. The depth of the tree is that of the source expression, which
// the analyser bounds.
// For a string meeting a number (`"n=" + 5` in JScript, `&` with numbers
// in BasicScript): the conversion that makes it work.
QString conversionHint(TkxOperator op, TkxKind left, TkxKind right)
{
    if (op != TkxOperator::Plus && op != TkxOperator::StrCat)
        return {};
    const bool leftText = left == TkxKind::String, rightText = right == TkxKind::String;
    const TkxKind number = leftText ? right : left;
    if (leftText == rightText)
        return {};
    if (number == TkxKind::Integer)
        return QStringLiteral("convert the number with IntToStr() to join it to a string");
    if (number == TkxKind::Float)
        return QStringLiteral("convert the number with FloatToStr() to join it to a string");
    return {};
}

KindAndType verify(TkxExpressionNode *node, QString *error, QString *hint)
{
    if (!node)
        return {TkxKind::Variant, QStringLiteral("Variant")};
    if (!node->isOperator())
        return {node->kind(), node->typeName()};
    auto *opNode = static_cast<TkxOperatorNode *>(node);
    const KindAndType l = verify(node->left.get(), error, hint);
    const KindAndType r = verify(node->right.get(), error, hint);
    const TkxOperator op = opNode->op();
    if (l.kind == TkxKind::Boolean && r.kind == TkxKind::Boolean)
        opNode->shortCircuit = true;
    if (!(op == TkxOperator::Is && l.kind == TkxKind::Class && r.kind == TkxKind::Class)) {
        const bool ok
            = kindsCompatible(l.kind, l.type, r.kind, r.type) && operatorAllowed(l.kind, op);
        if (!ok && error->isEmpty()) {
            *error = opNode->position.isEmpty() ? QStringLiteral("0:0") : opNode->position;
            *hint = conversionHint(op, l.kind, r.kind);
        }
    }
    KindAndType result = l;
    if ((l.kind == TkxKind::Integer && r.kind == TkxKind::Float)
        || (l.kind == TkxKind::Float && r.kind == TkxKind::Integer))
        result = {TkxKind::Float, kindTypeText(TkxKind::Float, QString())};
    if (op == TkxOperator::DivFloat && l.kind == TkxKind::Integer && r.kind == TkxKind::Integer)
        result = {TkxKind::Float, kindTypeText(TkxKind::Float, QString())};
    if (isComparison(op) || op == TkxOperator::In || op == TkxOperator::Is)
        result = {TkxKind::Boolean, kindTypeText(TkxKind::Boolean, QString())};
    node->setKind(result.kind, result.type);
    return result;
}

bool isVariable(TkxExpressionNode *node, TkxCustomVariable *target)
{
    auto *d = dynamic_cast<TkxDesignatorNode *>(node);
    return d && d->designator()->simpleVariable() == target;
}

}   // namespace

std::unique_ptr<TkxOperatorNode> createOperatorNode(TkxOperator op)
{
    switch (op) {
    case TkxOperator::None: return std::make_unique<TNoneNode>();
    case TkxOperator::Great: return std::make_unique<TGreatNode>();
    case TkxOperator::Less: return std::make_unique<TLessNode>();
    case TkxOperator::LessEq: return std::make_unique<TLessEqNode>();
    case TkxOperator::GreatEq: return std::make_unique<TGreatEqNode>();
    case TkxOperator::NonEq: return std::make_unique<TNonEqNode>();
    case TkxOperator::Eq: return std::make_unique<TEqNode>();
    case TkxOperator::Plus: return std::make_unique<TPlusNode>();
    case TkxOperator::StrCat: return std::make_unique<TStrCatNode>();
    case TkxOperator::Minus: return std::make_unique<TMinusNode>();
    case TkxOperator::Or: return std::make_unique<TOrNode>();
    case TkxOperator::Xor: return std::make_unique<TXorNode>();
    case TkxOperator::Mul: return std::make_unique<TMulNode>();
    case TkxOperator::DivFloat: return std::make_unique<TDivFloatNode>();
    case TkxOperator::DivInt: return std::make_unique<TDivIntNode>();
    case TkxOperator::Mod: return std::make_unique<TModNode>();
    case TkxOperator::And: return std::make_unique<TAndNode>();
    case TkxOperator::Shl: return std::make_unique<TShlNode>();
    case TkxOperator::Shr: return std::make_unique<TShrNode>();
    case TkxOperator::LeftBracket: return std::make_unique<TLeftBracketNode>();
    case TkxOperator::RightBracket: return std::make_unique<TRightBracketNode>();
    case TkxOperator::Not: return std::make_unique<TNotNode>();
    case TkxOperator::UnMinus: return std::make_unique<TUnMinusNode>();
    case TkxOperator::In: return std::make_unique<TInNode>();
    case TkxOperator::Is: return std::make_unique<TIsNode>();
    }
    return nullptr;
}

// ---- TkxExpression ------------------------------------------------------------

TkxExpression::TkxExpression(TkxScript *script)
    : TkxCustomExpression(QString(), TkxKind::Variant, QStringLiteral("Variant")),
      m_holder(createOperatorNode(TkxOperator::None)), m_current(m_holder.get()), m_script(script)
{ }

TkxExpression::~TkxExpression() = default;

void TkxExpression::countNode()
{
    if (++m_nodeCount > kMaxNodes)
        throw ScriptError(QStringLiteral("Expression too complex"));
}

// Step 1: operands, "(", "not" and "unminus" hang below the current node
// (left if free, else right) and become the current node.
void TkxExpression::addNode(std::unique_ptr<TkxExpressionNode> node)
{
    Q_ASSERT(!m_finished);
    countNode();
    TkxExpressionNode *raw = node.get();
    raw->parent = m_current;
    if (!m_current->left)
        m_current->left = std::move(node);
    else
        m_current->right = std::move(node);
    m_current = raw;
}

// Step 2: ")" climbs to the nearest node above priority 5 - its "(" or the
// root - and replaces that bracket by its content.
void TkxExpression::closeBracket()
{
    TkxExpressionNode *n = m_current;
    while (n->parent && n->priority() <= 5)
        n = n->parent;
    if (n == m_holder.get())
        return;   // unbalanced: nothing to close
    TkxExpressionNode *parent = n->parent;
    std::unique_ptr<TkxExpressionNode> child = std::move(n->left ? n->left : n->right);
    std::unique_ptr<TkxExpressionNode> &slot
        = parent->left.get() == n ? parent->left : parent->right;
    TkxExpressionNode *childRaw = child.get();
    if (child)
        child->parent = parent;
    slot = std::move(child);   // destroys the "(" node
    m_current = childRaw ? childRaw : parent;
}

// Step 3: a binary operator of priority p climbs from the current node while
// p is at least the ancestor's priority, then takes the candidate as its left
// operand. Equal priorities associate to the left; unary operators (1) bind
// tighter than any binary one.
void TkxExpression::addBinary(std::unique_ptr<TkxOperatorNode> node)
{
    countNode();
    const int p = node->priority();
    TkxExpressionNode *candidate = nullptr;
    TkxExpressionNode *ancestor = nullptr;
    const bool currentIsBracket = m_current->isOperator()
        && static_cast<TkxOperatorNode *>(m_current)->op() == TkxOperator::LeftBracket;
    if (m_current == m_holder.get() || currentIsBracket) {
        ancestor = m_current;
    } else {
        candidate = m_current;
        ancestor = m_current->parent;
    }
    while (ancestor->parent && p >= ancestor->priority()) {
        candidate = ancestor;
        ancestor = ancestor->parent;
    }
    TkxOperatorNode *raw = node.get();
    raw->parent = ancestor;
    if (candidate) {
        std::unique_ptr<TkxExpressionNode> &slot
            = ancestor->left.get() == candidate ? ancestor->left : ancestor->right;
        std::unique_ptr<TkxExpressionNode> detached = std::move(slot);
        detached->parent = raw;
        raw->left = std::move(detached);
        slot = std::move(node);
    } else if (!ancestor->left) {
        ancestor->left = std::move(node);
    } else {
        ancestor->right = std::move(node);
    }
    m_current = raw;
}

void TkxExpression::addOperator(const QString &text, const QString &position)
{
    TkxOperator op;
    if (!operatorFromText(text, &op))
        throw ScriptError(QStringLiteral("Unknown operator '%1'").arg(text));
    addOperator(op, position);
}

void TkxExpression::addOperator(TkxOperator op, const QString &position)
{
    switch (op) {
    case TkxOperator::None: return;
    case TkxOperator::RightBracket: closeBracket(); return;
    case TkxOperator::LeftBracket:
    case TkxOperator::Not:
    case TkxOperator::UnMinus: {
        auto node = createOperatorNode(op);
        node->position = position;
        addNode(std::move(node));
        return;
    }
    default: {
        auto node = createOperatorNode(op);
        node->position = position;
        addBinary(std::move(node));
        return;
    }
    }
}

void TkxExpression::addConstant(const Variant &value)
{
    addNode(std::make_unique<TkxOperandNode>(value));
}

void TkxExpression::addDesignator(std::unique_ptr<TkxDesignator> designator)
{
    if (auto *call = dynamic_cast<TkxProcCallDesignator *>(designator.get())) {
        designator.release();
        addNode(std::make_unique<TkxProcCallNode>(std::unique_ptr<TkxProcCallDesignator>(call)));
        return;
    }
    addNode(std::make_unique<TkxDesignatorNode>(std::move(designator)));
}

void TkxExpression::addSet(std::unique_ptr<TkxSetExpression> set)
{
    addNode(std::make_unique<TkxSetNode>(std::move(set)));
}

QString TkxExpression::finish()
{
    m_finished = true;
    m_root = m_holder->left.get();
    if (m_root)
        m_root->parent = nullptr;
    QString error;
    m_failureHint.clear();
    const KindAndType kt = verify(m_root, &error, &m_failureHint);
    setKind(kt.kind, kt.type);
    readOnly = !dynamic_cast<TkxDesignatorNode *>(m_root) || m_root->readOnly;
    return error;
}

void TkxExpression::findIntegerTest() const
{
    m_testFound = true;
    m_test = TkxOperator::None;
    auto *root = m_root && m_root->isOperator() ? static_cast<TkxOperatorNode *>(m_root) : nullptr;
    if (!root || !root->left || !root->right || !root->left->direct || !root->right->direct)
        return;
    switch (root->op()) {
    case TkxOperator::Great:
    case TkxOperator::Less:
    case TkxOperator::LessEq:
    case TkxOperator::GreatEq:
        m_test = root->op();
        m_testLeft = root->left->direct;
        m_testRight = root->right->direct;
        break;
    default: break;
    }
}

TkxDesignator *TkxExpression::rootDesignator() const
{
    auto *node = dynamic_cast<TkxDesignatorNode *>(m_root);
    return node ? node->designator() : nullptr;
}

void TkxExpression::setValue(const Variant &value)
{
    if (readOnly)
        return;
    if (TkxDesignator *d = rootDesignator())
        d->setValue(value);
}

QString TkxExpression::compoundForm(TkxCustomVariable *target)
{
    auto *root = dynamic_cast<TkxOperatorNode *>(m_root);
    if (!root || !target)
        return QStringLiteral(" ");
    // The operator class decides, not its code: "strcat" shares the code
    // of "+" but must stay a concatenation.
    const TkxOperator op = root->op();
    const bool leftForm = op == TkxOperator::Plus || op == TkxOperator::Minus
        || op == TkxOperator::Mul || op == TkxOperator::DivFloat;
    std::unique_ptr<TkxExpressionNode> keep;
    if (leftForm && isVariable(root->left.get(), target) && root->right) {
        keep = std::move(root->right);
    } else if ((op == TkxOperator::Plus || op == TkxOperator::Mul) && root->left
               && isVariable(root->right.get(), target) && target->kind() != TkxKind::String
               && target->kind() != TkxKind::Variant) {
        keep = std::move(root->left);
    } else {
        return QStringLiteral(" ");
    }
    const QString text = QString::fromLatin1(operatorInfo(op).text);
    keep->parent = nullptr;
    m_root = keep.get();
    m_holder->left = std::move(keep);   // frees the old root and the variable's node
    setKind(m_root->kind(), m_root->typeName());
    readOnly = !dynamic_cast<TkxDesignatorNode *>(m_root) || m_root->readOnly;
    return text;
}

}   // namespace pgx::script
