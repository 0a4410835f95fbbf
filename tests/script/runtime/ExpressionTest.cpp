#include "ScriptBuilder.h"

#include "script/value/ScriptError.h"
#include "script/value/VariantOps.h"

#include <gtest/gtest.h>

using namespace pgx::script;
using namespace pgx::script::testing;

namespace {

TEST(OperatorTable, CodesAndPriorities)
{
    // Every class maps its text back to itself; "strcat" shares "+"'s code.
    for (const TkxOperatorInfo &info : kTkxOperators) {
        TkxOperator op;
        ASSERT_TRUE(operatorFromText(QString::fromLatin1(info.text), &op)) << info.className;
        EXPECT_EQ(op, info.op) << info.className;
        auto node = createOperatorNode(info.op);
        EXPECT_EQ(node->Code(), info.code);
        EXPECT_EQ(node->Priority(), info.priority);
    }
    TkxOperator op;
    EXPECT_TRUE(operatorFromText(QStringLiteral("DIV"), &op));
    EXPECT_EQ(op, TkxOperator::DivInt);
    EXPECT_EQ(operatorInfo(TkxOperator::StrCat).code, operatorInfo(TkxOperator::Plus).code);
    EXPECT_FALSE(operatorFromText(QStringLiteral("=="), &op));
}

struct EvalRow
{
    const char *tokens;
    Variant expected;
    VarType type;
    TkxKind kind;
};

TEST(Expression, EvaluatesWithTheLanguagesPrecedence)
{
    TkxScript s;
    s.AddVariable(QStringLiteral("a"), TkxKind::Integer, QStringLiteral("Integer"), Variant(1));
    s.AddVariable(QStringLiteral("b"), TkxKind::Integer, QStringLiteral("Integer"), Variant(2));
    s.AddVariable(QStringLiteral("v"), TkxKind::Variant, QStringLiteral("Variant"), Variant(5));
    const EvalRow rows[] = {
        {"2 + 3 * 4", Variant(14), varInteger, TkxKind::Integer},
        {"( 2 + 3 ) * 4", Variant(20), varInteger, TkxKind::Integer},
        {"10 - 4 - 3", Variant(3), varInteger, TkxKind::Integer},
        {"unminus 2 * 3", Variant(-6), varInteger, TkxKind::Integer},
        {"10 - 2 * 3 - 1", Variant(3), varInteger, TkxKind::Integer},
        {"2 * 3 + 4 * 5", Variant(26), varInteger, TkxKind::Integer},
        {"( ( 1 + 2 ) )", Variant(3), varInteger, TkxKind::Integer},
        {"2 * ( 3 + ( 4 - 1 ) * 2 )", Variant(18), varInteger, TkxKind::Integer},
        {"7 / 2", Variant(3.5), varDouble, TkxKind::Float},
        {"7 div 2", Variant(3), varInteger, TkxKind::Integer},
        {"7 mod 2", Variant(1), varInteger, TkxKind::Integer},
        {"1 + 2.5", Variant(3.5), varDouble, TkxKind::Float},
        {"'1' + 2", Variant(3.0), varDouble, TkxKind::String},
        {"'a' + 'b'", Variant::fromString8(QStringLiteral("ab")), varString, TkxKind::String},
        {"'a' strcat 1", Variant::fromString8(QStringLiteral("a1")), varString, TkxKind::String},
        {"1 strcat 2", Variant(3), varInteger, TkxKind::Integer},
        {"1 + 2 < 4", Variant(true), varBoolean, TkxKind::Boolean},
        {"1 shl 4 + 1", Variant(17), varInteger, TkxKind::Integer},
        {"not 5 = 1", Variant(false), varBoolean, TkxKind::Boolean},   // (not 5) = 1
        {"not ( 5 = 1 )", Variant(true), varBoolean, TkxKind::Boolean},
        {"a + b * v", Variant(11), varInteger, TkxKind::Integer},
        {"v div 2", Variant(2), varInteger, TkxKind::Variant},
        {"a <> b", Variant(true), varBoolean, TkxKind::Boolean},
        {"unminus unminus 3", Variant(3), varInteger, TkxKind::Integer},
        {"2 * ( 3 + 4 ) * 5", Variant(70), varInteger, TkxKind::Integer},
        {"unminus ( 2 + 3 )", Variant(-5), varInteger, TkxKind::Integer},
        {"( unminus 2 ) * 3", Variant(-6), varInteger, TkxKind::Integer},
        {"8 div ( 2 ) div 2", Variant(2), varInteger, TkxKind::Integer},
        {"not ( not true )", Variant(true), varBoolean, TkxKind::Boolean},
        {"1 < 2 = true", Variant(true), varBoolean, TkxKind::Boolean},   // (1 < 2) = true
        {"a - b - a", Variant(-2), varInteger, TkxKind::Integer},
    };
    for (const EvalRow &r : rows) {
        auto e = expr(s, QString::fromLatin1(r.tokens));
        const Variant v = e->GetValue();
        EXPECT_EQ(v.type(), r.type) << r.tokens;
        EXPECT_TRUE(vop::equals(v, r.expected)) << r.tokens << " gave " << v.toString().toStdString();
        EXPECT_EQ(e->Kind(), r.kind) << r.tokens;
    }
}

TEST(Expression, CLikeAndOrBindTighterThanComparisons)
{
    // JScript "a == 1 && b == 2" arrives as "a = 1 and b = 2" and groups as
    // (a = (1 and b)) = 2; with brackets it means what it says.
    TkxScript s;
    s.AddVariable(QStringLiteral("a"), TkxKind::Integer, QStringLiteral("Integer"), Variant(1));
    s.AddVariable(QStringLiteral("b"), TkxKind::Integer, QStringLiteral("Integer"), Variant(2));
    auto bare = expr(s, QStringLiteral("a = 1 and b = 2"));
    auto *root = dynamic_cast<TkxOperatorNode *>(bare->Root());
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Operator(), TkxOperator::Eq);
    auto *left = dynamic_cast<TkxOperatorNode *>(root->Left.get());
    ASSERT_TRUE(left);
    EXPECT_EQ(left->Operator(), TkxOperator::Eq);
    auto *inner = dynamic_cast<TkxOperatorNode *>(left->Right.get());
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->Operator(), TkxOperator::And);
    EXPECT_FALSE(bare->GetValue().toBool());
    EXPECT_TRUE(expr(s, QStringLiteral("( a = 1 ) and ( b = 2 )"))->GetValue().toBool());
}

TEST(Expression, IncompatibleKindsAreFoundWhenBuilt)
{
    TkxScript s;
    s.AddVariable(QStringLiteral("flag"), TkxKind::Boolean, QStringLiteral("Boolean"), Variant(true));
    s.AddVariable(QStringLiteral("text"), TkxKind::String, QStringLiteral("String"));
    s.AddVariable(QStringLiteral("arr"), TkxKind::Array, QStringLiteral("Array"), Variant::arrayOf({}));
    const struct { const char *tokens; const char *position; } rows[] = {
        {"flag + 1", "1:2"},          // booleans allow only logic and equality
        {"true + 1", "1:2"},
        {"text - 1", "1:2"},          // strings allow comparisons, + and in
        {"text * 2", "1:2"},
        {"1 + flag", "1:2"},          // integer <- boolean
        {"arr + 1", "1:2"},
        {"1 + 2 * flag", "1:4"},      // the first failing operator, bottom-up
        {"unminus flag", "1:1"},
        {"1 + 1", ""},
        {"text + 1", "1:2"},          // string <- integer
        {"text = 'a'", ""},
        {"flag and not flag", ""},
        {"arr = arr", ""},
    };
    for (const auto &r : rows) {
        auto e = exprUnfinished(s, QString::fromLatin1(r.tokens));
        const QString err = e->Finish();
        EXPECT_EQ(err, QString::fromLatin1(r.position)) << r.tokens;
    }
}

// A boolean item that counts its reads.
class CountingItem : public TkxCustomVariable
{
public:
    CountingItem(TkxKind kind) : TkxCustomVariable(QStringLiteral("f"), kind, kindTypeText(kind, {})) {}
    Variant GetValue() override
    {
        ++reads;
        return Variant(true);
    }
    int reads = 0;
};

TEST(Expression, ShortCircuitOnlyBetweenBooleans)
{
    TkxScript s;
    auto *fb = s.Add(QStringLiteral("fb"), std::make_unique<CountingItem>(TkxKind::Boolean));
    auto *fv = s.Add(QStringLiteral("fv"), std::make_unique<CountingItem>(TkxKind::Variant));
    EXPECT_FALSE(expr(s, QStringLiteral("false and fb"))->GetValue().toBool());
    EXPECT_EQ(fb->reads, 0);
    EXPECT_TRUE(expr(s, QStringLiteral("true or fb"))->GetValue().toBool());
    EXPECT_EQ(fb->reads, 0);
    EXPECT_TRUE(expr(s, QStringLiteral("true and fb"))->GetValue().toBool());
    EXPECT_EQ(fb->reads, 1);
    EXPECT_FALSE(expr(s, QStringLiteral("false and fv"))->GetValue().toBool());
    EXPECT_EQ(fv->reads, 1);   // a variant operand: both sides are evaluated
}

TEST(Expression, InOverSetsAndArrays)
{
    TkxScript s;
    TkxVariable *x = s.AddVariable(QStringLiteral("x"), TkxKind::Integer, QStringLiteral("Integer"), Variant(4));
    s.AddVariable(QStringLiteral("arr"), TkxKind::Variant, QStringLiteral("Variant"),
                  Variant::arrayOf({Variant(1), Variant(2), Variant(3)}));
    // x in [1, 3..5]
    auto makeIn = [&] {
        auto e = std::make_unique<TkxExpression>(&s);
        e->AddDesignator(varRef(s, QStringLiteral("x")));
        e->AddOperator(QStringLiteral("in"));
        auto set = std::make_unique<TkxSetExpression>();
        set->AddEntry(expr(s, QStringLiteral("1")));
        set->AddEntry(expr(s, QStringLiteral("3")));
        set->AddRange();
        set->AddEntry(expr(s, QStringLiteral("5")));
        e->AddSet(std::move(set));
        EXPECT_TRUE(e->Finish().isEmpty());
        return e;
    };
    auto in = makeIn();
    const struct { int x; bool in; } rows[] = {{4, true}, {2, false}, {1, true}, {5, true}, {6, false}, {3, true}};
    for (const auto &r : rows) {
        x->Value = Variant(r.x);
        EXPECT_EQ(in->GetValue().toBool(), r.in) << r.x;
    }
    EXPECT_EQ(in->Kind(), TkxKind::Boolean);
    x->Value = Variant(3);
    EXPECT_TRUE(expr(s, QStringLiteral("x in arr"))->GetValue().toBool());
    x->Value = Variant(4);
    EXPECT_FALSE(expr(s, QStringLiteral("x in arr"))->GetValue().toBool());

    // An array with a range (element, Null, element) and a low bound of 1:
    // the scan runs from the low bound to the high bound.
    Variant ranged = Variant::createArray({ArrayBound{1, 4}});
    const Variant values[] = {Variant(10), Variant::null(), Variant(20), Variant(99)};
    for (qint64 i = 1; i <= 4; ++i)
        ranged.setArrayElement(&i, 1, values[i - 1]);
    s.AddVariable(QStringLiteral("ranged"), TkxKind::Variant, QStringLiteral("Variant"), ranged);
    const struct { int x; bool in; } rangedRows[] = {{15, true}, {99, true}, {21, false}, {9, false}};
    for (const auto &r : rangedRows) {
        x->Value = Variant(r.x);
        EXPECT_EQ(expr(s, QStringLiteral("x in ranged"))->GetValue().toBool(), r.in) << r.x;
    }
    s.AddVariable(QStringLiteral("notArray"), TkxKind::Variant, QStringLiteral("Variant"), Variant(1));
    EXPECT_THROW(expr(s, QStringLiteral("x in notArray"))->GetValue(), ScriptError);
}

TEST(Expression, IsAsksTheClassRegistry)
{
    TkxScript::SetObjectIsHandler([](const Variant &object, const QString &className) {
        return object.toInt64() == 5 && className == QLatin1String("TFoo");
    });
    TkxScript s;
    s.Add(QStringLiteral("TFoo"), std::make_unique<TkxTypeVariable>(QStringLiteral("TFoo"), TkxKind::Class));
    s.AddVariable(QStringLiteral("obj"), TkxKind::Class, QStringLiteral("TFoo"), Variant(5));
    s.AddVariable(QStringLiteral("other"), TkxKind::Class, QStringLiteral("TFoo"), Variant(6));
    auto yes = expr(s, QStringLiteral("obj is TFoo"));
    EXPECT_TRUE(yes->GetValue().toBool());
    EXPECT_EQ(yes->Kind(), TkxKind::Boolean);
    EXPECT_FALSE(expr(s, QStringLiteral("other is TFoo"))->GetValue().toBool());
    TkxScript::SetObjectIsHandler(nullptr);
}

TEST(Expression, CompoundAssignmentRewrite)
{
    TkxScript s;
    TkxVariable *x = s.AddVariable(QStringLiteral("x"), TkxKind::Integer, QStringLiteral("Integer"), Variant(10));
    TkxVariable *str = s.AddVariable(QStringLiteral("s"), TkxKind::String, QStringLiteral("String"));
    TkxVariable *v = s.AddVariable(QStringLiteral("v"), TkxKind::Variant, QStringLiteral("Variant"));
    const struct { TkxVariable *target; const char *tokens; const char *form; int rest; } rows[] = {
        {x, "x + 1", "+", 1},
        {x, "x - 2", "-", 2},
        {x, "x * 3", "*", 3},
        {x, "x / 4", "/", 4},
        {x, "5 + x", "+", 5},
        {x, "6 * x", "*", 6},
        {x, "x - ( 7 )", "-", 7},
        {x, "1 - x", " ", 0},
        {x, "x - 1 - 2", " ", 0},    // the root's left is (x - 1), not x
        {str, "'a' + s", " ", 0},    // a string target keeps its operand order
        {v, "1 + v", " ", 0},
        {v, "v + 1", "+", 1},
        {str, "s strcat 1", " ", 0}, // "strcat" has "+"'s code but stays a concatenation
    };
    for (const auto &r : rows) {
        auto e = expr(s, QString::fromLatin1(r.tokens));
        const QString form = e->CompoundForm(r.target);
        EXPECT_EQ(form, QString::fromLatin1(r.form)) << r.tokens;
        if (form != QLatin1String(" ")) {
            EXPECT_EQ(e->GetValue().toInt64(), r.rest) << r.tokens;
        }
    }
}

TEST(Expression, OverlongChainsAreRefusedWhenBuilt)
{
    // A chain is as deep as it is long; evaluating it recurses.
    TkxScript s;
    TkxExpression e(&s);
    e.AddConstant(Variant(1));
    EXPECT_THROW(
        {
            for (int i = 0; i < TkxExpression::kMaxNodes; ++i) {
                e.AddOperator(QStringLiteral("+"));
                e.AddConstant(Variant(1));
            }
        },
        ScriptError);
    TkxExpression fits(&s);
    fits.AddConstant(Variant(1));
    for (int i = 0; i < 1000; ++i) {
        fits.AddOperator(QStringLiteral("+"));
        fits.AddConstant(Variant(1));
    }
    EXPECT_TRUE(fits.Finish().isEmpty());
    EXPECT_EQ(fits.GetValue().toInt64(), 1001);
}

TEST(Expression, SetValueWritesThroughARootDesignator)
{
    TkxScript s;
    TkxVariable *x = s.AddVariable(QStringLiteral("x"), TkxKind::Integer, QStringLiteral("Integer"), Variant(1));
    auto e = expr(s, QStringLiteral("x"));
    EXPECT_FALSE(e->ReadOnly);
    e->SetValue(Variant(7));
    EXPECT_EQ(x->Value.rawInt(), 7);
    auto sum = expr(s, QStringLiteral("x + 1"));
    EXPECT_TRUE(sum->ReadOnly);
    sum->SetValue(Variant(9));
    EXPECT_EQ(x->Value.rawInt(), 7);
}

} // namespace
