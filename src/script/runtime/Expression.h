#pragma once

#include "script/runtime/Designator.h"
#include "script/runtime/Items.h"
#include "script/value/VariantOps.h"

#include <array>
#include <memory>

namespace pgx::script {

class TkxScript;
class TkxSetExpression;

// The 25 operator classes, in table order.
enum class TkxOperator : quint8 {
    None,
    Great,
    Less,
    LessEq,
    GreatEq,
    NonEq,
    Eq,
    Plus,
    StrCat,
    Minus,
    Or,
    Xor,
    Mul,
    DivFloat,
    DivInt,
    Mod,
    And,
    Shl,
    Shr,
    LeftBracket,
    RightBracket,
    Not,
    UnMinus,
    In,
    Is,
};

struct TkxOperatorInfo
{
    TkxOperator op;
    const char *className;
    const char *text;   // as the program tree carries it, compared without case
    int code;
    int priority;   // smaller binds tighter
};

inline constexpr std::array<TkxOperatorInfo, 25> kTkxOperators = {{
    {TkxOperator::None, "TNoneNode", " ", 0, 7},
    {TkxOperator::Great, "TGreatNode", ">", 1, 4},
    {TkxOperator::Less, "TLessNode", "<", 2, 4},
    {TkxOperator::LessEq, "TLessEqNode", "<=", 3, 4},
    {TkxOperator::GreatEq, "TGreatEqNode", ">=", 4, 4},
    {TkxOperator::NonEq, "TNonEqNode", "<>", 5, 4},
    {TkxOperator::Eq, "TEqNode", "=", 6, 4},
    {TkxOperator::Plus, "TPlusNode", "+", 7, 3},
    {TkxOperator::StrCat, "TStrCatNode", "strcat", 7, 3},
    {TkxOperator::Minus, "TMinusNode", "-", 8, 3},
    {TkxOperator::Or, "TOrNode", "or", 9, 3},
    {TkxOperator::Xor, "TXorNode", "xor", 10, 3},
    {TkxOperator::Mul, "TMulNode", "*", 11, 2},
    {TkxOperator::DivFloat, "TDivFloatNode", "/", 12, 2},
    {TkxOperator::DivInt, "TDivIntNode", "div", 13, 2},
    {TkxOperator::Mod, "TModNode", "mod", 14, 2},
    {TkxOperator::And, "TAndNode", "and", 15, 2},
    {TkxOperator::Shl, "TShlNode", "shl", 16, 2},
    {TkxOperator::Shr, "TShrNode", "shr", 17, 2},
    {TkxOperator::LeftBracket, "TLeftBracketNode", "(", 18, 6},
    {TkxOperator::RightBracket, "TRightBracketNode", ")", 19, 5},
    {TkxOperator::Not, "TNotNode", "not", 20, 1},
    {TkxOperator::UnMinus, "TUnMinusNode", "unminus", 21, 1},
    {TkxOperator::In, "TInNode", "in", 22, 4},
    {TkxOperator::Is, "TIsNode", "is", 23, 4},
}};
static_assert(kTkxOperators.size() == size_t(TkxOperator::Is) + 1,
              "one table row per operator class");

constexpr const TkxOperatorInfo &operatorInfo(TkxOperator op)
{
    return kTkxOperators[size_t(op)];
}
// The operator class of a program-tree text, or false when there is none.
bool operatorFromText(const QString &text, TkxOperator *out);

// A node of an expression tree. Destroying a node destroys both children.
class TkxExpressionNode : public TkxCustomVariable
{
public:
    TkxExpressionNode(TkxKind kind, const QString &typeName);
    ~TkxExpressionNode() override;
    // How tightly the node binds, smaller binding tighter: an operator's
    // table priority, 0 for an operand.
    virtual int priority() const { return 0; }
    virtual bool isOperator() const { return false; }

    std::unique_ptr<TkxExpressionNode> left;
    std::unique_ptr<TkxExpressionNode> right;
    TkxExpressionNode *parent = nullptr;
    // Where the node's value already lives, when reading it has no side
    // effects and needs no call: a constant, or a plain variable. Operators
    // read such operands in place instead of copying them.
    const Variant *direct = nullptr;
};

// A constant. Its kind follows the value: boolean, float for single, double
// and currency, string for both string kinds, integer for anything else.
class TkxOperandNode : public TkxExpressionNode
{
public:
    explicit TkxOperandNode(const Variant &value);
    Variant getValue() override { return value; }
    void setValue(const Variant &) override { }   // constants stay what they are

protected:
    TkxOperandNode(TkxKind kind, const QString &typeName) : TkxExpressionNode(kind, typeName) { }
};

class TkxDesignatorNode : public TkxOperandNode
{
public:
    explicit TkxDesignatorNode(std::unique_ptr<TkxDesignator> designator);
    Variant getValue() override { return m_direct ? m_direct->value : m_designator->getValue(); }
    void setValue(const Variant &value) override { m_designator->setValue(value); }
    TkxDesignator *designator() const { return m_designator.get(); }

private:
    std::unique_ptr<TkxDesignator> m_designator;
    TkxCustomVariable *m_direct;
};

// A designator node whose designator calls a script procedure: the call
// runs here, without the designator's virtual call.
class TkxProcCallNode : public TkxDesignatorNode
{
public:
    explicit TkxProcCallNode(std::unique_ptr<TkxProcCallDesignator> designator);
    Variant getValue() override;

private:
    TkxProcCallDesignator *m_call;
};

// An ordered list of expressions and range markers ("1, 3..5" is 1, 3,
// marker, 5). Its value is the array 0..count-1 of the entries' values,
// Null for a marker.
class TkxSetExpression : public TkxCustomVariable
{
public:
    TkxSetExpression();
    ~TkxSetExpression() override;
    void addEntry(std::unique_ptr<TkxExpression> entry);
    void addRange();
    int entryCount() const { return int(m_entries.size()); }
    Variant getValue() override;
    // Membership: an entry, a marker and a third entry form a range (value
    // between the two, inclusive); other entries compare for equality.
    bool contains(const Variant &value);

private:
    std::vector<std::unique_ptr<TkxExpression>> m_entries;   // nullptr: range marker
};

class TkxSetNode : public TkxOperandNode
{
public:
    explicit TkxSetNode(std::unique_ptr<TkxSetExpression> set);
    Variant getValue() override { return m_set->getValue(); }
    TkxSetExpression *set() const { return m_set.get(); }

private:
    std::unique_ptr<TkxSetExpression> m_set;
};

class TkxOperatorNode : public TkxExpressionNode
{
public:
    explicit TkxOperatorNode(TkxOperator op);
    TkxOperator op() const { return m_op; }
    int code() const { return operatorInfo(m_op).code; }
    int priority() const override { return operatorInfo(m_op).priority; }
    bool isOperator() const override { return true; }
    bool shortCircuit = false;
    QString position;   // of the operator in the source, for kind errors

private:
    TkxOperator m_op;
};

// Creates the node class of an operator.
std::unique_ptr<TkxOperatorNode> createOperatorNode(TkxOperator op);

// Membership of a value in a one-dimensional array scanned from its low to
// its high bound; an element, a Null element and a third element form a
// range.
bool arrayContains(const Variant &array, const Variant &value);

class TkxCustomExpression : public TkxCustomVariable
{
public:
    using TkxCustomVariable::TkxCustomVariable;
};

// An expression: built from the flat infix sequence by operator-precedence
// insertion (AddOperator / AddConstant / AddDesignator / AddSet in source
// order), verified once by Finish, evaluated many times.
class TkxExpression : public TkxCustomExpression
{
public:
    explicit TkxExpression(TkxScript *script);
    ~TkxExpression() override;

    // Raises ScriptError for a text that names no operator.
    void addOperator(const QString &text, const QString &position = QString());
    void addOperator(TkxOperator op, const QString &position = QString());
    void addConstant(const Variant &value);
    void addDesignator(std::unique_ptr<TkxDesignator> designator);
    void addSet(std::unique_ptr<TkxSetExpression> set);
    // Removes the root holder, verifies operand kinds and sets the
    // expression's kind. Returns the position of the first operator whose
    // operands are incompatible, or an empty text.
    QString finish();
    // After a failed finish: how to fix the operands, or empty.
    const QString &failureHint() const { return m_failureHint; }
    // The assignment rewrite for `V := V op E` and `V := E op V`: returns
    // "+", "-", "*", "/" after turning this expression into E, or " ".
    QString compoundForm(TkxCustomVariable *target);

    Variant getValue() override { return evaluate(); }
    void setValue(const Variant &value) override;
    // The value without the virtual call, for statements.
    Variant evaluate() const { return m_root ? m_root->getValue() : Variant::null(); }
    // The value taken as a condition. A comparison of two integers read in
    // place (`i <= n`, `n < 2`) is answered without building a value.
    bool isTrue() const
    {
        if (Q_UNLIKELY(!m_testFound))
            findIntegerTest();
        if (m_test != TkxOperator::None && vop::isFastInteger(m_testLeft->type())
            && vop::isFastInteger(m_testRight->type())) {
            const qint64 l = m_testLeft->rawInt();
            const qint64 r = m_testRight->rawInt();
            switch (m_test) {
            case TkxOperator::Great: return l > r;
            case TkxOperator::Less: return l < r;
            case TkxOperator::LessEq: return l <= r;
            default: return l >= r;
            }
        }
        const Variant v = evaluate();
        return v.isBoolean() ? v.rawInt() != 0 : v.toBool();
    }

    TkxExpressionNode *root() const { return m_root; }
    // The designator when the whole expression is one, else none.
    TkxDesignator *rootDesignator() const;
    TkxScript *script() const { return m_script; }
    QString sourceText;
    QString position;

    // Evaluation and verification recurse over the tree, and a flat chain
    // "1 + 1 + ..." is as deep as it is long: an expression holds at most
    // this many nodes (more raises "Expression too complex").
    static constexpr int kMaxNodes = 4096;

private:
    // Found at the first test, when the tree is final.
    void findIntegerTest() const;
    mutable bool m_testFound = false;
    mutable TkxOperator m_test = TkxOperator::None;
    mutable const Variant *m_testLeft = nullptr;
    mutable const Variant *m_testRight = nullptr;

    void addNode(std::unique_ptr<TkxExpressionNode> node);
    void addBinary(std::unique_ptr<TkxOperatorNode> node);
    void closeBracket();

    std::unique_ptr<TkxExpressionNode> m_holder;   // the TNoneNode until Finish
    TkxExpressionNode *m_current = nullptr;
    TkxExpressionNode *m_root = nullptr;   // owned by m_holder
    void countNode();

    TkxScript *m_script;
    int m_nodeCount = 0;
    bool m_finished = false;
    QString m_failureHint;
};

}   // namespace pgx::script
