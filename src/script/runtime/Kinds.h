#pragma once

#include <QtCore/QString>

namespace pgx::script {

// Compile-time classification of variables and expressions.
enum class TkxKind : quint8 {
    Integer = 0,
    Boolean = 1,
    Float = 2,
    Char = 3,
    String = 4,
    Class = 5,
    Array = 6,
    Variant = 7,
    Enumeration = 8,
    Constructor = 9,
};

// The type text of a kind in messages: "Integer", "Boolean", "Extended",
// "Char", "String", "Array", "Variant"; class and enumeration kinds use
// their type name.
QString kindTypeText(TkxKind kind, const QString &typeName);

// Whether a value of kind `value` may stand where kind `target` is expected
// (target <- value). Class values need their class to inherit from the
// target's class, which the class registry answers through
// TkxScript::classInherits. `assignment` adds the rule of assignments and
// arguments: an integer target refuses a float value.
bool kindsCompatible(TkxKind target, const QString &targetType, TkxKind value,
                     const QString &valueType, bool assignment = false);

}   // namespace pgx::script
