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
    const int i = parent->Find(name);
    if (i >= 0)
        return parent->Items(i);
    TpgxXMLItem *g = parent->Add();
    g->SetName(name);
    g->SetProp("text", text.toUtf8());
    return g;
}

TpgxXMLItem *addItem(TpgxXMLItem *parent, const QString &text)
{
    TpgxXMLItem *item = parent->Add();
    item->SetName("item");
    item->SetProp("text", text.toUtf8());
    return item;
}

QString memberText(const TkxCustomVariable *member)
{
    if (auto *m = dynamic_cast<const TkxMethodHelper *>(member)) {
        if (!m->IsIndexProperty)
            return m->Declaration;
        const QString decl = m->Declaration.trimmed();
        const int blank = decl.indexOf(QLatin1Char(' '));
        return QStringLiteral("index property") + (blank < 0 ? QString() : decl.mid(blank));
    }
    if (dynamic_cast<const TkxEventHelper *>(member))
        return QStringLiteral("event ") + member->Name();
    return QStringLiteral("property ") + member->Name() + QStringLiteral(": ") + member->TypeName();
}

void addMembers(TkxClassVariable *cls, TpgxXMLItem *parent)
{
    for (int i = 0; i < cls->MemberCount(); ++i)
        addItem(parent, memberText(cls->Member(i)));
}

}   // namespace

void ListContents(const TkxScript &script, TpgxXMLItem *tree, bool functionsOnly)
{
    if (!tree)
        return;
    auto functions
        = [&]() { return group(tree, QStringLiteral("functions"), QStringLiteral("Functions")); };
    for (int i = 0; i < script.Count(); ++i) {
        TkxItemList *entry = script.Items(i);
        if (auto *m = dynamic_cast<TkxMethodHelper *>(entry); m && !m->ClassRef) {
            TpgxXMLItem *category = group(functions(), m->Category, m->Category);
            TpgxXMLItem *item = addItem(category, m->Declaration);
            item->SetProp("description", m->Description.toUtf8());
            continue;
        }
        if (functionsOnly)
            continue;
        if (auto *cls = dynamic_cast<TkxClassVariable *>(entry)) {
            TpgxXMLItem *classes
                = group(tree, QStringLiteral("classes"), QStringLiteral("Classes"));
            TpgxXMLItem *item = addItem(classes,
                                        cls->Name() + QStringLiteral(" = class(")
                                            + cls->AncestorName + QStringLiteral(")"));
            addMembers(cls, item);
            continue;
        }
        if (auto *e = dynamic_cast<TkxEnumVariable *>(entry)) {
            TpgxXMLItem *types = group(tree, QStringLiteral("types"), QStringLiteral("Types"));
            addItem(types,
                    e->Name() + QStringLiteral(": (") + e->Values.join(QLatin1Char(','))
                        + QStringLiteral(")"));
            continue;
        }
        auto *v = dynamic_cast<TkxVariable *>(entry);
        if (!v || v->Kind() == TkxKind::Enumeration || v->Name().isEmpty())
            continue;   // enumeration values are listed with their type
        if (v->ReadOnly) {
            QString value;
            try {
                value = v->Value.isArray() ? QString() : v->Value.toString();
            } catch (...) { }
            addItem(group(tree, QStringLiteral("constants"), QStringLiteral("Constants")),
                    v->Name() + QStringLiteral(": ") + v->TypeName() + QStringLiteral(" = ")
                        + value);
        } else {
            addItem(group(tree, QStringLiteral("variables"), QStringLiteral("Variables")),
                    v->Name() + QStringLiteral(": ") + v->TypeName());
        }
    }
}

void ListClassMembers(const TkxScript &script, TpgxXMLItem *tree, const QString &className)
{
    if (!tree)
        return;
    TkxClassVariable *cls = FindClassVariable(script, className);
    for (int depth = 0; cls && depth < 64; ++depth) {
        addMembers(cls, tree);
        cls = cls->Ancestor();
    }
}

}   // namespace pgx::script
