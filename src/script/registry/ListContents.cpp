#include "persist/XMLItem.h"
#include "script/registry/EventAdapters.h"
#include "script/registry/Registry.h"

#include <QtCore/QMap>

namespace pgx::script {

namespace {

// A group element under `parent`, created on first use.
TpgxXMLItem *group(TpgxXMLItem *parent, const QString &element, const QString &text)
{
    const QByteArray name = element.toUtf8();
    const int i = parent->find(name);
    if (i >= 0)
        return parent->items(i);
    TpgxXMLItem *g = parent->add();
    g->setName(name);
    g->setProp("text", text.toUtf8());
    return g;
}

TpgxXMLItem *addItem(TpgxXMLItem *parent, const QString &text)
{
    TpgxXMLItem *item = parent->add();
    item->setName("item");
    item->setProp("text", text.toUtf8());
    return item;
}

QString memberText(const TkxCustomVariable *member)
{
    if (auto *m = dynamic_cast<const TkxMethodHelper *>(member)) {
        if (!m->isIndexProperty)
            return m->declaration;
        const QString decl = m->declaration.trimmed();
        const int blank = decl.indexOf(QLatin1Char(' '));
        return QStringLiteral("index property") + (blank < 0 ? QString() : decl.mid(blank));
    }
    if (dynamic_cast<const TkxEventHelper *>(member))
        return QStringLiteral("event ") + member->name();
    return QStringLiteral("property ") + member->name() + QStringLiteral(": ") + member->typeName();
}

void addMembers(TkxClassVariable *cls, TpgxXMLItem *parent)
{
    for (int i = 0; i < cls->memberCount(); ++i)
        addItem(parent, memberText(cls->member(i)));
}

}   // namespace

void listContents(const TkxScript &script, TpgxXMLItem *tree, bool functionsOnly)
{
    if (!tree)
        return;
    auto functions
        = [&]() { return group(tree, QStringLiteral("functions"), QStringLiteral("Functions")); };
    for (int i = 0; i < script.count(); ++i) {
        TkxItemList *entry = script.items(i);
        if (auto *m = dynamic_cast<TkxMethodHelper *>(entry); m && !m->classRef) {
            TpgxXMLItem *category = group(functions(), m->category, m->category);
            TpgxXMLItem *item = addItem(category, m->declaration);
            item->setProp("description", m->description.toUtf8());
            continue;
        }
        if (functionsOnly)
            continue;
        if (auto *cls = dynamic_cast<TkxClassVariable *>(entry)) {
            TpgxXMLItem *classes
                = group(tree, QStringLiteral("classes"), QStringLiteral("Classes"));
            TpgxXMLItem *item = addItem(classes,
                                        cls->name() + QStringLiteral(" = class(")
                                            + cls->ancestorName + QStringLiteral(")"));
            addMembers(cls, item);
            continue;
        }
        if (auto *e = dynamic_cast<TkxEnumVariable *>(entry)) {
            TpgxXMLItem *types = group(tree, QStringLiteral("types"), QStringLiteral("Types"));
            addItem(types,
                    e->name() + QStringLiteral(": (") + e->values.join(QLatin1Char(','))
                        + QStringLiteral(")"));
            continue;
        }
        auto *v = dynamic_cast<TkxVariable *>(entry);
        if (!v || v->kind() == TkxKind::Enumeration || v->name().isEmpty())
            continue;   // enumeration values are listed with their type
        if (v->readOnly) {
            QString value;
            try {
                value = v->value.isArray() ? QString() : v->value.toString();
            } catch (...) { }
            addItem(group(tree, QStringLiteral("constants"), QStringLiteral("Constants")),
                    v->name() + QStringLiteral(": ") + v->typeName() + QStringLiteral(" = ")
                        + value);
        } else {
            addItem(group(tree, QStringLiteral("variables"), QStringLiteral("Variables")),
                    v->name() + QStringLiteral(": ") + v->typeName());
        }
    }
}

void listClassMembers(const TkxScript &script, TpgxXMLItem *tree, const QString &className)
{
    if (!tree)
        return;
    TkxClassVariable *cls = findClassVariable(script, className);
    for (int depth = 0; cls && depth < 64; ++depth) {
        addMembers(cls, tree);
        cls = cls->ancestor();
    }
}

}   // namespace pgx::script
