#include "script/analyser/ProgramBuilder.h"

#include "script/front/KxMessages.h"
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

// A number leaf: decimal digits or "$" and hexadecimal digits are integers
// (32 bits when they fit, else 64), anything else a float. The tokenizer
// delivers every hexadecimal number in the "$" form.
Variant numberConstant(const QString &text)
{
    bool ok = false;
    qint64 v = 0;
    if (text.startsWith(u'$'))
        v = text.mid(1).toLongLong(&ok, 16);
    else if (!text.isEmpty()
             && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
        v = text.toLongLong(&ok, 10);
    if (ok)
        return Variant::fromInt(v);
    // Floats in the tree always use "."; QString::toDouble reads it whatever
    // the locale.
    const double d = text.toDouble(&ok);
    if (!ok)
        throw ScriptError(QStringLiteral("Invalid number '") + text + u'\'',
                          QStringLiteral("EConvertError"));
    return Variant(d);
}
}   // namespace

std::unique_ptr<TkxExpression> TkxProgramBuilder::buildExpression(const ProgramNode &node,
                                                                  TkxScript *scope)
{
    DepthGuard depth(m_depth);
    auto e = std::make_unique<TkxExpression>(scope);
    e->position = node.pos().toString();
    if (is(node, QLatin1StringView("expr")))
        addExpressionItems(*e, node, scope);
    else if (is(node, QLatin1StringView("dsgn")))
        e->addDesignator(buildDesignator(node, scope));
    e->sourceText = sourceText(node.pos(), node.pos1());
    const QString bad = e->finish();
    if (!bad.isEmpty()) {
        QString message = kxMessage(QStringLiteral("SIncompatibleTypes"));
        if (!e->failureHint().isEmpty())
            message += QStringLiteral(": ") + e->failureHint();
        ScriptError error(message);
        error.setPosition(bad, m_unit);
        throw error;
    }
    return e;
}

void TkxProgramBuilder::addExpressionItems(TkxExpression &e, const ProgramNode &node,
                                           TkxScript *scope)
{
    DepthGuard depth(m_depth);
    const int n = node.childCount();
    for (int i = 0; i < n; ++i) {
        const ProgramNode &c = *node.child(i);
        const QString &name = c.name();
        if (name == QLatin1String("op")) {
            const QString op = c.text().toLower();
            // A dangling operator at the end is dropped (the grammars leave
            // one behind on some error paths); ")" closes a group.
            if (i == n - 1 && op != QLatin1String(")"))
                continue;
            e.addOperator(op, c.pos().toString());
        } else if (name == QLatin1String("number")) {
            e.addConstant(numberConstant(c.text()));
        } else if (name == QLatin1String("string")) {
            const QString &t = c.text();
            if (t.startsWith(u'\''))
                e.addConstant(Variant::fromString8(t.mid(1, qMax<qsizetype>(0, t.size() - 2))));
            else
                e.addConstant(numberConstant(t));
        } else if (name == QLatin1String("dsgn")) {
            e.addDesignator(buildDesignator(c, scope));
        } else if (name == QLatin1String("set")) {
            e.addSet(buildSet(c, scope));
        } else if (name == QLatin1String("new")) {
            if (c.childCount() > 0)
                e.addDesignator(buildDesignator(*c.child(0), scope, Mode::New));
        } else if (name == QLatin1String("expr")) {
            addExpressionItems(e, c, scope);
        }
    }
}

std::unique_ptr<TkxSetExpression> TkxProgramBuilder::buildSet(const ProgramNode &node,
                                                              TkxScript *scope)
{
    auto set = std::make_unique<TkxSetExpression>();
    for (int i = 0; i < node.childCount(); ++i) {
        const ProgramNode &c = *node.child(i);
        if (is(c, QLatin1StringView("expr")))
            set->addEntry(buildExpression(c, scope));
        else if (is(c, QLatin1StringView("range")))
            set->addRange();
    }
    return set;
}

Variant TkxProgramBuilder::evaluateNow(const ProgramNode &exprNode, TkxScript *scope,
                                       TypeInfo *type)
{
    std::unique_ptr<TkxExpression> e = buildExpression(exprNode, scope);
    if (type)
        *type = {e->kind(), e->typeName()};
    return e->getValue();
}

// Type aliases of the tree (the grammar's types, copied into every tree)
// first, then the registered types and classes of the scope chain.
TkxProgramBuilder::TypeInfo TkxProgramBuilder::resolveType(const QString &typeName,
                                                           TkxScript *scope) const
{
    if (typeName.isEmpty())
        return {TkxKind::Variant, QStringLiteral("Variant")};
    QString name = typeName;
    if (m_root) {
        for (int i = m_root->childCount() - 1; i >= 0; --i) {
            const ProgramNode &types = *m_root->child(i);
            if (!is(types, QLatin1StringView("types")))
                continue;
            for (int k = 0; k < types.childCount(); ++k) {
                const ProgramNode &alias = *types.child(k);
                if (alias.name().compare(typeName, Qt::CaseInsensitive) == 0) {
                    const QString target = alias.attribute(u"type");
                    if (!target.isEmpty())
                        name = target;
                    break;
                }
            }
            break;
        }
    }
    if (auto *type = dynamic_cast<TkxTypeVariable *>(scope->find(name)))
        return {type->kind(), type->name()};
    throw ScriptError(kxMessageName(QStringLiteral("SUnknownType"), typeName));
}

// Operand compatibility, and an integer target refuses a float value.
void TkxProgramBuilder::checkAssignable(TkxKind targetKind, const QString &targetType,
                                        TkxKind valueKind, const QString &valueType) const
{
    if (kindsCompatible(targetKind, targetType, valueKind, valueType, true))
        return;
    throw ScriptError(kxMessage(QStringLiteral("SIncompatibleTypes")) + QStringLiteral(": '")
                      + kindTypeText(targetKind, targetType) + QStringLiteral("', '")
                      + kindTypeText(valueKind, valueType) + u'\'');
}

// The source of an expression between its positions (columns count UTF-8
// bytes), for functions that take their arguments as text. Units have no
// lines here: their expressions carry no text.
QString TkxProgramBuilder::sourceText(TextPos from, TextPos to) const
{
    if (!m_unit.isEmpty() || from.isNull() || to.isNull() || to.line < from.line || from.line < 1
        || to.line > m_lines.size())
        return QString();
    QByteArray out;
    for (int line = from.line; line <= to.line; ++line) {
        const QByteArray text = m_lines[line - 1].toUtf8();
        const qsizetype start
            = line == from.line ? qBound(qsizetype(0), qsizetype(from.column - 1), text.size()) : 0;
        const qsizetype end
            = line == to.line ? qBound(start, qsizetype(to.column - 1), text.size()) : text.size();
        if (line != from.line)
            out += "\r\n";
        out += text.mid(start, end - start);
    }
    return QString::fromUtf8(out);
}

}   // namespace pgx::script
