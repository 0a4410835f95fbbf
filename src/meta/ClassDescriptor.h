#pragma once

#include "meta/PropertyInfo.h"

#include <QtCore/QHash>
#include <vector>

namespace pgx {

class MetaComponent;

// Creates a component with the given owner (Part of TpgxComponent's
// constructor rule: a component owner becomes the tree parent).
using ComponentFactory = MetaComponent *(*)(QObject *owner);

// Everything the project knows about one reflected class: its published
// properties in declaration order, base class first, with kind, type,
// default and stored rule. A class is described by its Q_PROPERTY lines and
// these Q_CLASSINFO entries, declared next to them:
//   "pgx:default:<Prop>"  declared default: a number, "True"/"False", an
//                          element name, set elements joined by "|" ("" is
//                          the empty set), or text
//   "pgx:stored:<Prop>"   name of a Q_INVOKABLE `bool f() const` stored rule
//   "pgx:type:<Prop>"     the type name shown to scripts and the inspector
// A property declared again in a subclass keeps its first position and takes
// the subclass's declaration. QObject's own properties are not published.
//
// Descriptors are built once per class on first use and live until the
// process ends; describe() is safe to call from any thread.
class ClassDescriptor
{
public:
    QString className;
    const QMetaObject *metaObject = nullptr;
    const ClassDescriptor *base = nullptr;   // null at the first reflected class
    std::vector<PropertyInfo> properties;
    // Set when the class is registered (ClassRegistry); null otherwise.
    ComponentFactory factory = nullptr;
    // Declaration mistakes found while building (unknown property in a
    // Q_CLASSINFO, a default that does not parse, enumeration values that
    // are not their ordinals). Empty for a correct class; tests check it.
    QStringList problems;

    // Case-insensitive look-up, as attribute names are matched.
    const PropertyInfo *find(QStringView name) const;
    bool inherits(const ClassDescriptor *other) const;
    bool isComponent() const;

    // Case-folded property name -> index in `properties` (filled when built).
    QHash<QString, int> memberIndex;
};

// The descriptor of a class (built on first use, then cached).
const ClassDescriptor &describe(const QMetaObject *metaObject);
inline const ClassDescriptor &describe(const QObject *object)
{
    return describe(object->metaObject());
}

// A class name as captions, resource keys and new names use it: without the
// component family's "Tpgx" prefix and, when given, without the first
// `word` ("TpgxMemoView", "View" -> "Memo"; "TpgxMasterData" ->
// "MasterData"). A name without the prefix keeps its start.
QString classNameStem(const QString &className, QLatin1StringView word = {});

}   // namespace pgx
