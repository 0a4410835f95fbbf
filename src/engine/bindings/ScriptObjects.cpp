#include "engine/bindings/ScriptObjects.h"

#include "report/component/TpgxComponent.h"
#include "report/views/TpgxMemoView.h"
#include "script/registry/ObjectTable.h"
#include "script/value/ScriptError.h"
#include "script/value/VariantOps.h"

namespace pgx::engine {

using script::Variant;

TWideStrings::TWideStrings(QObject *owner, Reader read, Writer write)
    : script::TPersistent(owner), m_read(std::move(read)), m_write(std::move(write))
{ }

TWideStrings::~TWideStrings() = default;

script::TStringList &TWideStrings::list()
{
    const QStringList current = m_read();
    if (current != m_list.strings())
        m_list.setStrings(current);
    return m_list;
}

void TWideStrings::commit()
{
    m_write(m_list.strings());
}

TWideStrings *TWideStrings::linesOf(TpgxCustomMemoView *memo)
{
    static const QString kName = QStringLiteral("pgx:Lines");
    if (auto *lines = memo->findChild<TWideStrings *>(kName, Qt::FindDirectChildrenOnly))
        return lines;
    // The view lives and dies with the memo, so the memo pointers below
    // never outlive it.
    auto *lines = new TWideStrings(
        memo, [memo] { return memo->memo(); }, [memo](const QStringList &l) { memo->setMemo(l); });
    lines->setObjectName(kName);
    return lines;
}

TpgxArray::~TpgxArray() = default;

namespace {

// Keys the script could not compare (a string against a number) are
// different keys, not an error.
bool sameKey(const Variant &a, const Variant &b)
{
    try {
        return script::vop::equals(a, b);
    } catch (const script::ScriptError &) {
        return false;
    }
}

}   // namespace

Variant TpgxArray::value(const Variant &key) const
{
    for (const auto &[k, v] : m_values)
        if (sameKey(k, key))
            return v;
    return Variant::null();
}

void TpgxArray::setValue(const Variant &key, const Variant &value)
{
    for (auto &[k, v] : m_values) {
        if (sameKey(k, key)) {
            v = value;
            return;
        }
    }
    m_values.append({key, value});
}

script::TList *componentList(TpgxComponent *component, bool allObjects)
{
    const QString name
        = allObjects ? QStringLiteral("pgx:AllObjects") : QStringLiteral("pgx:Objects");
    auto *list = component->findChild<script::TList *>(name, Qt::FindDirectChildrenOnly);
    if (!list) {
        list = new script::TList(component);
        list->setObjectName(name);
    }
    list->items.clear();
    const QList<TpgxComponent *> objects
        = allObjects ? component->allObjects() : component->objects();
    for (TpgxComponent *c : objects)
        list->items.append(script::TkxObjectTable::handleOf(c));
    return list;
}

}   // namespace pgx::engine
