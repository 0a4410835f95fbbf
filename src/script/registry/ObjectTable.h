#pragma once

#include "script/value/Variant.h"

#include <QtCore/QObject>

namespace pgx::script {

// The table of objects that scripts may reach. A script never holds a
// pointer: it holds an integer handle, and every use looks the handle up
// here. Handles are never reused, so a handle that outlived its object (or
// one a script made up) is refused with a script error instead of touching
// freed memory. Handle 0 is nil.
class TkxObjectTable
{
public:
    // The handle of an object, entered on first use; 0 for none.
    static qint64 handleOf(QObject *object);
    static Variant toVariant(QObject *object) { return Variant::fromInt(handleOf(object)); }
    // The live object of a handle, nullptr for nil (0, Null, Empty). Raises
    // "Invalid object reference" for a handle that names no live object.
    static QObject *object(const Variant &handle);
    // As object(), and raises for nil too.
    static QObject *nonNil(const Variant &handle);
    // The object when it is of class T (or a descendant), else a
    // "Invalid class typecast" error; nil gives nullptr.
    template<class T>
    static T *as(const Variant &handle)
    {
        QObject *o = object(handle);
        if (!o)
            return nullptr;
        T *t = qobject_cast<T *>(o);
        if (!t)
            throwBadCast(o, T::staticMetaObject.className());
        return t;
    }
    // The class name scripts see: the C++ class name without namespaces.
    static QString scriptClassName(const QMetaObject *meta);
    static int liveCount();

private:
    [[noreturn]] static void throwBadCast(QObject *o, const char *target);
};

}   // namespace pgx::script
