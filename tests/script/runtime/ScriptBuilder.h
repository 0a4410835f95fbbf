#pragma once

// Builds expressions and statements through the runtime's own API, the way
// the analyser's second stage does, from a compact token text:
//   numbers, 'quoted strings', true/false, names of variables in the scope
//   (or of functions, called with the arguments given in braces:
//   "f{ n - 1 }"), and operator texts ("+", "div", "unminus", "(", ...).
// Tokens are separated by blanks.

#include "script/runtime/Expression.h"
#include "script/runtime/Script.h"
#include "script/runtime/Statements.h"

#include <QtCore/QStringList>

#include <memory>

namespace pgx::script::testing {

inline std::unique_ptr<TkxDesignator> varRef(TkxScript &scope, const QString &name)
{
    TkxCustomVariable *v = scope.Find(name);
    Q_ASSERT(v);
    return std::make_unique<TkxVariableDesignator>(&scope, v);
}

// Parses tokens from `pos` into `e` until the end or a closing brace.
inline void addTokens(TkxScript &scope, TkxExpression &e, const QStringList &tokens, int &pos)
{
    while (pos < tokens.size()) {
        const QString t = tokens[pos++];
        const QString where = QStringLiteral("1:%1").arg(pos);
        bool isInt = false;
        const int iv = t.toInt(&isInt);
        bool isFloat = false;
        const double dv = t.toDouble(&isFloat);
        if (t == QLatin1String("}"))
            return;
        if (isInt) {
            e.AddConstant(Variant(iv));
        } else if (isFloat && t.contains(QLatin1Char('.'))) {
            e.AddConstant(Variant(dv));
        } else if (t.startsWith(QLatin1Char('\'')) && t.endsWith(QLatin1Char('\'')) && t.size() >= 2) {
            e.AddConstant(Variant::fromString8(t.mid(1, t.size() - 2).replace(QLatin1Char('~'), QLatin1Char(' '))));
        } else if (t == QLatin1String("true") || t == QLatin1String("false")) {
            e.AddConstant(Variant(t == QLatin1String("true")));
        } else if (t.endsWith(QLatin1Char('{'))) {
            // A call: name{ arg , arg }
            TkxCustomVariable *f = scope.Find(t.chopped(1));
            Q_ASSERT(f);
            auto d = std::make_unique<TkxDesignator>(&scope);
            auto item = std::make_unique<TkxDesignatorItem>(f, where);
            while (pos < tokens.size() && tokens[pos - 1] != QLatin1String("}")) {
                auto arg = std::make_unique<TkxExpression>(&scope);
                QStringList argTokens;
                int depth = 0;
                while (pos < tokens.size()) {
                    const QString a = tokens[pos];
                    if (a.endsWith(QLatin1Char('{')))
                        ++depth;
                    if (a == QLatin1String("}") && depth-- == 0)
                        break;
                    if (a == QLatin1String(",") && depth == 0)
                        break;
                    argTokens << a;
                    ++pos;
                }
                int p = 0;
                addTokens(scope, *arg, argTokens, p);
                arg->SourceText = argTokens.join(QLatin1Char(' '));
                arg->Finish();
                if (!argTokens.isEmpty())
                    item->AddArgument(std::move(arg));
                ++pos;   // the ',' or '}'
            }
            d->AddItem(std::move(item));
            e.AddDesignator(std::move(d));
        } else if (TkxCustomVariable *v = scope.Find(t); v && !t.isEmpty() && t[0].isLetter()
                   && t != QLatin1String("div") && t != QLatin1String("mod") && t != QLatin1String("and")
                   && t != QLatin1String("or") && t != QLatin1String("not")) {
            e.AddDesignator(std::make_unique<TkxVariableDesignator>(&scope, v, where));
        } else {
            e.AddOperator(t, where);
        }
    }
}

inline std::unique_ptr<TkxExpression> exprUnfinished(TkxScript &scope, const QString &text)
{
    auto e = std::make_unique<TkxExpression>(&scope);
    const QStringList tokens = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int pos = 0;
    addTokens(scope, *e, tokens, pos);
    e->SourceText = text;
    return e;
}

inline std::unique_ptr<TkxExpression> expr(TkxScript &scope, const QString &text)
{
    auto e = exprUnfinished(scope, text);
    const QString error = e->Finish();
    Q_ASSERT_X(error.isEmpty(), "expr", qPrintable(text));
    return e;
}

// name := expression
inline std::unique_ptr<TkxStatement> assign(TkxScript &scope, const QString &name, const QString &value,
                                            const QString &pos = QString())
{
    return std::make_unique<TkxAssignmentStmt>(&scope, varRef(scope, name), expr(scope, value),
                                               TkxAssignmentStmt::Op::None, pos);
}

// A call statement of the designator built from "f{ args }".
inline std::unique_ptr<TkxStatement> call(TkxScript &scope, const QString &text, const QString &pos = QString())
{
    auto e = expr(scope, text);
    TkxDesignatorNode *node = dynamic_cast<TkxDesignatorNode *>(e->Root());
    Q_ASSERT(node);
    // Rebuild the same designator for the statement (expressions own theirs).
    auto d = std::make_unique<TkxDesignator>(&scope);
    TkxDesignatorItem *src = node->Designator()->Item(0);
    auto item = std::make_unique<TkxDesignatorItem>(src->Ref(), pos);
    const QString inner = text.section(QLatin1Char('{'), 1).section(QLatin1Char('}'), 0, -2);
    for (const QString &arg : inner.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!arg.trimmed().isEmpty())
            item->AddArgument(expr(scope, arg.trimmed()));
    d->AddItem(std::move(item));
    return std::make_unique<TkxCallStmt>(&scope, std::move(d), QString(), pos);
}

} // namespace pgx::script::testing
