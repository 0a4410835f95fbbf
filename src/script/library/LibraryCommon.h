#pragma once

// Shared glue of the library modules: declaring functions and methods from
// plain lambdas, and the conversions every handler needs.

#include "platform/format/NumberText.h"
#include "script/registry/ObjectTable.h"
#include "script/registry/Registry.h"
#include "script/value/ScriptError.h"

#include <QtCore/QObject>

#include <functional>

namespace pgx::script {

// Conversion failures of the format engine reach scripts as EConvertError.
template<class F>
Variant runGuarded(F &&f)
{
    try {
        return f();
    } catch (const pgx::format::ConvertError &e) {
        throw ScriptError(QString::fromUtf8(e.what()), QStringLiteral("EConvertError"));
    }
}

inline TkxMethodHelper *declareFn(TkxScript &script, const char *declaration,
                                  const QString &category,
                                  std::function<Variant(TkxMethodHelper &)> fn)
{
    return declareMethod(
        script, QString::fromLatin1(declaration),
        [fn = std::move(fn)](QObject *, TkxClassVariable *, const QString &, TkxMethodHelper &h) {
            return runGuarded([&] { return fn(h); });
        },
        category);
}

// The instance as T; a cast error when it is of another class.
template<class T>
T *self(QObject *o)
{
    T *t = qobject_cast<T *>(o);
    if (!t)
        throw ScriptError(QStringLiteral("Invalid class typecast"), QStringLiteral("EInvalidCast"));
    return t;
}

template<class T>
TkxMethodHelper *declareMember(TkxClassVariable *cls, const char *declaration,
                               std::function<Variant(T *, TkxMethodHelper &)> fn)
{
    return cls->declareMethod(
        QString::fromLatin1(declaration),
        [fn = std::move(fn)](QObject *o, TkxClassVariable *, const QString &, TkxMethodHelper &h) {
            return runGuarded([&] { return fn(self<T>(o), h); });
        });
}

// An indexed property whose handler sees ".GET" or ".SET" in `set`.
template<class T>
TkxMethodHelper *declareIndexed(TkxClassVariable *cls, const char *name, const char *indexTypes,
                                const char *resultType, bool readOnly, bool isDefault,
                                std::function<Variant(T *, TkxMethodHelper &, bool set)> fn)
{
    TkxMethodHandler handler = [fn = std::move(fn)](QObject *o, TkxClassVariable *,
                                                    const QString &name, TkxMethodHelper &h) {
        return runGuarded([&] { return fn(self<T>(o), h, name.endsWith(QLatin1String(".SET"))); });
    };
    const QString n = QString::fromLatin1(name);
    const QString it = QString::fromLatin1(indexTypes);
    const QString rt = QString::fromLatin1(resultType);
    return isDefault ? cls->declareDefaultProperty(n, it, rt, std::move(handler), readOnly)
                     : cls->declareIndexProperty(n, it, rt, std::move(handler), readOnly);
}

template<class T>
TkxPropertyHelper *declareProp(TkxClassVariable *cls, const char *name, const char *typeName,
                               std::function<Variant(T *)> get,
                               std::function<void(T *, const Variant &)> set = {})
{
    TkxPropertySetter setter;
    if (set) {
        setter = [set = std::move(set)](QObject *o, const Variant &v, const QString &) {
            runGuarded([&] {
                set(self<T>(o), v);
                return Variant();
            });
        };
    }
    return cls->declareProperty(
        QString::fromLatin1(name), QString::fromLatin1(typeName),
        [get = std::move(get)](QObject *o, const QString &) {
            return runGuarded([&] { return get(self<T>(o)); });
        },
        std::move(setter));
}

// The constructor of every library class: the class it was called through
// makes the object; objects without an owner belong to the running script,
// so that none outlives it.
TkxMethodHelper *declareConstructor(TkxClassVariable *cls, const char *declaration);

inline Variant str8(const QString &s)
{
    return Variant::fromString8(s);
}

// 8-bit strings as the bytes streams hold: one byte per character. A
// character beyond 255 has no byte and raises instead of being lost.
QByteArray bytesOf(const QString &text);
inline QString textOfBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

// File errors of the library classes.
[[noreturn]] void throwFileError(const QString &fileName, bool creating);

}   // namespace pgx::script
