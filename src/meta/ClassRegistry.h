#pragma once

#include "meta/ClassDescriptor.h"

#include <QtCore/QList>

namespace pgx {

class MetaComponent;

// The process-wide list of component classes that can be created by name
// (from a template's element name, a one-line object text, the designer's
// palette). It is filled by explicit start-up calls of each layer
// (registerReportClasses() and later ones); nothing registers itself from a
// static initialiser. Registering a class again replaces its factory.
class ClassRegistry
{
public:
    static void add(const QMetaObject *metaObject, ComponentFactory factory);

    template<class T>
    static void add()
    {
        add(&T::staticMetaObject, [](QObject *owner) -> MetaComponent * { return new T(owner); });
    }

    // The registered class of that exact name; null when there is none.
    static const ClassDescriptor *find(QStringView className);
    // Registered classes in registration order.
    static QList<const ClassDescriptor *> classes();

    // A new instance of a registered class with `owner` as its owner (a
    // component owner becomes its tree parent). Throws pgx::Error
    // "Class <name> not found" for an unregistered name.
    static MetaComponent *create(QStringView className, QObject *owner);
};

}   // namespace pgx
