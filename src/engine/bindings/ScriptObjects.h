#pragma once

// The objects that report scripts see beside the report's own: the lines of
// a text object as a string list, the variant-keyed array, and the object
// lists of a component. None is a report class: each stands in for what a
// script expects of the class it is named after.

#include "script/library/Classes.h"
#include "script/value/Variant.h"

#include <QtCore/QStringList>

#include <functional>
#include <utility>

class TpgxComponent;
class TpgxCustomMemoView;

namespace pgx::engine {

// A string list that is a view on lines its owner keeps (a text object's
// Memo): every use reads the owner's lines first and every change writes
// them back, so the owner and the script never disagree.
class TWideStrings : public script::TPersistent
{
    Q_OBJECT

public:
    using Reader = std::function<QStringList()>;
    using Writer = std::function<void(const QStringList &)>;
    TWideStrings(QObject *owner, Reader read, Writer write);
    ~TWideStrings() override;

    // The list brought up to date with the owner's lines; objects attached
    // to the lines stay while the lines are unchanged.
    script::TStringList &list();
    void commit();

    // The one view on a text object's lines (a child of it).
    static TWideStrings *linesOf(TpgxCustomMemoView *memo);

private:
    Reader m_read;
    Writer m_write;
    script::TStringList m_list;
};

// TpgxArray: values under keys of any type, compared as the script's "="
// compares them.
class TpgxArray : public script::TCollection
{
    Q_OBJECT

public:
    using script::TCollection::TCollection;
    ~TpgxArray() override;

    script::Variant value(const script::Variant &key) const;   // Null when absent
    void setValue(const script::Variant &key, const script::Variant &value);
    int count() const { return int(m_values.size()); }

private:
    QList<std::pair<script::Variant, script::Variant>> m_values;
};

// A component's Objects or AllObjects as a TList, refilled on every read;
// one list per component and kind, owned by the component.
script::TList *componentList(TpgxComponent *component, bool allObjects);

}   // namespace pgx::engine
